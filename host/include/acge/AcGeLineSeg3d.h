// AcGeLineSeg3d: a straight segment from a start to an end point, parameter 0 to 1.
#pragma once

#include <acge/AcGeLinearEnt3d.h>

class ADESK_EXPORT AcGeLineSeg3d : public AcGeLinearEnt3d {
public:
    AcGeLineSeg3d() = default;
    AcGeLineSeg3d(const AcGePoint3d& start, const AcGePoint3d& end) : AcGeLinearEnt3d(start, end - start) {}
    AcGeLineSeg3d(const AcGePoint3d& start, const AcGeVector3d& vector) : AcGeLinearEnt3d(start, vector) {}

    AcGeLineSeg3d& set(const AcGePoint3d& start, const AcGePoint3d& end);
    AcGeLineSeg3d& set(const AcGePoint3d& start, const AcGeVector3d& vector);

    AcGePoint3d startPoint() const { return m_point; }
    AcGePoint3d endPoint() const { return m_point + m_vector; }
    AcGePoint3d midPoint() const { return m_point + m_vector * 0.5; }
    double length() const { return m_vector.length(); }
    using AcGeLinearEnt3d::length;

    AcGe::EntityId type() const override { return AcGe::kLineSeg3d; }
    bool isKindOf(AcGe::EntityId id) const override
    {
        return id == AcGe::kLineSeg3d || AcGeLinearEnt3d::isKindOf(id);
    }
    AcGeLineSeg3d* copy() const override { return new AcGeLineSeg3d(*this); }
    void getInterval(AcGeInterval& range) const override { range = AcGeInterval(0.0, 1.0); }
    AcGeLineSeg3d& reverseParam() override;
};
