#include "terrain/ContourSifter.h"

#include "terrain/CoincidenceQuestion.h"
#include "terrain/CurveShapes.h"
#include "terrain/SpotEntity.h"

#include <acdb/AcDbCurve.h>

#include <cmath>

namespace dh::terrain {
namespace {

constexpr double kSameElevation = 0.001;

// Reads the curve's elevation; false when it cannot be opened.
bool elevationOf(AcDbObjectId id, double& elevation)
{
    AcDbCurve* curve = nullptr;
    if (acdbOpenObject(curve, id, AcDb::kForRead, true) != Acad::eOk)
        return false;
    elevation = contourElevation(curve);
    curve->close();
    return true;
}

int shapesOf(AcDbObjectId keptId, AcDbObjectId newId)
{
    AcDbCurve* kept = nullptr;
    if (acdbOpenObject(kept, keptId, AcDb::kForRead) != Acad::eOk)
        return kDifferentShape;
    AcDbCurve* incoming = nullptr;
    int match = kDifferentShape;
    // The newcomer may have been erased by an earlier match of the run; the rest of the
    // run is still compared with it.
    if (acdbOpenObject(incoming, newId, AcDb::kForRead, true) == Acad::eOk) {
        match = compareCurveShapes(kept, incoming);
        incoming->close();
    }
    kept->close();
    return match;
}

} // namespace

bool ContourSifter::addCurve(AcDbObjectId curveId)
{
    AcDbCurve* curve = nullptr;
    if (acdbOpenObject(curve, curveId, AcDb::kForRead) != Acad::eOk)
        return true;
    AcGePoint3d start;
    const bool hasStart = curve->getStartPoint(start) == Acad::eOk;
    curve->close();
    if (!hasStart || start.z == 0.0)
        return true;
    return insert(AcGePoint2d(start.x, start.y), curveId);
}

int ContourSifter::resolveCoincidence(const Entry& kept, AcDbObjectId newId)
{
    double keptElevation = 0.0;
    double incoming = 0.0;
    elevationOf(kept.value, keptElevation);
    elevationOf(newId, incoming);
    if (std::fabs(keptElevation - incoming) < kSameElevation)
        return kDeleteNew;
    return askWhichToDelete(keptElevation, incoming, newId);
}

// The whole run of equal start points is compared, from its last entry down; a newcomer
// that matched none joins the run where the binary search landed.
bool ContourSifter::onDuplicate(int offset, const AcGePoint2d& key, const AcDbObjectId& newId)
{
    int matches = 0;
    for (int i = static_cast<int>(runOf(key).size()) - 1; i >= 0; --i) {
        const Entry kept = runOf(key)[static_cast<size_t>(i)];
        switch (shapesOf(kept.value, newId)) {
        case kIdentical:
            ++matches;
            eraseEntity(newId);
            break;
        case kSameShapeOtherElevation:
            ++matches;
            switch (resolveCoincidence(kept, newId)) {
            case kDeleteBoth:
                eraseEntity(kept.value);
                eraseEntity(newId);
                removeFromRun(i, key);
                break;
            case kDeleteKept:
                eraseEntity(kept.value);
                setInRun(i, key, newId);
                break;
            case kDeleteNew: eraseEntity(newId); break;
            default: return false;
            }
            break;
        default: break;
        }
    }
    if (matches == 0)
        insertInRun(offset, key, newId);
    return true;
}

int ContourSifter::compare(const AcGePoint2d& a, const AcGePoint2d& b) const
{
    return comparePlanPositions(a, b);
}

} // namespace dh::terrain
