// AcGeLine2d: an unbounded line through a point along a vector; parameter 0 at the point,
// 1 one vector further.
#pragma once

#include <acge/AcGeLinearEnt2d.h>

class ADESK_EXPORT AcGeLine2d : public AcGeLinearEnt2d {
public:
    AcGeLine2d() = default;
    AcGeLine2d(const AcGePoint2d& point, const AcGeVector2d& vector) : AcGeLinearEnt2d(point, vector) {}
    AcGeLine2d(const AcGePoint2d& point1, const AcGePoint2d& point2) : AcGeLinearEnt2d(point1, point2 - point1) {}

    static const AcGeLine2d kXAxis;
    static const AcGeLine2d kYAxis;

    AcGeLine2d& set(const AcGePoint2d& point, const AcGeVector2d& vector);
    AcGeLine2d& set(const AcGePoint2d& point1, const AcGePoint2d& point2);

    AcGe::EntityId type() const override { return AcGe::kLine2d; }
    bool isKindOf(AcGe::EntityId id) const override { return id == AcGe::kLine2d || AcGeLinearEnt2d::isKindOf(id); }
    AcGeLine2d* copy() const override { return new AcGeLine2d(*this); }
    void getInterval(AcGeInterval& range) const override { range = AcGeInterval(); }
    AcGeLine2d& reverseParam() override;
};
