// A point that a ScatterSet can hold: a plan position in drawing units.
#pragma once

#include <acge/AcGePoint2d.h>

namespace dh::terrain {

class I_ScatterPoint {
public:
    I_ScatterPoint() = default;
    explicit I_ScatterPoint(const AcGePoint2d& at) : position(at) {}
    I_ScatterPoint(const I_ScatterPoint&) = default;
    I_ScatterPoint& operator=(const I_ScatterPoint&) = default;
    virtual ~I_ScatterPoint() = default;

    AcGePoint2d position;
};

} // namespace dh::terrain
