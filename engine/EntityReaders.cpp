// The readers of kinds 2 to 9: common properties, then the values of each kind, rounded
// to the drawing's linear precision.
#include "engine/EntityReaders.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numbers>
#include <string>

#include "engine/ExtractionEngine.h"
#include "engine/NumberText.h"
#include "engine/ValueTexts.h"
#include "host/ResString.h"
#include "kv/kv.h"

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

}  // namespace

std::vector<std::u16string> ReadHyperlinks(const KvDbEntity& entity)
{
    std::vector<std::u16string> lsNames;
    KvDbEntityHyperlinkPE* pHyperlinks = KvDbEntityHyperlinkPE::cast(&entity);
    if (!pHyperlinks) return lsNames;
    bool bHas = false;
    if (pHyperlinks->hasHyperlink(&entity, bHas, true) != Kvmo::eOk || !bHas) return lsNames;
    KvDbHyperlinkCollection* pRaw = nullptr;
    const Kvmo::ErrorStatus es = pHyperlinks->getHyperlinkCollection(&entity, pRaw, false, true);
    const std::unique_ptr<KvDbHyperlinkCollection> pCollection(pRaw);
    if (es != Kvmo::eOk || !pCollection) return lsNames;
    for (int i = 0; i < pCollection->count(); ++i) {
        if (const KvDbHyperlink* pLink = pCollection->item(i)) lsNames.push_back(pLink->name());
    }
    return lsNames;
}

std::u16string LineWeightText(int lineWeight, double step)
{
    switch (lineWeight) {
    case KvDb::kLnWtByLayer: return LoadResString(190);
    case KvDb::kLnWtByBlock: return LoadResString(191);
    case KvDb::kLnWtByLwDefault: return LoadResString(192);
    default: return FormatNumber(RoundToStep(step, static_cast<double>(lineWeight)));
    }
}

SharedText ExtractionEngine::SharedName(ReaderMemo::RecentNames& recent, const std::u16string& csText, bool bLocalise)
{
    auto same = [&csText](const std::u16string& text) {
        return text.size() == csText.size() &&
               std::memcmp(text.data(), csText.data(), text.size() * sizeof(char16_t)) == 0;
    };
    auto& entries = recent.entries;
    if (recent.iLast < entries.size() && same(entries[recent.iLast].first)) return entries[recent.iLast].second;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (same(entries[i].first)) {
            recent.iLast = i;
            return entries[i].second;
        }
    // A drawing with more names than this reads them the long way, a few at a time.
    constexpr std::size_t kMaxRecent = 16;
    if (entries.size() == kMaxRecent) entries.clear();
    entries.emplace_back(csText, bLocalise ? SharedText(LocalizeByLayerByBlock(csText)) : SharedText(csText));
    recent.iLast = entries.size() - 1;
    return entries.back().second;
}

CommonProps ExtractionEngine::ReadCommonProps(const KvDbEntity& entity)
{
    CommonProps props;
    props.csLayer = SharedName(m_memo.layer, entity.layer(), false);
    props.csColor = Remembered(m_memo.colors, int(entity.colorIndex()),
                               [](int index) { return ColorText(static_cast<std::uint16_t>(index)); });
    // Six decimals at most, whatever the precision.
    if (m_memo.step != roundStep) {
        // Both remembered texts below are rounded to the step.
        m_memo.step = roundStep;
        m_memo.bScale = false;
        m_memo.lineWeights.clear();
    }
    const double scale = entity.linetypeScale();
    if (!m_memo.bScale || scale != m_memo.lastScale) {
        const double rounded = RoundToStep(roundStep, scale);
        char csScale[400];
        std::snprintf(csScale, sizeof csScale, "%f", rounded);
        m_memo.lastScale = scale;
        m_memo.lastScaleRead = std::strtod(csScale, nullptr);
        m_memo.bScale = true;
    }
    props.lineTypeScale = m_memo.lastScaleRead;
    props.csLineWeight = Remembered(m_memo.lineWeights, int(entity.lineWeight()),
                                    [this](int weight) { return LineWeightText(weight, roundStep); });
    props.csplotStyle = SharedName(m_memo.plotStyle, entity.plotStyleName(), true);
    props.csLineType = SharedName(m_memo.linetype, entity.linetype(), true);
    props.lsHyperlink = ReadHyperlinks(entity);
    return props;
}

template <class Record>
Record ExtractionEngine::MakeRecord(const KvDbEntity& entity, const std::u16string& csHandle, ObjKind kind,
                                    double thickness)
{
    Record record;
    record.type = kind;
    record.csName = Remembered(m_memo.kindNames, int(kind), [this](int k) { return catalog.lsObjNames.at(k - 1); });
    record.csHandle = csHandle;
    record.commonProps = ReadCommonProps(entity);
    record.commonProps.thickness = RoundToStep(roundStep, thickness);
    return record;
}

void ExtractionEngine::ReadLine(const KvDbLine& line, const std::u16string& csHandle)
{
    Line record = MakeRecord<Line>(line, csHandle, kObjLine, line.thickness());
    const KvGePoint3d start = line.startPoint();
    const KvGePoint3d end = line.endPoint();
    double length = 0.0;
    line.getDistAtPoint(end, length);

    const KvGeVector3d delta = end - start;
    double angle = std::atan2(delta.y, delta.x);
    if (angle < 0.0) angle += 2.0 * std::numbers::pi;
    angle = RoundToStep(roundStep, angle * kDegreesPerRadian);
    // A direction just below the X axis rounds to a full turn; it reads as 0.
    if (angle >= 360.0) angle -= 360.0;

    record.angle = angle;
    record.deltaX = RoundToStep(roundStep, delta.x);
    record.deltaY = RoundToStep(roundStep, delta.y);
    record.deltaZ = RoundToStep(roundStep, delta.z);
    record.startPoint = RoundToStep(roundStep, start);
    record.endPoint = RoundToStep(roundStep, end);
    record.length = RoundToStep(roundStep, length);
    lsLines.push_back(std::move(record));
}

