#include <acge/AcGeMatrix3d.h>
#include <acge/AcGePlane.h>

#include <cmath>
#include <utility>

const AcGeMatrix3d AcGeMatrix3d::kIdentity;

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& m) const
{
    AcGeMatrix3d r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double s = 0.0;
            for (int k = 0; k < 4; ++k)
                s += entry[i][k] * m.entry[k][j];
            r.entry[i][j] = s;
        }
    return r;
}

AcGeMatrix3d& AcGeMatrix3d::setToIdentity()
{
    return *this = AcGeMatrix3d();
}

AcGeMatrix3d& AcGeMatrix3d::preMultBy(const AcGeMatrix3d& left)
{
    return *this = left * *this;
}

AcGeMatrix3d& AcGeMatrix3d::postMultBy(const AcGeMatrix3d& right)
{
    return *this = *this * right;
}

AcGeMatrix3d& AcGeMatrix3d::setToProduct(const AcGeMatrix3d& a, const AcGeMatrix3d& b)
{
    return *this = a * b;
}

AcGeMatrix3d& AcGeMatrix3d::transposeIt()
{
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            std::swap(entry[i][j], entry[j][i]);
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::transpose() const
{
    AcGeMatrix3d r = *this;
    return r.transposeIt();
}

double AcGeMatrix3d::det() const
{
    // Gaussian elimination with partial pivoting on a copy.
    double a[4][4];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            a[i][j] = entry[i][j];
    double d = 1.0;
    for (int c = 0; c < 4; ++c) {
        int p = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[p][c]))
                p = r;
        if (a[p][c] == 0.0)
            return 0.0;
        if (p != c) {
            for (int j = 0; j < 4; ++j)
                std::swap(a[p][j], a[c][j]);
            d = -d;
        }
        d *= a[c][c];
        for (int r = c + 1; r < 4; ++r) {
            const double f = a[r][c] / a[c][c];
            for (int j = c; j < 4; ++j)
                a[r][j] -= f * a[c][j];
        }
    }
    return d;
}

bool AcGeMatrix3d::isSingular(const AcGeTol& tol) const
{
    return std::fabs(det()) <= tol.equalVector() * tol.equalVector() * tol.equalVector();
}

AcGeMatrix3d AcGeMatrix3d::inverse() const
{
    AcGeMatrix3d r = *this;
    return r.invert();
}

AcGeMatrix3d& AcGeMatrix3d::invert()
{
    // Gauss-Jordan with partial pivoting; a singular matrix is left unchanged.
    double a[4][8];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            a[i][j] = entry[i][j];
            a[i][j + 4] = i == j ? 1.0 : 0.0;
        }
    for (int c = 0; c < 4; ++c) {
        int p = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[p][c]))
                p = r;
        if (a[p][c] == 0.0)
            return *this;
        if (p != c)
            for (int j = 0; j < 8; ++j)
                std::swap(a[p][j], a[c][j]);
        const double inv = 1.0 / a[c][c];
        for (int j = 0; j < 8; ++j)
            a[c][j] *= inv;
        for (int r = 0; r < 4; ++r) {
            if (r == c || a[r][c] == 0.0)
                continue;
            const double f = a[r][c];
            for (int j = 0; j < 8; ++j)
                a[r][j] -= f * a[c][j];
        }
    }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            entry[i][j] = a[i][j + 4];
    return *this;
}

bool AcGeMatrix3d::isEqualTo(const AcGeMatrix3d& m, const AcGeTol& tol) const
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (std::fabs(entry[i][j] - m.entry[i][j]) > tol.equalVector())
                return false;
    return true;
}

bool AcGeMatrix3d::isUniScaledOrtho(const AcGeTol& tol) const
{
    const AcGeVector3d cx(entry[0][0], entry[1][0], entry[2][0]);
    const AcGeVector3d cy(entry[0][1], entry[1][1], entry[2][1]);
    const AcGeVector3d cz(entry[0][2], entry[1][2], entry[2][2]);
    const double s = cx.length();
    if (s <= tol.equalVector())
        return false;
    const double e = tol.equalVector() * s;
    return std::fabs(cy.length() - s) <= e && std::fabs(cz.length() - s) <= e
        && std::fabs(cx.dotProduct(cy)) <= e * s && std::fabs(cy.dotProduct(cz)) <= e * s
        && std::fabs(cz.dotProduct(cx)) <= e * s;
}

