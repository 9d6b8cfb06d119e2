#include "host/ge/NurbsMath.h"

#include <algorithm>
#include <cmath>

namespace dh::ge::nurbs {

int findSpan(int n, int p, double t, const std::vector<double>& u)
{
    if (t >= u[static_cast<size_t>(n + 1)]) {
        // At the domain's end, the last non-empty span.
        int i = n;
        while (i > p && u[static_cast<size_t>(i)] >= u[static_cast<size_t>(n + 1)])
            --i;
        return i;
    }
    if (t <= u[static_cast<size_t>(p)])
        return p;
    int lo = p, hi = n + 1;
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        if (t < u[static_cast<size_t>(mid)])
            hi = mid;
        else
            lo = mid;
    }
    return lo;
}

std::vector<std::vector<double>> basisDerivs(int span, double t, int p, int nd, const std::vector<double>& u)
{
    const size_t P = static_cast<size_t>(p);
    std::vector<std::vector<double>> ndu(P + 1, std::vector<double>(P + 1, 0.0));
    std::vector<double> left(P + 1), right(P + 1);
    ndu[0][0] = 1.0;
    for (size_t j = 1; j <= P; ++j) {
        left[j] = t - u[static_cast<size_t>(span) + 1 - j];
        right[j] = u[static_cast<size_t>(span) + j] - t;
        double saved = 0.0;
        for (size_t r = 0; r < j; ++r) {
            ndu[j][r] = right[r + 1] + left[j - r];
            const double tmp = ndu[j][r] != 0.0 ? ndu[r][j - 1] / ndu[j][r] : 0.0;
            ndu[r][j] = saved + right[r + 1] * tmp;
            saved = left[j - r] * tmp;
        }
        ndu[j][j] = saved;
    }
    const size_t ND = static_cast<size_t>(nd);
    std::vector<std::vector<double>> ders(ND + 1, std::vector<double>(P + 1, 0.0));
    for (size_t j = 0; j <= P; ++j)
        ders[0][j] = ndu[j][P];
    std::vector<std::vector<double>> a(2, std::vector<double>(P + 1, 0.0));
    for (int r = 0; r <= p; ++r) {
        int s1 = 0, s2 = 1;
        a[0][0] = 1.0;
        for (int k = 1; k <= nd && k <= p; ++k) {
            double d = 0.0;
            const int rk = r - k, pk = p - k;
            auto A = [&](int row, int col) -> double& { return a[static_cast<size_t>(row)][static_cast<size_t>(col)]; };
            auto NDU = [&](int row, int col) { return ndu[static_cast<size_t>(row)][static_cast<size_t>(col)]; };
            if (r >= k) {
                A(s2, 0) = NDU(pk + 1, rk) != 0.0 ? A(s1, 0) / NDU(pk + 1, rk) : 0.0;
                d = A(s2, 0) * NDU(rk, pk);
            }
            const int j1 = rk >= -1 ? 1 : -rk;
            const int j2 = (r - 1 <= pk) ? k - 1 : p - r;
            for (int j = j1; j <= j2; ++j) {
                A(s2, j) = NDU(pk + 1, rk + j) != 0.0 ? (A(s1, j) - A(s1, j - 1)) / NDU(pk + 1, rk + j) : 0.0;
                d += A(s2, j) * NDU(rk + j, pk);
            }
            if (r <= pk) {
                A(s2, k) = NDU(pk + 1, r) != 0.0 ? -A(s1, k - 1) / NDU(pk + 1, r) : 0.0;
                d += A(s2, k) * NDU(r, pk);
            }
            ders[static_cast<size_t>(k)][static_cast<size_t>(r)] = d;
            std::swap(s1, s2);
        }
    }
    double r = p;
    for (int k = 1; k <= nd && k <= p; ++k) {
        for (size_t j = 0; j <= P; ++j)
            ders[static_cast<size_t>(k)][j] *= r;
        r *= (p - k);
    }
    return ders;
}

std::vector<Vec3> evaluate(int p, const std::vector<double>& u, const std::vector<Homog>& cw, double t, int nd)
{
    const int n = static_cast<int>(cw.size()) - 1;
    const int span = findSpan(n, p, t, u);
    return evaluateSpan(p, u, span, &cw[static_cast<size_t>(span - p)], t, nd);
}

std::vector<Vec3> evaluateSpan(int p, const std::vector<double>& u, int span, const Homog* local, double t, int nd)
{
    const auto ders = basisDerivs(span, t, p, nd, u);
    // Homogeneous derivatives A(k), w(k); then C(k) = (A(k) - sum binom(k,i) w(i) C(k-i)) / w.
    std::vector<Homog> h(static_cast<size_t>(nd) + 1, Homog{0, 0, 0, 0});
    for (int k = 0; k <= nd && k <= p; ++k)
        for (int j = 0; j <= p; ++j) {
            const Homog& c = local[j];
            const double b = ders[static_cast<size_t>(k)][static_cast<size_t>(j)];
            for (int d = 0; d < 4; ++d)
                h[static_cast<size_t>(k)][static_cast<size_t>(d)] += b * c[static_cast<size_t>(d)];
        }
    std::vector<Vec3> out(static_cast<size_t>(nd) + 1, Vec3{0, 0, 0});
    const double w0 = h[0][3];
    for (int k = 0; k <= nd; ++k) {
        Vec3 v{h[static_cast<size_t>(k)][0], h[static_cast<size_t>(k)][1], h[static_cast<size_t>(k)][2]};
        double binom = 1.0;
        for (int i = 1; i <= k; ++i) {
            binom = binom * (k - i + 1) / i;
            const double wi = h[static_cast<size_t>(i)][3];
            for (int d = 0; d < 3; ++d)
                v[static_cast<size_t>(d)] -= binom * wi * out[static_cast<size_t>(k - i)][static_cast<size_t>(d)];
        }
        for (int d = 0; d < 3; ++d)
            out[static_cast<size_t>(k)][static_cast<size_t>(d)] = w0 != 0.0 ? v[static_cast<size_t>(d)] / w0 : 0.0;
    }
    return out;
}

