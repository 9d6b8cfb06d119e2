// Arithmetic, comparison and plane geometry. Integers are 32-bit and wrap on overflow as
// the host's do; an operation with any real operand gives a real.
#include "host/lispeval/Builtins.h"
#include "host/lispeval/Error.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dh::lisp {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

struct Number
{
    bool isInt = true;
    std::int32_t i = 0;
    double r = 0.0;

    double value() const { return isInt ? static_cast<double>(i) : r; }
    Value toValue() const { return isInt ? Value::integer(i) : Value::real(r); }
    static Number real(double r) { return Number{false, 0, r}; }
};

Number numberArg(const Args& args, std::size_t i)
{
    const Value& v = args[i];
    if (v.isInt()) {
        return Number{true, v.asInt(), 0.0};
    }
    if (v.isReal()) {
        return Number::real(v.asReal());
    }
    throwBadArgumentType("numberp", v);
}

std::int32_t wrap(std::uint32_t bits)
{
    return static_cast<std::int32_t>(bits);
}

Number add(Number a, Number b)
{
    if (a.isInt && b.isInt) {
        return Number{true,
                      wrap(static_cast<std::uint32_t>(a.i) + static_cast<std::uint32_t>(b.i))};
    }
    return Number::real(a.value() + b.value());
}

Number subtract(Number a, Number b)
{
    if (a.isInt && b.isInt) {
        return Number{true,
                      wrap(static_cast<std::uint32_t>(a.i) - static_cast<std::uint32_t>(b.i))};
    }
    return Number::real(a.value() - b.value());
}

Number multiply(Number a, Number b)
{
    if (a.isInt && b.isInt) {
        return Number{true,
                      wrap(static_cast<std::uint32_t>(a.i) * static_cast<std::uint32_t>(b.i))};
    }
    return Number::real(a.value() * b.value());
}

Number divide(Number a, Number b)
{
    if (b.value() == 0.0) {
        throw Error("divide by zero");
    }
    if (a.isInt && b.isInt) {
        if (a.i == std::numeric_limits<std::int32_t>::min() && b.i == -1) {
            return a; // the one quotient that does not fit wraps back onto itself
        }
        return Number{true, a.i / b.i};
    }
    return Number::real(a.value() / b.value());
}

Number remainder(Number a, Number b)
{
    if (b.value() == 0.0) {
        throw Error("divide by zero");
    }
    if (a.isInt && b.isInt) {
        return Number{true, b.i == -1 ? 0 : a.i % b.i};
    }
    return Number::real(std::fmod(a.value(), b.value()));
}

// Folds the arguments left to right; empty gives the identity, one argument gives
// single(it).
Value fold(const Args& args, Number identity, Number (*op)(Number, Number),
           Number (*single)(Number))
{
    if (args.empty()) {
        return identity.toValue();
    }
    Number acc = numberArg(args, 0);
    if (args.size() == 1) {
        return single(acc).toValue();
    }
    for (std::size_t i = 1; i < args.size(); ++i) {
        acc = op(acc, numberArg(args, i));
    }
    return acc.toValue();
}

Number same(Number n)
{
    return n;
}

Number negate(Number n)
{
    return subtract(Number{}, n);
}

// -1, 0, 1 for numbers, or for strings byte-wise; the first operand decides which, and
// the second must be of the same kind.
int compare(const Value& a, const Value& b)
{
    if (a.isString()) {
        if (!b.isString()) {
            throwBadArgumentType("stringp", b);
        }
        int c = a.asString().compare(b.asString());
        return (c > 0) - (c < 0);
    }
    if (!a.isNumber()) {
        throwBadArgumentType("numberp", a);
    }
    if (!b.isNumber()) {
        throwBadArgumentType("numberp", b);
    }
    if (a.isInt() && b.isInt()) {
        return (a.asInt() > b.asInt()) - (a.asInt() < b.asInt());
    }
    double x = a.asNumber();
    double y = b.asNumber();
    return (x > y) - (x < y);
}

// True when every neighbouring pair satisfies test.
Value chain(const Args& args, bool (*test)(int))
{
    args.atLeast(1);
    bool result = true;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (!test(compare(args[i], args[i + 1]))) {
            result = false;
        }
    }
    if (args.size() == 1) {
        compare(args[0], args[0]); // still type-check a lone argument
    }
    return Value::boolean(result);
}

