#include "toolkit/Bulge.h"

#include <acge/AcGeCircArc2d.h>

#include <cmath>
#include <numbers>

namespace dh::toolkit {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// An angle past the arc's own sweep by more than this is a rounding wrap of a zero one.
constexpr double kSweepSlack = 1e-9;

double signedBulge(double sweep, bool clockWise)
{
    const double bulge = std::tan(sweep / 4.0);
    return clockWise ? -bulge : bulge;
}

} // namespace

double arcBulge(const AcGeCircArc2d& arc)
{
    return signedBulge(arc.endAng() - arc.startAng(), arc.isClockWise());
}

double arcPieceBulge(const AcGeCircArc2d* arc, const AcGePoint2d& from, const AcGePoint2d& to)
{
    if (arc == nullptr)
        return 0.0;
    const AcGeVector2d a = from - arc->center();
    const AcGeVector2d b = to - arc->center();
    if (a.isZeroLength() || b.isZeroLength() || from.isEqualTo(to))
        return 0.0;
    // The angle from a to b turning the way the arc runs, in [0, 2 pi).
    const double counterClockwise = std::atan2(a.x * b.y - a.y * b.x, a.x * b.x + a.y * b.y);
    double sweep = arc->isClockWise() ? -counterClockwise : counterClockwise;
    if (sweep < 0.0)
        sweep += kTwoPi;
    if (sweep > arc->endAng() - arc->startAng() + kSweepSlack)
        sweep = 0.0;
    return signedBulge(sweep, arc->isClockWise());
}

} // namespace dh::toolkit
