#include "host/db/entities/SplinePieces.h"

#include <array>
#include <cmath>
#include <vector>

namespace dh::db {

namespace {

typedef std::array<double, 4> Homog;

std::vector<Homog> toHomog(const NurbsData& d)
{
    std::vector<Homog> cw;
    for (int i = 0; i < d.points.length(); ++i) {
        const double w = d.weights.isEmpty() ? 1.0 : d.weights[i];
        cw.push_back({d.points[i].x * w, d.points[i].y * w, d.points[i].z * w, w});
    }
    return cw;
}

// Inserts knot t until its multiplicity reaches the degree.
void clampAt(int p, std::vector<double>& u, std::vector<Homog>& cw, double t)
{
    for (;;) {
        int mult = 0;
        for (double k : u)
            if (k == t)
                ++mult;
        if (mult >= p)
            return;
        // Span k with u[k] <= t < u[k+1].
        int k = p;
        while (k + 1 < static_cast<int>(u.size()) - p - 1 && u[static_cast<size_t>(k) + 1] <= t)
            ++k;
        std::vector<Homog> next(cw.size() + 1);
        for (int i = 0; i <= static_cast<int>(cw.size()); ++i) {
            if (i <= k - p) {
                next[static_cast<size_t>(i)] = cw[static_cast<size_t>(i)];
            } else if (i > k) {
                next[static_cast<size_t>(i)] = cw[static_cast<size_t>(i) - 1];
            } else {
                const double a = (t - u[static_cast<size_t>(i)]) / (u[static_cast<size_t>(i + p)] - u[static_cast<size_t>(i)]);
                for (int c = 0; c < 4; ++c)
                    next[static_cast<size_t>(i)][static_cast<size_t>(c)] = a * cw[static_cast<size_t>(i)][static_cast<size_t>(c)]
                        + (1.0 - a) * cw[static_cast<size_t>(i) - 1][static_cast<size_t>(c)];
            }
        }
        u.insert(u.begin() + k + 1, t);
        cw = std::move(next);
    }
}

} // namespace

bool nurbsStretch(const NurbsData& in, double t0, double t1, NurbsData& out)
{
    const int p = in.degree;
    const int n = in.points.length();
    if (p < 1 || n < p + 1 || in.knots.length() != n + p + 1 || !(t0 < t1))
        return false;
    std::vector<double> u(in.knots.begin(), in.knots.end());
    std::vector<Homog> cw = toHomog(in);
    if (t0 < u[static_cast<size_t>(p)] || t1 > u[static_cast<size_t>(n)])
        return false;
    clampAt(p, u, cw, t0);
    clampAt(p, u, cw, t1);
    // With both ends of multiplicity p (or more) the curve passes through the control
    // point before the first copy of t1 and the one p places before the last copy of t0.
    int lastT0 = -1, firstT1 = -1;
    for (int i = 0; i < static_cast<int>(u.size()); ++i) {
        if (u[static_cast<size_t>(i)] == t0)
            lastT0 = i;
        if (u[static_cast<size_t>(i)] == t1 && firstT1 < 0)
            firstT1 = i;
    }
    const int cpFirst = lastT0 - p;
    const int cpLast = firstT1 - 1;
    if (lastT0 < 0 || firstT1 < 0 || cpFirst < 0 || cpLast >= static_cast<int>(cw.size()) || cpLast - cpFirst < p)
        return false;
    out = NurbsData();
    out.degree = p;
    for (int i = 0; i <= p; ++i)
        out.knots.append(t0);
    for (int i = lastT0 + 1; i < firstT1; ++i)
        out.knots.append(u[static_cast<size_t>(i)]);
    for (int i = 0; i <= p; ++i)
        out.knots.append(t1);
    const bool rational = !in.weights.isEmpty();
    for (int i = cpFirst; i <= cpLast; ++i) {
        const Homog& h = cw[static_cast<size_t>(i)];
        out.points.append(AcGePoint3d(h[0] / h[3], h[1] / h[3], h[2] / h[3]));
        if (rational)
            out.weights.append(h[3]);
    }
    return out.knots.length() == out.points.length() + p + 1;
}

NurbsData joinNurbs(const NurbsData& a, const NurbsData& b)
{
    const int p = a.degree;
    NurbsData out = a;
    const double end = a.knots.last();
    const double shift = end - b.knots.first();
    // a's end knot keeps multiplicity p at the joint; b's first p+1 knots are dropped.
    out.knots.removeLast();
    for (int i = p + 1; i < b.knots.length(); ++i)
        out.knots.append(b.knots[i] + shift);
    const bool rational = !a.weights.isEmpty() || !b.weights.isEmpty();
    if (rational && out.weights.isEmpty())
        for (int i = 0; i < a.points.length(); ++i)
            out.weights.append(1.0);
    // Scaling b's weights keeps its shape and makes the shared point's weights agree.
    const double wa = rational ? out.weights.last() : 1.0;
    const double wb = b.weights.isEmpty() ? 1.0 : b.weights.first();
    for (int i = 1; i < b.points.length(); ++i) {
        out.points.append(b.points[i]);
        if (rational)
            out.weights.append((b.weights.isEmpty() ? 1.0 : b.weights[i]) * wa / wb);
    }
    return out;
}

} // namespace dh::db