Value extreme(const Args& args, bool wantMax)
{
    if (args.empty()) {
        return Value::integer(0);
    }
    Number best = numberArg(args, 0);
    bool anyReal = !best.isInt;
    for (std::size_t i = 1; i < args.size(); ++i) {
        Number n = numberArg(args, i);
        anyReal = anyReal || !n.isInt;
        if (wantMax ? n.value() > best.value() : n.value() < best.value()) {
            best = n;
        }
    }
    return anyReal ? Value::real(best.value()) : best.toValue();
}

Value fix(Interpreter&, const Args& args)
{
    args.expect(1);
    Number n = numberArg(args, 0);
    if (n.isInt) {
        return n.toValue();
    }
    double t = std::trunc(n.r);
    // Beyond 32 bits the host keeps the truncated value as a real.
    if (t < -2147483648.0 || t > 2147483647.0 || std::isnan(t)) {
        return Value::real(t);
    }
    return Value::integer(static_cast<std::int32_t>(t));
}

Value unary(const Args& args, double (*fn)(double), bool (*defined)(double))
{
    args.expect(1);
    double x = args.number(0);
    if (defined && !defined(x)) {
        throw Error("function undefined for argument: " + shownValue(args[0]));
    }
    return Value::real(fn(x));
}

Value atanFn(Interpreter&, const Args& args)
{
    args.expect(1, 2);
    double y = args.number(0);
    return Value::real(args.has(1) ? std::atan2(y, args.number(1)) : std::atan(y));
}

Value expt(Interpreter&, const Args& args)
{
    args.expect(2);
    Number base = numberArg(args, 0);
    Number power = numberArg(args, 1);
    if (!base.isInt || !power.isInt) {
        return Value::real(std::pow(base.value(), power.value()));
    }
    if (power.i < 0) {
        if (base.i == 0) {
            throw Error("divide by zero");
        }
        // Integer reciprocal: only ±1 survive truncation.
        return Value::integer(base.i == 1 ? 1 : base.i == -1 ? (power.i % 2 ? -1 : 1) : 0);
    }
    Number result{true, 1};
    Number square = base;
    for (std::uint32_t p = static_cast<std::uint32_t>(power.i); p; p >>= 1) {
        if (p & 1) {
            result = multiply(result, square);
        }
        square = multiply(square, square);
    }
    return result.toValue();
}

Value gcd(Interpreter&, const Args& args)
{
    args.expect(2);
    std::int64_t a = std::abs(static_cast<std::int64_t>(args.integer(0)));
    std::int64_t b = std::abs(static_cast<std::int64_t>(args.integer(1)));
    while (b != 0) {
        std::int64_t t = a % b;
        a = b;
        b = t;
    }
    return Value::integer(static_cast<std::int32_t>(a));
}

// Distance is measured in the plane when either point is 2D, as the host does.
Value distance(Interpreter&, const Args& args)
{
    args.expect(2);
    Args::Point a = args.point(0);
    Args::Point b = args.point(1);
    double dz = a.is3d && b.is3d ? b.z - a.z : 0.0;
    return Value::real(std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y) + dz * dz));
}

Value angle(Interpreter&, const Args& args)
{
    args.expect(2);
    Args::Point a = args.point(0);
    Args::Point b = args.point(1);
    double angle = std::atan2(b.y - a.y, b.x - a.x);
    return Value::real(angle < 0 ? angle + kTwoPi : angle);
}

Value polar(Interpreter&, const Args& args)
{
    args.expect(3);
    Args::Point p = args.point(0);
    double angle = args.number(1);
    double dist = args.number(2);
    double x = p.x + dist * std::cos(angle);
    double y = p.y + dist * std::sin(angle);
    return p.is3d ? Value::point(x, y, p.z) : Value::list({Value::real(x), Value::real(y)});
}

Value bitwise(const Args& args, std::uint32_t identity,
              std::uint32_t (*op)(std::uint32_t, std::uint32_t))
{
    if (args.empty()) {
        return Value::integer(0);
    }
    std::uint32_t acc = identity;
    for (std::size_t i = 0; i < args.size(); ++i) {
        acc = op(acc, static_cast<std::uint32_t>(args.integer(i)));
    }
    return Value::integer(wrap(acc));
}

