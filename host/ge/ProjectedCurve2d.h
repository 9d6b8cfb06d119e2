// ProjectedCurve2d: a 3D curve seen orthogonally in a plane, as a 2D curve in the plane's
// coordinates that keeps the 3D curve's parameterisation. Owns a copy of the 3D curve.
#pragma once

#include <acge/AcGeCurve2d.h>
#include <acge/AcGeCurve3d.h>

#include <memory>

namespace dh::ge {

class ProjectedCurve2d : public AcGeCurve2d {
public:
    ProjectedCurve2d(const AcGeCurve3d& curve, const AcGePlanarEnt& plane);
    ProjectedCurve2d(const ProjectedCurve2d& other);
    ProjectedCurve2d& operator=(const ProjectedCurve2d& other);

    const AcGeCurve3d& curve3d() const { return *m_curve; }

    AcGe::EntityId type() const override { return AcGe::kCurve2d; }
    ProjectedCurve2d* copy() const override { return new ProjectedCurve2d(*this); }
    ProjectedCurve2d& transformBy(const AcGeMatrix2d& xform) override;
    void getInterval(AcGeInterval& range) const override { m_curve->getInterval(range); }
    AcGePoint2d evalPoint(double param) const override { return m_curve->evalPoint(param).convert2d(m_plane); }
    AcGePoint2d evalPoint(double param, int numDeriv, AcGeVector2dArray& derivs) const override;
    ProjectedCurve2d& reverseParam() override;
    void getExtents(AcGePoint2d& minPoint, AcGePoint2d& maxPoint) const override;

protected:
    std::vector<double> paramGrid(double from, double to) const override { return m_curve->paramGrid(from, to); }

private:
    std::unique_ptr<AcGeCurve3d> m_curve;
    AcGePlane m_plane;
};

} // namespace dh::ge
