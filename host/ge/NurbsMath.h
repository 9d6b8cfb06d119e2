// B-spline and NURBS arithmetic on homogeneous control points: span search, basis
// functions with derivatives, evaluation with rational derivatives, global interpolation.
// Indices follow the usual convention: n + 1 control points, degree p, knots u[0..n+p+1].
#pragma once

#include <array>
#include <optional>
#include <vector>

namespace dh::ge::nurbs {

typedef std::array<double, 4> Homog; // x*w, y*w, z*w, w
typedef std::array<double, 3> Vec3;

// The span index i with u[i] <= t < u[i+1], clamped to [p, n].
int findSpan(int n, int p, double t, const std::vector<double>& u);

// ders[k][j]: k-th derivative of the j-th non-zero basis function N(span-p+j, p) at t.
std::vector<std::vector<double>> basisDerivs(int span, double t, int p, int nd, const std::vector<double>& u);

// Point and the first nd derivatives of the rational curve at t.
std::vector<Vec3> evaluate(int p, const std::vector<double>& u, const std::vector<Homog>& cw, double t, int nd);
// As evaluate, given the span and only its p + 1 control points (cw[span - p .. span]).
std::vector<Vec3> evaluateSpan(int p, const std::vector<double>& u, int span, const Homog* local, double t, int nd);

struct Interpolant {
    int degree = 0;
    std::vector<double> knots;
    std::vector<Vec3> controlPoints;
};

// Curve of the given degree (lowered when there are too few points) through the points at
// chord-length parameters; optional end derivatives. Needs at least two distinct points.
std::optional<Interpolant> interpolate(const std::vector<Vec3>& points, int degree, const Vec3* startDeriv,
                                       const Vec3* endDeriv);

} // namespace dh::ge::nurbs
