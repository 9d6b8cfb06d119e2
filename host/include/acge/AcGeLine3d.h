// AcGeLine3d: an unbounded line through a point along a vector; parameter 0 at the point.
#pragma once

#include <acge/AcGeLinearEnt3d.h>

class ADESK_EXPORT AcGeLine3d : public AcGeLinearEnt3d {
public:
    AcGeLine3d() = default;
    AcGeLine3d(const AcGePoint3d& point, const AcGeVector3d& vector) : AcGeLinearEnt3d(point, vector) {}
    AcGeLine3d(const AcGePoint3d& point1, const AcGePoint3d& point2) : AcGeLinearEnt3d(point1, point2 - point1) {}

    AcGeLine3d& set(const AcGePoint3d& point, const AcGeVector3d& vector);
    AcGeLine3d& set(const AcGePoint3d& point1, const AcGePoint3d& point2);

    AcGe::EntityId type() const override { return AcGe::kLine3d; }
    bool isKindOf(AcGe::EntityId id) const override { return id == AcGe::kLine3d || AcGeLinearEnt3d::isKindOf(id); }
    AcGeLine3d* copy() const override { return new AcGeLine3d(*this); }
    void getInterval(AcGeInterval& range) const override { range = AcGeInterval(); }
    AcGeLine3d& reverseParam() override;
};