void ExtractionEngine::ReadPolyline(const KvDbPolyline& polyline, const std::u16string& csHandle)
{
    PolyLine record = MakeRecord<PolyLine>(polyline, csHandle, kObjPolyline, polyline.thickness());
    double area = 0.0;
    polyline.getArea(area);
    double width = 0.0;
    // Segments of different widths have no constant width.
    if (polyline.getConstantWidth(width) != Kvmo::eOk) width = 0.0;
    double endParam = 0.0;
    double length = 0.0;
    if (polyline.getEndParam(endParam) == Kvmo::eOk) polyline.getDistAtParam(endParam, length);

    record.area = RoundToStep(roundStep, area);
    record.constantWidth = RoundToStep(roundStep, width);
    record.length = RoundToStep(roundStep, length);
    record.closed = polyline.isClosed() ? 1 : 0;
    record.linetypeGeneration = polyline.hasPlinegen() ? 1 : 0;
    lsPolyLines.push_back(std::move(record));
}

void ExtractionEngine::ReadCircle(const KvDbCircle& circle, const std::u16string& csHandle)
{
    Circle record = MakeRecord<Circle>(circle, csHandle, kObjCircle, circle.thickness());
    double area = 0.0;
    circle.getArea(area);
    const double radius = circle.radius();

    record.area = RoundToStep(roundStep, area);
    record.center = RoundToStep(roundStep, circle.center());
    record.radius = RoundToStep(roundStep, radius);
    record.circumference = RoundToStep(roundStep, radius * 2.0 * std::numbers::pi);
    // From the rounded radius, so the two columns agree.
    record.diameter = 2.0 * record.radius;
    lsCircles.push_back(std::move(record));
}

void ExtractionEngine::ReadArc(const KvDbArc& arc, const std::u16string& csHandle)
{
    NyArc record = MakeRecord<NyArc>(arc, csHandle, kObjArc, arc.thickness());
    double area = 0.0;
    arc.getArea(area);
    KvGePoint3d end;
    double length = 0.0;
    if (arc.getEndPoint(end) == Kvmo::eOk) arc.getDistAtPoint(end, length);

    record.area = RoundToStep(roundStep, area);
    record.startAngle = RoundToStep(roundStep, arc.startAngle() / kRadiansPerDegree);
    record.endAngle = RoundToStep(roundStep, arc.endAngle() / kRadiansPerDegree);
    // The included angle, the one a user totals (a half circle gives 180).
    record.totalAngle = RoundToStep(roundStep, arc.totalAngle() / kRadiansPerDegree);
    record.center = RoundToStep(roundStep, arc.center());
    record.length = RoundToStep(roundStep, length);
    record.radius = RoundToStep(roundStep, arc.radius());
    lsArcs.push_back(std::move(record));
}

void ExtractionEngine::Read3dSolid(const KvDb3dSolid& solid, const std::u16string& csHandle)
{
    lsSolids3D.push_back(MakeRecord<Solid3D>(solid, csHandle, kObj3dSolid, 0.0));
}

void ExtractionEngine::ReadSolid(const KvDbSolid& solid, const std::u16string& csHandle)
{
    lsSolids.push_back(MakeRecord<Solid>(solid, csHandle, kObjSolid, solid.thickness()));
}

void ExtractionEngine::ReadPoint(const KvDbPoint& point, const std::u16string& csHandle)
{
    NyPoint record = MakeRecord<NyPoint>(point, csHandle, kObjPoint, point.thickness());
    record.position = RoundToStep(roundStep, point.position());
    lsPoints.push_back(std::move(record));
}

void ExtractionEngine::ReadMText(const KvDbMText& mtext, const std::u16string& csHandle)
{
    MultiText record = MakeRecord<MultiText>(mtext, csHandle, kObjMText, 0.0);
    record.location = RoundToStep(roundStep, mtext.location());
    record.csContents = mtext.text();
    // The style column shows the text style's name, as the user picked it.
    if (!mtext.textStyle().isNull()) {
        record.csStyle = Remembered(m_memo.textStyles, mtext.textStyle(), [](KvDbObjectId idStyle) {
            std::u16string csName;
            KvDbTextStyleTableRecord* pStyle = nullptr;
            if (kvdbOpenObject(pStyle, idStyle, KvDb::kForRead) == Kvmo::eOk) {
                csName = pStyle->getName();
                pStyle->close();
            }
            return csName;
        });
    }
    record.csJustify = Remembered(m_memo.attachments, mtext.attachment(), AttachmentText);
    record.csDirection = Remembered(m_memo.flowDirections, mtext.flowDirection(), FlowDirectionText);
    record.definedWidth = RoundToStep(roundStep, mtext.width());
    record.textHeight = RoundToStep(roundStep, mtext.textHeight());
    record.rotation = RoundToStep(roundStep, mtext.rotation());
    record.backgroundMask = mtext.backgroundFillOn();
    record.lineSpacingFactor = RoundToStep(roundStep, mtext.lineSpacingFactor());
    // The distance between base lines as the host computes it from height and factor.
    record.lineSpacingDistance = RoundToStep(roundStep, mtext.lineSpacingDistance());
    record.csLineSpacingStyle = Remembered(m_memo.lineSpacingStyles, mtext.lineSpacingStyle(), LineSpacingStyleText);
    lsMTexts.push_back(std::move(record));
}