namespace {

// A banded system solved by elimination without pivoting: collocation matrices of
// B-splines at parameters meeting the Schoenberg-Whitney conditions allow it.
struct BandRow {
    int lo = 0;
    std::vector<double> a; // columns lo .. lo + a.size() - 1
    Vec3 rhs{0, 0, 0};

    double at(int col) const
    {
        const int k = col - lo;
        return k >= 0 && k < static_cast<int>(a.size()) ? a[static_cast<size_t>(k)] : 0.0;
    }
    int hi() const { return lo + static_cast<int>(a.size()) - 1; }
};

bool solveBand(std::vector<BandRow>& rows, std::vector<Vec3>& x)
{
    const int n = static_cast<int>(rows.size());
    for (int k = 0; k < n; ++k) {
        BandRow& pk = rows[static_cast<size_t>(k)];
        const double piv = pk.at(k);
        if (std::fabs(piv) < 1e-300)
            return false;
        for (int i = k + 1; i < n && rows[static_cast<size_t>(i)].lo <= k; ++i) {
            BandRow& ri = rows[static_cast<size_t>(i)];
            const double f = ri.at(k) / piv;
            if (f == 0.0)
                continue;
            if (pk.hi() > ri.hi())
                ri.a.resize(static_cast<size_t>(pk.hi() - ri.lo + 1), 0.0);
            for (int c = k; c <= pk.hi(); ++c)
                ri.a[static_cast<size_t>(c - ri.lo)] -= f * pk.at(c);
            for (int d = 0; d < 3; ++d)
                ri.rhs[static_cast<size_t>(d)] -= f * pk.rhs[static_cast<size_t>(d)];
        }
    }
    x.assign(static_cast<size_t>(n), Vec3{0, 0, 0});
    for (int k = n - 1; k >= 0; --k) {
        const BandRow& r = rows[static_cast<size_t>(k)];
        Vec3 s = r.rhs;
        for (int c = k + 1; c <= r.hi() && c < n; ++c)
            for (int d = 0; d < 3; ++d)
                s[static_cast<size_t>(d)] -= r.at(c) * x[static_cast<size_t>(c)][static_cast<size_t>(d)];
        for (int d = 0; d < 3; ++d)
            x[static_cast<size_t>(k)][static_cast<size_t>(d)] = s[static_cast<size_t>(d)] / r.at(k);
    }
    return true;
}

double distance(const Vec3& a, const Vec3& b)
{
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

BandRow collocationRow(int n, int p, double t, int deriv, const std::vector<double>& u, const Vec3& rhs)
{
    const int span = findSpan(n, p, t, u);
    const auto ders = basisDerivs(span, t, p, deriv, u);
    BandRow row;
    row.lo = span - p;
    row.a = ders[static_cast<size_t>(deriv)];
    row.rhs = rhs;
    return row;
}

} // namespace

std::optional<Interpolant> interpolate(const std::vector<Vec3>& points, int degree, const Vec3* startDeriv,
                                       const Vec3* endDeriv)
{
    // Consecutive repeats carry no shape and would give equal parameters.
    std::vector<Vec3> q;
    for (const Vec3& pt : points)
        if (q.empty() || distance(q.back(), pt) > 0.0)
            q.push_back(pt);
    if (q.size() < 2)
        return std::nullopt;
    const int last = static_cast<int>(q.size()) - 1;
    std::vector<double> params{0.0};
    for (int k = 1; k <= last; ++k)
        params.push_back(params.back() + distance(q[static_cast<size_t>(k - 1)], q[static_cast<size_t>(k)]));

    // Each end derivative adds one control point; its parameter is repeated for averaging.
    std::vector<double> v;
    if (startDeriv)
        v.push_back(params.front());
    v.insert(v.end(), params.begin(), params.end());
    if (endDeriv)
        v.push_back(params.back());
    const int count = static_cast<int>(v.size());
    const int p = std::max(1, std::min(degree, count - 1));
    const int n = count - 1;

    Interpolant r;
    r.degree = p;
    r.knots.assign(static_cast<size_t>(p + 1), params.front());
    for (int j = 1; j <= n - p; ++j) {
        double s = 0.0;
        for (int i = j; i < j + p; ++i)
            s += v[static_cast<size_t>(i)];
        r.knots.push_back(s / p);
    }
    r.knots.insert(r.knots.end(), static_cast<size_t>(p + 1), params.back());

    std::vector<BandRow> rows;
    rows.push_back(collocationRow(n, p, params.front(), 0, r.knots, q.front()));
    if (startDeriv)
        rows.push_back(collocationRow(n, p, params.front(), 1, r.knots, *startDeriv));
    for (int k = 1; k < last; ++k)
        rows.push_back(collocationRow(n, p, params[static_cast<size_t>(k)], 0, r.knots, q[static_cast<size_t>(k)]));
    if (endDeriv)
        rows.push_back(collocationRow(n, p, params.back(), 1, r.knots, *endDeriv));
    rows.push_back(collocationRow(n, p, params.back(), 0, r.knots, q.back()));
    if (!solveBand(rows, r.controlPoints))
        return std::nullopt;
    return r;
}

} // namespace dh::ge::nurbs