AcGeMatrix3d& AcGeMatrix3d::setToTranslation(const AcGeVector3d& v)
{
    setToIdentity();
    entry[0][3] = v.x;
    entry[1][3] = v.y;
    entry[2][3] = v.z;
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToRotation(double angle, const AcGeVector3d& axis, const AcGePoint3d& center)
{
    const AcGeVector3d u = axis.normal();
    const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    setToIdentity();
    // Rodrigues' formula.
    entry[0][0] = t * u.x * u.x + c;
    entry[0][1] = t * u.x * u.y - s * u.z;
    entry[0][2] = t * u.x * u.z + s * u.y;
    entry[1][0] = t * u.x * u.y + s * u.z;
    entry[1][1] = t * u.y * u.y + c;
    entry[1][2] = t * u.y * u.z - s * u.x;
    entry[2][0] = t * u.x * u.z - s * u.y;
    entry[2][1] = t * u.y * u.z + s * u.x;
    entry[2][2] = t * u.z * u.z + c;
    for (int i = 0; i < 3; ++i)
        entry[i][3] = center[i] - (entry[i][0] * center.x + entry[i][1] * center.y + entry[i][2] * center.z);
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(double factor, const AcGePoint3d& center)
{
    setToIdentity();
    for (int i = 0; i < 3; ++i) {
        entry[i][i] = factor;
        entry[i][3] = center[i] * (1.0 - factor);
    }
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePlanarEnt& plane)
{
    const AcGeVector3d n = plane.normal().normal();
    const AcGePoint3d p = plane.origin();
    setToIdentity();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            entry[i][j] = (i == j ? 1.0 : 0.0) - 2.0 * n[i] * n[j];
    for (int i = 0; i < 3; ++i)
        entry[i][3] = p[i] - (entry[i][0] * p.x + entry[i][1] * p.y + entry[i][2] * p.z);
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePoint3d& point)
{
    return setToScaling(-1.0, point);
}

AcGeMatrix3d& AcGeMatrix3d::setToPlaneToWorld(const AcGePlanarEnt& plane)
{
    return setCoordSystem(plane.origin(), plane.uAxis(), plane.vAxis(), plane.normal());
}

AcGeMatrix3d& AcGeMatrix3d::setToWorldToPlane(const AcGePlanarEnt& plane)
{
    return setToPlaneToWorld(plane).invert();
}

AcGeMatrix3d& AcGeMatrix3d::setToPlaneToWorld(const AcGeVector3d& normal)
{
    const AcGeVector3d n = normal.normal();
    const AcGeVector3d ax = n.perpVector();
    return setCoordSystem(AcGePoint3d::kOrigin, ax, n.crossProduct(ax).normal(), n);
}

AcGeMatrix3d& AcGeMatrix3d::setToWorldToPlane(const AcGeVector3d& normal)
{
    return setToPlaneToWorld(normal).invert();
}

AcGeMatrix3d& AcGeMatrix3d::setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                           const AcGeVector3d& yAxis, const AcGeVector3d& zAxis)
{
    setToIdentity();
    for (int i = 0; i < 3; ++i) {
        entry[i][0] = xAxis[i];
        entry[i][1] = yAxis[i];
        entry[i][2] = zAxis[i];
        entry[i][3] = origin[i];
    }
    return *this;
}

void AcGeMatrix3d::getCoordSystem(AcGePoint3d& origin, AcGeVector3d& xAxis, AcGeVector3d& yAxis,
                                  AcGeVector3d& zAxis) const
{
    for (int i = 0; i < 3; ++i) {
        xAxis[i] = entry[i][0];
        yAxis[i] = entry[i][1];
        zAxis[i] = entry[i][2];
        origin[i] = entry[i][3];
    }
}

AcGeMatrix3d& AcGeMatrix3d::setToAlignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                               const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                               const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                               const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis)
{
    AcGeMatrix3d from, to;
    from.setCoordSystem(fromOrigin, fromXAxis, fromYAxis, fromZAxis);
    to.setCoordSystem(toOrigin, toXAxis, toYAxis, toZAxis);
    return *this = to * from.inverse();
}

double AcGeMatrix3d::scale() const
{
    double s = 0.0;
    for (int j = 0; j < 3; ++j) {
        const double len = AcGeVector3d(entry[0][j], entry[1][j], entry[2][j]).length();
        if (len > s)
            s = len;
    }
    return s;
}

AcGeMatrix2d AcGeMatrix3d::convertToLocal2d() const
{
    AcGeMatrix2d m;
    m.entry[0][0] = entry[0][0];
    m.entry[0][1] = entry[0][1];
    m.entry[0][2] = entry[0][3];
    m.entry[1][0] = entry[1][0];
    m.entry[1][1] = entry[1][1];
    m.entry[1][2] = entry[1][3];
    return m;
}

AcGeMatrix3d AcGeMatrix3d::translation(const AcGeVector3d& v)
{
    return AcGeMatrix3d().setToTranslation(v);
}

AcGeMatrix3d AcGeMatrix3d::rotation(double angle, const AcGeVector3d& axis, const AcGePoint3d& center)
{
    return AcGeMatrix3d().setToRotation(angle, axis, center);
}

AcGeMatrix3d AcGeMatrix3d::scaling(double factor, const AcGePoint3d& center)
{
    return AcGeMatrix3d().setToScaling(factor, center);
}

AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGePlanarEnt& plane)
{
    return AcGeMatrix3d().setToMirroring(plane);
}

AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGeVector3d& normal)
{
    return AcGeMatrix3d().setToWorldToPlane(normal);
}

AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGeVector3d& normal)
{
    return AcGeMatrix3d().setToPlaneToWorld(normal);
}
