#include <acge/AcGeMatrix2d.h>

#include <cmath>

const AcGeMatrix2d AcGeMatrix2d::kIdentity;

AcGeMatrix2d AcGeMatrix2d::operator*(const AcGeMatrix2d& m) const
{
    AcGeMatrix2d r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double s = 0.0;
            for (int k = 0; k < 3; ++k)
                s += entry[i][k] * m.entry[k][j];
            r.entry[i][j] = s;
        }
    return r;
}

AcGeMatrix2d& AcGeMatrix2d::setToIdentity()
{
    return *this = AcGeMatrix2d();
}

AcGeMatrix2d& AcGeMatrix2d::preMultBy(const AcGeMatrix2d& left)
{
    return *this = left * *this;
}

AcGeMatrix2d& AcGeMatrix2d::postMultBy(const AcGeMatrix2d& right)
{
    return *this = *this * right;
}

AcGeMatrix2d& AcGeMatrix2d::setToProduct(const AcGeMatrix2d& a, const AcGeMatrix2d& b)
{
    return *this = a * b;
}

double AcGeMatrix2d::det() const
{
    return entry[0][0] * entry[1][1] - entry[0][1] * entry[1][0];
}

bool AcGeMatrix2d::isSingular(const AcGeTol& tol) const
{
    return std::fabs(det()) <= tol.equalVector() * tol.equalVector();
}

AcGeMatrix2d AcGeMatrix2d::inverse() const
{
    AcGeMatrix2d r = *this;
    return r.invert();
}

AcGeMatrix2d& AcGeMatrix2d::invert()
{
    const double d = det();
    if (d == 0.0)
        return *this; // Singular: left unchanged, callers test isSingular first.
    const double a = entry[0][0], b = entry[0][1], c = entry[1][0], e = entry[1][1];
    const double tx = entry[0][2], ty = entry[1][2];
    AcGeMatrix2d r;
    r.entry[0][0] = e / d;
    r.entry[0][1] = -b / d;
    r.entry[1][0] = -c / d;
    r.entry[1][1] = a / d;
    r.entry[0][2] = -(r.entry[0][0] * tx + r.entry[0][1] * ty);
    r.entry[1][2] = -(r.entry[1][0] * tx + r.entry[1][1] * ty);
    return *this = r;
}

bool AcGeMatrix2d::isEqualTo(const AcGeMatrix2d& m, const AcGeTol& tol) const
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (std::fabs(entry[i][j] - m.entry[i][j]) > tol.equalVector())
                return false;
    return true;
}

AcGeMatrix2d& AcGeMatrix2d::setToTranslation(const AcGeVector2d& v)
{
    setToIdentity();
    entry[0][2] = v.x;
    entry[1][2] = v.y;
    return *this;
}

AcGeMatrix2d& AcGeMatrix2d::setToRotation(double angle, const AcGePoint2d& center)
{
    const double c = std::cos(angle), s = std::sin(angle);
    setToIdentity();
    entry[0][0] = c;
    entry[0][1] = -s;
    entry[1][0] = s;
    entry[1][1] = c;
    entry[0][2] = center.x - (c * center.x - s * center.y);
    entry[1][2] = center.y - (s * center.x + c * center.y);
    return *this;
}

AcGeMatrix2d& AcGeMatrix2d::setToScaling(double factor, const AcGePoint2d& center)
{
    setToIdentity();
    entry[0][0] = factor;
    entry[1][1] = factor;
    entry[0][2] = center.x * (1.0 - factor);
    entry[1][2] = center.y * (1.0 - factor);
    return *this;
}

AcGeMatrix2d& AcGeMatrix2d::setToMirroring(const AcGePoint2d& point)
{
    return setToScaling(-1.0, point);
}

AcGeMatrix2d& AcGeMatrix2d::setToMirroring(const AcGePoint2d& point, const AcGeVector2d& dir)
{
    const AcGeVector2d u = dir.normal();
    // Reflection across the line: 2 u u^T - I, about the point.
    setToIdentity();
    entry[0][0] = 2.0 * u.x * u.x - 1.0;
    entry[0][1] = 2.0 * u.x * u.y;
    entry[1][0] = 2.0 * u.x * u.y;
    entry[1][1] = 2.0 * u.y * u.y - 1.0;
    entry[0][2] = point.x - (entry[0][0] * point.x + entry[0][1] * point.y);
    entry[1][2] = point.y - (entry[1][0] * point.x + entry[1][1] * point.y);
    return *this;
}

AcGeMatrix2d& AcGeMatrix2d::setCoordSystem(const AcGePoint2d& origin, const AcGeVector2d& xAxis,
                                           const AcGeVector2d& yAxis)
{
    setToIdentity();
    entry[0][0] = xAxis.x;
    entry[1][0] = xAxis.y;
    entry[0][1] = yAxis.x;
    entry[1][1] = yAxis.y;
    entry[0][2] = origin.x;
    entry[1][2] = origin.y;
    return *this;
}

void AcGeMatrix2d::getCoordSystem(AcGePoint2d& origin, AcGeVector2d& xAxis, AcGeVector2d& yAxis) const
{
    origin.set(entry[0][2], entry[1][2]);
    xAxis.set(entry[0][0], entry[1][0]);
    yAxis.set(entry[0][1], entry[1][1]);
}

double AcGeMatrix2d::scale() const
{
    const double sx = std::hypot(entry[0][0], entry[1][0]);
    const double sy = std::hypot(entry[0][1], entry[1][1]);
    return sx > sy ? sx : sy;
}

AcGeMatrix2d AcGeMatrix2d::translation(const AcGeVector2d& v)
{
    return AcGeMatrix2d().setToTranslation(v);
}

AcGeMatrix2d AcGeMatrix2d::rotation(double angle, const AcGePoint2d& center)
{
    return AcGeMatrix2d().setToRotation(angle, center);
}

AcGeMatrix2d AcGeMatrix2d::scaling(double factor, const AcGePoint2d& center)
{
    return AcGeMatrix2d().setToScaling(factor, center);
}
