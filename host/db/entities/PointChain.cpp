#include "host/db/entities/PointChain.h"

#include "host/db/entities/NurbsBuilder.h"

#include <acdb/AcDbSpline.h>

#include <cmath>

namespace dh::db {

unsigned int PointChain::numSegments() const
{
    const auto n = static_cast<unsigned int>(m_points.size());
    if (n < 2)
        return 0;
    return m_closed ? n : n - 1;
}

void PointChain::getSpans(std::vector<Span>& spans) const
{
    spans.clear();
    if (m_points.empty())
        return;
    const unsigned int n = numSegments();
    if (n == 0)
        spans.push_back(Span{0.0, 0.0, true});
    for (unsigned int i = 0; i < n; ++i)
        spans.push_back(Span{static_cast<double>(i), i + 1.0, true});
}

bool PointChain::evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1, AcGeVector3d* d2) const
{
    if (m_points.empty())
        return false;
    const unsigned int n = numSegments();
    if (d2)
        *d2 = AcGeVector3d();
    if (n == 0) {
        point = m_points.front();
        if (d1)
            *d1 = AcGeVector3d();
        return true;
    }
    double t = m_closed ? std::fmod(param, static_cast<double>(n)) : param;
    if (m_closed && param >= n && t == 0.0)
        t = n;
    const unsigned int i = std::min(static_cast<unsigned int>(std::max(0.0, std::floor(t))), n - 1);
    const AcGePoint3d& a = m_points[i];
    const AcGePoint3d& b = m_points[(i + 1) % m_points.size()];
    const double f = t - i;
    point = f == 1.0 ? b : a + (b - a) * f;
    if (d1)
        *d1 = b - a;
    return true;
}

Acad::ErrorStatus PointChain::getSpline(AcDbSpline*& spline) const
{
    NurbsBuilder builder;
    for (unsigned int i = 0; i < numSegments(); ++i) {
        const AcGePoint3d& a = m_points[i];
        const AcGePoint3d& b = m_points[(i + 1) % m_points.size()];
        if (!a.isEqualTo(b))
            builder.addLine(a, b);
    }
    if (builder.isEmpty())
        return Acad::eDegenerateGeometry;
    spline = builder.makeSpline(m_closed);
    return Acad::eOk;
}

std::vector<AcGePoint3d> PointChain::stretch(double t0, double t1) const
{
    std::vector<AcGePoint3d> out;
    AcGePoint3d p;
    evaluate(t0, p);
    out.push_back(p);
    const double eps = 1e-12 * std::max(1.0, t1);
    for (double k = std::floor(t0) + 1.0; k < t1 - eps; k += 1.0) {
        if (k - t0 <= eps)
            continue;
        evaluate(k, p);
        out.push_back(p);
    }
    evaluate(t1, p);
    out.push_back(p);
    return out;
}

} // namespace dh::db
