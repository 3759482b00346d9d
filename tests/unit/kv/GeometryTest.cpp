#include <cmath>
#include <memory>
#include <numbers>

#include "support/DrawingFixture.h"

namespace {
constexpr double kPi = std::numbers::pi;

double lengthOf(const KvDbCurve& curve)
{
    double end = 0.0, dist = -1.0;
    EXPECT_EQ(curve.getEndParam(end), Kvmo::eOk);
    EXPECT_EQ(curve.getDistAtParam(end, dist), Kvmo::eOk);
    return dist;
}

double areaOf(const KvDbCurve& curve)
{
    double area = -1.0;
    EXPECT_EQ(curve.getArea(area), Kvmo::eOk);
    return area;
}

std::unique_ptr<KvDbPolyline> polyline(std::initializer_list<KvDbPolyline::Vertex> vertices, bool closed)
{
    auto p = std::make_unique<KvDbPolyline>();
    unsigned int i = 0;
    for (const auto& v : vertices) p->addVertexAt(i++, v.point, v.bulge);
    p->setClosed(closed);
    return p;
}
}  // namespace

TEST(CurveGeometry, PolylineWithBulgesLengthAndArea)
{
    // A closed square whose bottom edge bulges outwards as a half circle.
    auto p = polyline({{{0, 0}, 1.0}, {{1, 0}}, {{1, 1}}, {{0, 1}}}, true);
    EXPECT_NEAR(lengthOf(*p), 3.0 + kPi / 2, 1e-12);
    EXPECT_NEAR(areaOf(*p), 1.0 + kPi / 8, 1e-12);

    // The same bulge inwards (drawn clockwise) takes the half disc away.
    auto in = polyline({{{0, 0}, -1.0}, {{1, 0}}, {{1, 1}}, {{0, 1}}}, true);
    EXPECT_NEAR(areaOf(*in), 1.0 - kPi / 8, 1e-12);

    // Two half circles make a full circle of radius 1.
    auto circle = polyline({{{0, 0}, 1.0}, {{2, 0}, 1.0}}, true);
    EXPECT_NEAR(areaOf(*circle), kPi, 1e-12);
    EXPECT_NEAR(lengthOf(*circle), 2 * kPi, 1e-12);

    // An open polyline is closed by a straight segment for its area.
    auto open = polyline({{{0, 0}}, {{4, 0}}, {{4, 3}}}, false);
    EXPECT_DOUBLE_EQ(areaOf(*open), 6.0);
    EXPECT_DOUBLE_EQ(lengthOf(*open), 7.0);
    double dist = 0;
    ASSERT_EQ(open->getDistAtParam(1.5, dist), Kvmo::eOk);
    EXPECT_DOUBLE_EQ(dist, 5.5);
    ASSERT_EQ(open->getDistAtPoint(KvGePoint3d(4, 1, 0), dist), Kvmo::eOk);
    EXPECT_DOUBLE_EQ(dist, 5.0);
    EXPECT_EQ(open->getDistAtParam(2.5, dist), Kvmo::eInvalidInput);
}

// Thickness and normal live apart once either leaves its default: each kind gives back what
// was set (a -0 too), copies keep it, and a zero normal is refused.
TEST(PlanarValues, ThicknessAndNormalComeBackAsSetThroughCopies)
{
    KvDbLine line;
    KvDbCircle circle;
    EXPECT_EQ(line.normal(), KvGeVector3d(0, 0, 1));
    EXPECT_EQ(circle.thickness(), 0.0);
    EXPECT_EQ(line.setNormal(KvGeVector3d(0, 0, 0)), Kvmo::eInvalidInput);
    ASSERT_EQ(line.setThickness(-0.0), Kvmo::eOk);
    EXPECT_TRUE(std::signbit(line.thickness()));
    ASSERT_EQ(circle.setNormal(KvGeVector3d(0, 2, 0)), Kvmo::eOk);
    ASSERT_EQ(circle.setThickness(2.5), Kvmo::eOk);
    const std::unique_ptr<KvDbCircle> copy(circle.clone());
    ASSERT_EQ(circle.setNormal(KvGeVector3d(0, 0, 1)), Kvmo::eOk);
    EXPECT_EQ(circle.normal(), KvGeVector3d(0, 0, 1));
    EXPECT_EQ(copy->normal(), KvGeVector3d(0, 1, 0));
    EXPECT_EQ(copy->thickness(), 2.5);
    EXPECT_EQ(line.normal(), KvGeVector3d(0, 0, 1));
}
