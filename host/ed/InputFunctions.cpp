// The LISP's input functions (initget, getpoint, getcorner, getdist, getangle, getorient,
// getreal, getint, getstring, getkword, entsel, nentsel) over the host's input calls, so
// their prompts are answered from script lines or the terminal like any other. Enter gives
// nil, a keyword of initget its string, and a cancel ends the program with
// "Function cancelled".
#include "host/ed/LispBridge.h"
#include "host/ed/ResbufConversion.h"
#include "host/ed/Session.h"

#include "host/lispeval/Args.h"
#include "host/lispeval/Error.h"

#include <aced/AcEdEntityPick.h>
#include <aced/AcEdInput.h>

#include <cstring>
#include <optional>

namespace dh::ed {
namespace {

using lisp::Args;
using lisp::Value;

// The maximum getstring keeps, in characters.
constexpr std::size_t kMaxStringAnswer = 132;

// The optional base point and prompt of (getxxx [pt] [msg]), in either order of presence.
struct PointAndPrompt {
    bool hasPoint = false;
    ads_point point = {0, 0, 0};
    std::optional<std::string> prompt;
};

PointAndPrompt pointAndPrompt(const Args& args, bool pointRequired)
{
    args.expect(pointRequired ? 1 : 0, 2);
    PointAndPrompt result;
    std::size_t next = 0;
    if (args.has(0) && (pointRequired || !args[0].isString()) && !args[0].isNil()) {
        const Args::Point p = args.point(0);
        result.point[0] = p.x;
        result.point[1] = p.y;
        result.point[2] = p.z;
        result.hasPoint = true;
        next = 1;
    } else if (args.has(0) && args[0].isNil()) {
        next = 1;
    }
    if (args.has(next))
        result.prompt = args.string(next);
    if (args.has(next + 1))
        throw lisp::Error("too many arguments");
    return result;
}

std::optional<std::string> promptOnly(const Args& args)
{
    args.expect(0, 1);
    if (args.has(0) && !args[0].isNil())
        return args.string(0);
    return std::nullopt;
}

const char* text(const std::optional<std::string>& prompt) { return prompt ? prompt->c_str() : nullptr; }

std::string lastInput()
{
    char buffer[kAcedInputBufferSize];
    return acedGetInput(buffer, sizeof buffer) == RTNORM ? std::string(buffer) : std::string();
}

// The value for a status other than RTNORM: nil, a keyword's text, or the cancel error.
Value otherAnswer(int status)
{
    if (status == RTCAN)
        throw lisp::Error("Function cancelled");
    if (status == RTKWORD)
        return Value::string(lastInput());
    return Value();
}

Value pointValue(const ads_point p) { return Value::point(p[0], p[1], p[2]); }

Value initget(lisp::Interpreter&, const Args& args)
{
    args.expect(0, 2);
    int bits = 0;
    std::string keywords;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].isInt())
            bits = args[i].asInt();
        else if (args[i].isString())
            keywords = args[i].asString();
        else if (!args[i].isNil())
            lisp::throwBadArgumentType(i == 0 ? "fixnump" : "stringp", args[i]);
    }
    acedInitGet(bits, keywords.c_str());
    return Value();
}

Value getpoint(lisp::Interpreter&, const Args& args)
{
    const PointAndPrompt in = pointAndPrompt(args, false);
    ads_point result;
    const int status = acedGetPoint(in.hasPoint ? in.point : nullptr, text(in.prompt), result);
    return status == RTNORM ? pointValue(result) : otherAnswer(status);
}

// The second corner lies at the current elevation, whatever z was typed.
Value getcorner(lisp::Interpreter&, const Args& args)
{
    const PointAndPrompt in = pointAndPrompt(args, true);
    ads_point result;
    const int status = acedGetCorner(in.point, text(in.prompt), result);
    if (status != RTNORM)
        return otherAnswer(status);
    result[2] = 0.0;
    return pointValue(result);
}

Value getdist(lisp::Interpreter&, const Args& args)
{
    const PointAndPrompt in = pointAndPrompt(args, false);
    ads_real result = 0;
    const int status = acedGetDist(in.hasPoint ? in.point : nullptr, text(in.prompt), &result);
    return status == RTNORM ? Value::real(result) : otherAnswer(status);
}

Value getAngle(const Args& args, bool orient)
{
    const PointAndPrompt in = pointAndPrompt(args, false);
    ads_real result = 0;
    const double* base = in.hasPoint ? in.point : nullptr;
    const int status = orient ? acedGetOrient(base, text(in.prompt), &result)
                              : acedGetAngle(base, text(in.prompt), &result);
    return status == RTNORM ? Value::real(result) : otherAnswer(status);
}

