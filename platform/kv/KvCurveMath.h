#pragma once
// What lines, arcs, circles and polylines share when they measure along themselves.
#include <numbers>

#include "kv/KvGePoint3d.h"
#include "kv/KvGeVector3d.h"

namespace kvinternal {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// How far off a curve a point or parameter may lie and still count as on it: rounding in
// the file or in the caller's arithmetic must not make a curve's own points miss it.
constexpr double kOnCurveTolerance = 1e-9;

// The tolerance for a curve of that size (length or radius): relative, never below
// kOnCurveTolerance.
double onCurveTolerance(double size);
// The angle in [0, 2 pi).
double normalizedAngle(double angle);
// The angle of a point on the circle (centre, radius, plane normal) from the plane's X axis,
// in (-pi, pi]; false when the point lies off the plane or off the circle by more than tolerance.
bool angleOnCircle(const KvGePoint3d& center, double radius, const KvGeVector3d& normal, const KvGePoint3d& point,
                   double tolerance, double& angle);
// How far round an arc (sweep, radius) a point of its circle lies: the angle from the start in
// the arc's direction, in [0, 2 pi). The start itself may come out as a full turn through
// rounding; within tolerance it counts as the start.
double angleFromArcStart(double angleFromStart, double sweep, double radius, double tolerance);

}  // namespace kvinternal