// (lsh n bits): left for positive bits, right for negative; zeros come in from either end.
Value lsh(Interpreter&, const Args& args)
{
    args.expect(1, 2);
    auto bits = static_cast<std::uint32_t>(args.integer(0));
    std::int32_t shift = args.has(1) ? args.integer(1) : 0;
    if (shift >= 32 || shift <= -32) {
        return Value::integer(0);
    }
    return Value::integer(wrap(shift >= 0 ? bits << shift : bits >> -shift));
}

// (boole op a b …): op's bits give the result bit for each pair of operand bits:
// 8 for (0,0), 4 for (0,1), 2 for (1,0), 1 for (1,1). Operands fold left to right.
Value boole(Interpreter&, const Args& args)
{
    args.atLeast(2);
    auto op = static_cast<std::uint32_t>(args.integer(0));
    auto acc = static_cast<std::uint32_t>(args.integer(1));
    for (std::size_t i = 2; i < args.size(); ++i) {
        auto b = static_cast<std::uint32_t>(args.integer(i));
        acc = ((op & 1) ? acc & b : 0) | ((op & 2) ? acc & ~b : 0) | ((op & 4) ? ~acc & b : 0) |
              ((op & 8) ? ~acc & ~b : 0);
    }
    return Value::integer(wrap(acc));
}

// (inters p1 p2 p3 p4 [onseg]): where line p1-p2 meets line p3-p4. With four 3D points
// the lines must meet in space; otherwise they meet in the plane. Unless onseg is given
// as nil, the point must lie on both segments.
Value inters(Interpreter&, const Args& args)
{
    args.expect(4, 5);
    Args::Point p[4] = {args.point(0), args.point(1), args.point(2), args.point(3)};
    bool segments = !args.has(4) || args[4].isTrue();
    bool in3d = p[0].is3d && p[1].is3d && p[2].is3d && p[3].is3d;
    double d1[3] = {p[1].x - p[0].x, p[1].y - p[0].y, in3d ? p[1].z - p[0].z : 0.0};
    double d2[3] = {p[3].x - p[2].x, p[3].y - p[2].y, in3d ? p[3].z - p[2].z : 0.0};
    double w[3] = {p[2].x - p[0].x, p[2].y - p[0].y, in3d ? p[2].z - p[0].z : 0.0};
    auto dot = [](const double* a, const double* b) {
        return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    };
    // Closest points of the two lines: s along the first, t along the second.
    double a = dot(d1, d1), b = dot(d1, d2), c = dot(d2, d2), d = dot(d1, w), e = dot(d2, w);
    double denominator = a * c - b * b;
    double scale = std::max(1.0, a * c);
    if (a == 0.0 || c == 0.0 || std::fabs(denominator) <= 1e-12 * scale) {
        return Value(); // parallel, or a line of no length
    }
    double s = (d * c - b * e) / denominator;
    double t = (d * b - a * e) / denominator;
    double q1[3] = {p[0].x + s * d1[0], p[0].y + s * d1[1], p[0].z + s * d1[2]};
    double q2[3] = {p[2].x + t * d2[0], p[2].y + t * d2[1], p[2].z + t * d2[2]};
    double gap = std::sqrt((q1[0] - q2[0]) * (q1[0] - q2[0]) + (q1[1] - q2[1]) * (q1[1] - q2[1]) +
                           (q1[2] - q2[2]) * (q1[2] - q2[2]));
    constexpr double kTolerance = 1e-10;
    double size = std::max({1.0, std::sqrt(a), std::sqrt(c)});
    if (in3d && gap > kTolerance * size) {
        return Value(); // skew lines
    }
    if (segments &&
        (s < -kTolerance || s > 1.0 + kTolerance || t < -kTolerance || t > 1.0 + kTolerance)) {
        return Value();
    }
    if (in3d) {
        return Value::point(q1[0], q1[1], q1[2]);
    }
    return Value::list({Value::real(q1[0]), Value::real(q1[1])});
}

Value numberTest(const Args& args, bool (*test)(double))
{
    args.expect(1);
    return Value::boolean(test(args.number(0)));
}

} // namespace

