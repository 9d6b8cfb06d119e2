// Curves whose geometry lives in separate vertex objects (old-style and 3D polylines,
// leaders) answer the curve interface through a shape built from their vertices for each
// call: one O(n) build instead of a vertex walk on every evaluation.
#pragma once

#define DH_DELEGATE_CURVE_TO_SHAPE(CLASS)                                                            \
    Acad::ErrorStatus CLASS::getStartParam(double& param) const { return shape().getStartParam(param); } \
    Acad::ErrorStatus CLASS::getEndParam(double& param) const { return shape().getEndParam(param); }  \
    Acad::ErrorStatus CLASS::getStartPoint(AcGePoint3d& point) const { return shape().getStartPoint(point); } \
    Acad::ErrorStatus CLASS::getEndPoint(AcGePoint3d& point) const { return shape().getEndPoint(point); } \
    Acad::ErrorStatus CLASS::getPointAtParam(double param, AcGePoint3d& point) const                 \
    {                                                                                                \
        return shape().getPointAtParam(param, point);                                                \
    }                                                                                                \
    Acad::ErrorStatus CLASS::getParamAtPoint(const AcGePoint3d& point, double& param) const          \
    {                                                                                                \
        return shape().getParamAtPoint(point, param);                                                \
    }                                                                                                \
    Acad::ErrorStatus CLASS::getDistAtParam(double param, double& dist) const                        \
    {                                                                                                \
        return shape().getDistAtParam(param, dist);                                                  \
    }                                                                                                \
    Acad::ErrorStatus CLASS::getParamAtDist(double dist, double& param) const                        \
    {                                                                                                \
        return shape().getParamAtDist(dist, param);                                                  \
    }                                                                                                \
    Acad::ErrorStatus CLASS::getDistAtPoint(const AcGePoint3d& point, double& dist) const            \
    {                                                                                                \
        return shape().getDistAtPoint(point, dist);                                                  \
    }                                                                                                \
    Acad::ErrorStatus CLASS::getPointAtDist(double dist, AcGePoint3d& point) const                   \
    {                                                                                                \
        return shape().getPointAtDist(dist, point);                                                  \
    }                                                                                                \
    Acad::ErrorStatus CLASS::getFirstDeriv(double param, AcGeVector3d& deriv) const                  \
    {                                                                                                \
        return shape().getFirstDeriv(param, deriv);                                                  \
    }                                                                                                \
    Acad::ErrorStatus CLASS::getFirstDeriv(const AcGePoint3d& point, AcGeVector3d& deriv) const      \
    {                                                                                                \
        return shape().getFirstDeriv(point, deriv);                                                  \
    }                                                                                                \
    Acad::ErrorStatus CLASS::getSecondDeriv(double param, AcGeVector3d& deriv) const                 \
    {                                                                                                \
        return shape().getSecondDeriv(param, deriv);                                                 \
    }                                                                                                \
    Acad::ErrorStatus CLASS::getSecondDeriv(const AcGePoint3d& point, AcGeVector3d& deriv) const     \
    {                                                                                                \
        return shape().getSecondDeriv(point, deriv);                                                 \
    }                                                                                                \
    Acad::ErrorStatus CLASS::getClosestPointTo(const AcGePoint3d& given, AcGePoint3d& result, bool extend) const \
    {                                                                                                \
        return shape().getClosestPointTo(given, result, extend);                                     \
    }                                                                                                \
    Acad::ErrorStatus CLASS::getClosestPointTo(const AcGePoint3d& given, const AcGeVector3d& normal,  \
                                               AcGePoint3d& result, bool extend) const               \
    {                                                                                                \
        return shape().getClosestPointTo(given, normal, result, extend);                             \
    }                                                                                                \
    Acad::ErrorStatus CLASS::getArea(double& area) const { return shape().getArea(area); }           \
    Acad::ErrorStatus CLASS::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const            \
    {                                                                                                \
        return shape().getPlane(plane, planarity);                                                   \
    }                                                                                                \
    Acad::ErrorStatus CLASS::getGeomExtents(AcDbExtents& extents) const                              \
    {                                                                                                \
        return shape().getGeomExtents(extents);                                                      \
    }                                                                                                \
    void CLASS::getSpans(std::vector<Span>& spans) const { shape().getSpans(spans); }                \
    bool CLASS::evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1, AcGeVector3d* d2) const \
    {                                                                                                \
        return shape().evaluate(param, point, d1, d2);                                               \
    }
