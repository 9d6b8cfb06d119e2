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

int ContourSifter::resolveCoincidence(int index, AcDbObjectId newId)
{
    double kept = 0.0;
    double incoming = 0.0;
    elevationOf(valueAt(index), kept);
    elevationOf(newId, incoming);
    if (std::fabs(kept - incoming) < kSameElevation)
        return kDeleteNew;
    return askWhichToDelete(kept, incoming, newId);
}

bool ContourSifter::onDuplicate(int index, const AcGePoint2d& key, const AcDbObjectId& newId)
{
    const int first = rankOf(key);
    const int last = first + runLength(key) - 1;
    (void)index;
    int matches = 0;
    for (int i = last; i >= first; --i) {
        const AcDbObjectId keptId = valueAt(i);
        switch (shapesOf(keptId, newId)) {
        case kIdentical:
            ++matches;
            eraseEntity(newId);
            break;
        case kSameShapeOtherElevation:
            ++matches;
            switch (resolveCoincidence(i, newId)) {
            case kDeleteBoth:
                eraseEntity(keptId);
                eraseEntity(newId);
                removeAt(i);
                break;
            case kDeleteKept:
                eraseEntity(keptId);
                setAt(i, key, newId);
                break;
            case kDeleteNew: eraseEntity(newId); break;
            default: return false;
            }
            break;
        default: break;
        }
    }
    if (matches == 0)
        insertAt(index, key, newId);
    return true;
}

int ContourSifter::compare(const AcGePoint2d& a, const AcGePoint2d& b) const
{
    if (a.x != b.x)
        return a.x < b.x ? -1 : 1;
    if (a.y != b.y)
        return a.y < b.y ? -1 : 1;
    return 0;
}

} // namespace dh::terrain
