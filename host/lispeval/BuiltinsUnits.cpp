// Numbers and angles as text and back (rtos, distof, angtos, angtof) with the drawing's
// unit settings as defaults, and unit conversion (cvunit).
#include "host/lispeval/AngleFormat.h"
#include "host/lispeval/Builtins.h"
#include "host/lispeval/DistanceFormat.h"
#include "host/lispeval/Error.h"
#include "host/lispeval/UnitConversion.h"

namespace dh::lisp {

namespace {

// An optional integer argument; nil counts as omitted.
std::optional<std::int32_t> optionalInteger(const Args& args, std::size_t i)
{
    if (!args.has(i) || args[i].isNil()) {
        return std::nullopt;
    }
    return args.integer(i);
}

int precisionArg(const Args& args, std::size_t i, int fallback)
{
    std::optional<std::int32_t> precision = optionalInteger(args, i);
    if (precision && *precision < 0) {
        throwBadArgumentValue("precision", args[i]);
    }
    return precision ? *precision : fallback;
}

Value rtos(Interpreter& interp, const Args& args)
{
    args.expect(1, 3);
    double value = args.number(0);
    UnitSettings units = interp.unitSettings();
    int mode = optionalInteger(args, 1).value_or(units.lunits);
    int precision = precisionArg(args, 2, units.luprec);
    std::string text = formatDistance(value, mode, precision, {units.dimzin, units.unitmode});
    if (text.empty()) {
        throwBadArgumentValue("unit mode", args[1]);
    }
    return Value::string(std::move(text));
}

Value distof(Interpreter& interp, const Args& args)
{
    args.expect(1, 2);
    const std::string& text = args.string(0);
    int mode = optionalInteger(args, 1).value_or(interp.unitSettings().lunits);
    if (mode < 1 || mode > 5) {
        throwBadArgumentValue("unit mode", args[1]);
    }
    std::optional<double> value = parseDistance(text, mode);
    return value ? Value::real(*value) : Value();
}

Value angtos(Interpreter& interp, const Args& args)
{
    args.expect(1, 3);
    double angle = args.number(0);
    UnitSettings units = interp.unitSettings();
    int unit = optionalInteger(args, 1).value_or(units.aunits);
    int precision = precisionArg(args, 2, units.auprec);
    std::string text = formatAngle(angle, unit, precision, {units.dimzin, units.unitmode});
    return text.empty() ? Value() : Value::string(std::move(text));
}

Value angtof(Interpreter& interp, const Args& args)
{
    args.expect(1, 2);
    const std::string& text = args.string(0);
    int unit = optionalInteger(args, 1).value_or(interp.unitSettings().aunits);
    std::optional<double> radians = parseAngle(text, unit);
    return radians ? Value::real(*radians) : Value();
}

// A number, or each coordinate of a 2D or 3D point.
Value cvunit(Interpreter&, const Args& args)
{
    args.expect(3);
    const std::string& from = args.string(1);
    const std::string& to = args.string(2);
    if (args[0].isNumber()) {
        auto converted = convertUnits(args[0].asNumber(), from, to);
        return converted ? Value::real(*converted) : Value();
    }
    Args::Point p = args.point(0);
    auto x = convertUnits(p.x, from, to);
    auto y = convertUnits(p.y, from, to);
    auto z = convertUnits(p.z, from, to);
    if (!x || !y || !z) {
        return Value();
    }
    return p.is3d ? Value::point(*x, *y, *z) : Value::list({Value::real(*x), Value::real(*y)});
}

} // namespace

std::span<const Builtin> unitBuiltins()
{
    static const std::vector<Builtin> table = {
        {"rtos", rtos},     {"distof", distof}, {"angtos", angtos},
        {"angtof", angtof}, {"cvunit", cvunit},
    };
    return table;
}

} // namespace dh::lisp