Value getreal(lisp::Interpreter&, const Args& args)
{
    const std::optional<std::string> prompt = promptOnly(args);
    ads_real result = 0;
    const int status = acedGetReal(text(prompt), &result);
    return status == RTNORM ? Value::real(result) : otherAnswer(status);
}

Value getint(lisp::Interpreter&, const Args& args)
{
    const std::optional<std::string> prompt = promptOnly(args);
    int result = 0;
    const int status = acedGetInt(text(prompt), &result);
    return status == RTNORM ? Value::integer(result) : otherAnswer(status);
}

// The keyword as initget spelled it; without keywords the answer is read but gives nil.
Value getkword(lisp::Interpreter&, const Args& args)
{
    const std::optional<std::string> prompt = promptOnly(args);
    Session* session = Session::current();
    const bool anyText = session && (session->pendingInputControl().bits & RSG_OTHER);
    const bool keywords = session && !session->pendingInputControl().keywords.empty();
    char result[kAcedInputBufferSize];
    const int status = acedGetKword(text(prompt), result, sizeof result);
    if (status != RTNORM)
        return otherAnswer(status);
    return keywords || anyText ? Value::string(result) : Value();
}

// (getstring [cr] [msg]): without cr a blank ends the answer, as the space bar does; at
// most 132 characters are kept; Enter alone gives "".
Value getstring(lisp::Interpreter&, const Args& args)
{
    args.expect(0, 2);
    bool spaces = false;
    std::optional<std::string> prompt;
    if (args.size() == 2) {
        spaces = args[0].isTrue();
        if (!args[1].isNil())
            prompt = args.string(1);
    } else if (args.size() == 1 && args[0].isString()) {
        prompt = args[0].asString();
    } else if (args.size() == 1) {
        spaces = args[0].isTrue();
    }
    char result[kAcedInputBufferSize];
    const int status = acedGetString(spaces ? 1 : 0, text(prompt), result, sizeof result);
    if (status != RTNORM)
        return otherAnswer(status);
    std::string answer = result;
    if (!spaces && answer.find(' ') != std::string::npos)
        answer.erase(answer.find(' '));
    std::size_t chars = 0;
    for (std::size_t i = 0; i < answer.size(); ++i) {
        if ((static_cast<unsigned char>(answer[i]) & 0xC0) != 0x80 && ++chars > kMaxStringAnswer) {
            answer.erase(i);
            break;
        }
    }
    return Value::string(std::move(answer));
}

Value entsel(lisp::Interpreter&, const Args& args)
{
    const std::optional<std::string> prompt = promptOnly(args);
    ads_name name;
    ads_point point;
    const int status = acedEntSel(text(prompt), name, point);
    if (status != RTNORM)
        return otherAnswer(status);
    return Value::list({entityValue(name), pointValue(point)});
}

// (ename pt) for an entity of the space, a vertex or an attribute; for an entity inside a
// block reference also the block-to-world matrix (four rows: X, Y, Z axes, origin) and the
// containing references, innermost first.
Value nentsel(lisp::Interpreter&, const Args& args)
{
    const std::optional<std::string> prompt = promptOnly(args);
    ads_name name;
    ads_point point;
    ads_matrix xform;
    resbuf* containers = nullptr;
    const int status = acedNEntSelP(text(prompt), name, point, 0, xform, &containers);
    ResbufChain owned(containers);
    if (status != RTNORM)
        return otherAnswer(status);
    if (!containers)
        return Value::list({entityValue(name), pointValue(point)});
    lisp::ListBuilder rows;
    for (int column = 0; column < 4; ++column)
        rows.add(Value::point(xform[0][column], xform[1][column], xform[2][column]));
    lisp::ListBuilder refs;
    for (const resbuf* rb = containers; rb; rb = rb->rbnext)
        refs.add(entityValue(rb->resval.rlname));
    return Value::list({entityValue(name), pointValue(point), rows.finish(), refs.finish()});
}

const LispBuiltinRegistrar kRegistrars[] = {
    {"INITGET", initget},
    {"GETPOINT", getpoint},
    {"GETCORNER", getcorner},
    {"GETDIST", getdist},
    {"GETANGLE", [](lisp::Interpreter&, const Args& a) { return getAngle(a, false); }},
    {"GETORIENT", [](lisp::Interpreter&, const Args& a) { return getAngle(a, true); }},
    {"GETREAL", getreal},
    {"GETINT", getint},
    {"GETKWORD", getkword},
    {"GETSTRING", getstring},
    {"ENTSEL", entsel},
    {"NENTSEL", nentsel},
};

}  // namespace
}  // namespace dh::ed