std::span<const Builtin> mathBuiltins()
{
    static const std::vector<Builtin> table = {
        {"+",
         [](Interpreter&, const Args& a) {
             return fold(a, Number{true, 0}, add, same);
         }},
        {"-",
         [](Interpreter&, const Args& a) {
             return fold(a, Number{true, 0}, subtract, negate);
         }},
        // (*) is 0 in the host, not the product's identity.
        {"*",
         [](Interpreter&, const Args& a) {
             return fold(a, Number{true, 0}, multiply, same);
         }},
        {"/",
         [](Interpreter&, const Args& a) {
             return fold(a, Number{true, 0}, divide, same);
         }},
        {"rem",
         [](Interpreter&, const Args& a) {
             return fold(a, Number{true, 0}, remainder, same);
         }},
        {"1+",
         [](Interpreter&, const Args& a) {
             a.expect(1);
             return add(numberArg(a, 0), Number{true, 1}).toValue();
         }},
        {"1-",
         [](Interpreter&, const Args& a) {
             a.expect(1);
             return subtract(numberArg(a, 0), Number{true, 1}).toValue();
         }},
        {"=", [](Interpreter&, const Args& a) { return chain(a, [](int c) { return c == 0; }); }},
        {"/=", [](Interpreter&, const Args& a) { return chain(a, [](int c) { return c != 0; }); }},
        {"<", [](Interpreter&, const Args& a) { return chain(a, [](int c) { return c < 0; }); }},
        {">", [](Interpreter&, const Args& a) { return chain(a, [](int c) { return c > 0; }); }},
        {"<=", [](Interpreter&, const Args& a) { return chain(a, [](int c) { return c <= 0; }); }},
        {">=", [](Interpreter&, const Args& a) { return chain(a, [](int c) { return c >= 0; }); }},
        {"min", [](Interpreter&, const Args& a) { return extreme(a, false); }},
        {"max", [](Interpreter&, const Args& a) { return extreme(a, true); }},
        {"abs",
         [](Interpreter&, const Args& a) {
             a.expect(1);
             Number n = numberArg(a, 0);
             return (n.value() < 0 ? negate(n) : n).toValue();
         }},
        {"fix", fix},
        {"float",
         [](Interpreter&, const Args& a) {
             a.expect(1);
             return Value::real(a.number(0));
         }},
        {"zerop", [](Interpreter&,
                     const Args& a) { return numberTest(a, [](double x) { return x == 0.0; }); }},
        {"minusp", [](Interpreter&,
                      const Args& a) { return numberTest(a, [](double x) { return x < 0.0; }); }},
        {"sqrt",
         [](Interpreter&, const Args& a) {
             return unary(
                 a, [](double x) { return std::sqrt(x); }, [](double x) { return x >= 0.0; });
         }},
        {"sin",
         [](Interpreter&, const Args& a) {
             return unary(
                 a, [](double x) { return std::sin(x); }, nullptr);
         }},
        {"cos",
         [](Interpreter&, const Args& a) {
             return unary(
                 a, [](double x) { return std::cos(x); }, nullptr);
         }},
        {"exp",
         [](Interpreter&, const Args& a) {
             return unary(
                 a, [](double x) { return std::exp(x); }, nullptr);
         }},
        {"log",
         [](Interpreter&, const Args& a) {
             return unary(
                 a, [](double x) { return std::log(x); }, [](double x) { return x > 0.0; });
         }},
        {"atan", atanFn},
        {"expt", expt},
        {"gcd", gcd},
        {"logand",
         [](Interpreter&, const Args& a) {
             return bitwise(a, 0xFFFFFFFFu, [](std::uint32_t x, std::uint32_t y) { return x & y; });
         }},
        {"logior",
         [](Interpreter&, const Args& a) {
             return bitwise(a, 0u, [](std::uint32_t x, std::uint32_t y) { return x | y; });
         }},
        {"lsh", lsh},
        {"~",
         [](Interpreter&, const Args& a) {
             a.expect(1);
             return Value::integer(~a.integer(0));
         }},
        {"distance", distance},
        {"angle", angle},
        {"polar", polar},
        {"inters", inters},
        {"boole", boole},
    };
    return table;
}

} // namespace dh::lisp
