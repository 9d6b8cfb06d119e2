// The kernel's shared enumerations: the kinds of geometric entity (for isKindOf/type) and
// the outcome codes of constructions that can fail.
#pragma once

struct AcGe {
    enum EntityId {
        kEntity2d,
        kEntity3d,
        kPointEnt2d,
        kPointEnt3d,
        kPosition2d,
        kPosition3d,
        kPointOnCurve2d,
        kPointOnCurve3d,
        kCurve2d,
        kCurve3d,
        kLinearEnt2d,
        kLinearEnt3d,
        kLine2d,
        kLine3d,
        kLineSeg2d,
        kLineSeg3d,
        kRay2d,
        kRay3d,
        kCircArc2d,
        kCircArc3d,
        kEllipArc2d,
        kEllipArc3d,
        kSplineEnt2d,
        kSplineEnt3d,
        kNurbCurve2d,
        kNurbCurve3d,
        kCompositeCrv2d,
        kCompositeCrv3d,
        kSurface,
        kPlanarEnt,
        kPlane,
    };

    enum ErrorCondition {
        kOk,
        kNonCoplanarGeometry,
        kDegenerateGeometry,
        kSingularPoint,
    };

    enum KnotParameterization {
        kChord,
        kSqrtChord,
        kUniform,
        kCustomParameterization,
        kNotDefinedKnotParam,
    };
};
