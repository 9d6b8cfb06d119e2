// AcGePointOnCurve2d: a parameter on a curve and the point it evaluates to. The curve is
// referenced, not owned; it must outlive this object's queries.
#pragma once

#include <acge/AcGeCurve2d.h>

class ADESK_EXPORT AcGePointOnCurve2d {
public:
    AcGePointOnCurve2d() = default;
    explicit AcGePointOnCurve2d(const AcGeCurve2d& curve, double param = 0.0) : m_curve(&curve), m_param(param) {}

    const AcGeCurve2d* curve() const { return m_curve; }
    double parameter() const { return m_param; }
    AcGePoint2d point() const { return m_curve ? m_curve->evalPoint(m_param) : AcGePoint2d(); }
    AcGePoint2d point(double param)
    {
        m_param = param;
        return point();
    }
    AcGeVector2d deriv(int order) const
    {
        AcGeVector2dArray d;
        if (!m_curve || order < 1)
            return {};
        m_curve->evalPoint(m_param, order, d);
        return d.length() >= order ? d[order - 1] : AcGeVector2d();
    }
    AcGePointOnCurve2d& setCurve(const AcGeCurve2d& curve)
    {
        m_curve = &curve;
        return *this;
    }
    AcGePointOnCurve2d& setParameter(double param)
    {
        m_param = param;
        return *this;
    }

private:
    const AcGeCurve2d* m_curve = nullptr;
    double m_param = 0.0;
};
