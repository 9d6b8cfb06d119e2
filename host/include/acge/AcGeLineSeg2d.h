// AcGeLineSeg2d: a straight segment from a start to an end point, parameter 0 to 1.
#pragma once

#include <acge/AcGeLinearEnt2d.h>

class ADESK_EXPORT AcGeLineSeg2d : public AcGeLinearEnt2d {
public:
    AcGeLineSeg2d() = default;
    AcGeLineSeg2d(const AcGePoint2d& start, const AcGePoint2d& end) : AcGeLinearEnt2d(start, end - start) {}
    AcGeLineSeg2d(const AcGePoint2d& start, const AcGeVector2d& vector) : AcGeLinearEnt2d(start, vector) {}

    AcGeLineSeg2d& set(const AcGePoint2d& start, const AcGePoint2d& end);
    AcGeLineSeg2d& set(const AcGePoint2d& start, const AcGeVector2d& vector);

    AcGePoint2d startPoint() const { return m_point; }
    AcGePoint2d endPoint() const { return m_point + m_vector; }
    AcGePoint2d midPoint() const { return m_point + m_vector * 0.5; }
    double length() const { return m_vector.length(); }
    using AcGeLinearEnt2d::length;

    AcGe::EntityId type() const override { return AcGe::kLineSeg2d; }
    bool isKindOf(AcGe::EntityId id) const override
    {
        return id == AcGe::kLineSeg2d || AcGeLinearEnt2d::isKindOf(id);
    }
    AcGeLineSeg2d* copy() const override { return new AcGeLineSeg2d(*this); }
    void getInterval(AcGeInterval& range) const override { range = AcGeInterval(0.0, 1.0); }
    AcGeLineSeg2d& reverseParam() override;
};
