// An axis-aligned box in world coordinates. A new box is empty (min above max) until a
// point is added.
#pragma once

#include <acge/AcGeMatrix3d.h>
#include <acge/AcGePoint3d.h>
#include <adesk/Adesk.h>

#include <algorithm>
#include <limits>

class ADESK_EXPORT AcDbExtents {
public:
    AcDbExtents() = default;
    AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max) : m_min(min), m_max(max) {}

    const AcGePoint3d& minPoint() const { return m_min; }
    const AcGePoint3d& maxPoint() const { return m_max; }
    void set(const AcGePoint3d& min, const AcGePoint3d& max) { m_min = min; m_max = max; }
    bool isEmpty() const { return m_min.x > m_max.x; }

    void addPoint(const AcGePoint3d& p)
    {
        m_min.set(std::min(m_min.x, p.x), std::min(m_min.y, p.y), std::min(m_min.z, p.z));
        m_max.set(std::max(m_max.x, p.x), std::max(m_max.y, p.y), std::max(m_max.z, p.z));
    }
    void addExt(const AcDbExtents& other)
    {
        if (other.isEmpty())
            return;
        addPoint(other.m_min);
        addPoint(other.m_max);
    }
    // The box of the eight transformed corners.
    void transformBy(const AcGeMatrix3d& m);

private:
    static constexpr double kBig = std::numeric_limits<double>::max();
    AcGePoint3d m_min{kBig, kBig, kBig};
    AcGePoint3d m_max{-kBig, -kBig, -kBig};
};
