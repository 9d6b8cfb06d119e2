// Arithmetic, comparison and plane geometry. Integers are 32-bit and wrap on overflow as
// the host's do; an operation with any real operand gives a real.
#include "host/lispeval/Builtins.h"
#include "host/lispeval/Error.h"

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
        throw Error("function undefined for argument: " + args[0].toString());
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
        {"*",
         [](Interpreter&, const Args& a) {
             return fold(a, Number{true, 1}, multiply, same);
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
    };
    return table;
}

} // namespace dh::lisp
