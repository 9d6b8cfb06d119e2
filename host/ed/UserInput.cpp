// The input calls (acedInitGet, acedGetPoint, ...): each takes its answer through
// Session::ask, checks it against the input controls of the last acedInitGet and asks
// again with the host's complaint when it cannot use it.
#include "host/ed/AnswerParser.h"
#include "host/ed/Session.h"
#include "host/ed/SystemVariables.h"
#include "host/lispeval/AngleFormat.h"

#include <aced/AcEdInput.h>

#include <cmath>
#include <cstring>

namespace dh::ed {

namespace {

enum class Want { Point, Corner, Dist, Real, Int, Kword, Angle, Orient };

struct Answer {
    int status = RTCAN;
    Point3 point;
    double real = 0.0;
};

const char* defaultPrompt(Want want)
{
    switch (want) {
    case Want::Point:
        return "\nSpecify point: ";
    case Want::Corner:
        return "\nSpecify opposite corner: ";
    case Want::Dist:
        return "\nSpecify distance: ";
    case Want::Real:
        return "\nEnter a number: ";
    case Want::Int:
        return "\nEnter an integer: ";
    case Want::Kword:
        return "\nEnter an option: ";
    case Want::Angle:
    case Want::Orient:
        return "\nSpecify angle: ";
    }
    return "\n";
}

std::string complaint(Want want, bool keywords)
{
    switch (want) {
    case Want::Point:
    case Want::Corner:
        return keywords ? "Point or option keyword required." : "Invalid point.";
    case Want::Dist:
        return keywords ? "Requires numeric distance, second point, or option keyword."
                        : "Requires numeric distance or second point.";
    case Want::Real:
        return keywords ? "Requires numeric value or option keyword." : "Requires numeric value.";
    case Want::Int:
        return keywords ? "Requires an integer value or option keyword."
                        : "Requires an integer value.";
    case Want::Kword:
        return "Invalid option keyword.";
    case Want::Angle:
    case Want::Orient:
        return keywords ? "Requires valid numeric angle, second point, or option keyword."
                        : "Requires valid numeric angle or second point.";
    }
    return "Invalid input.";
}

// nullptr when the number passes the NOZERO/NONEG controls.
const char* valueComplaint(double value, int bits)
{
    bool noZero = bits & RSG_NOZERO;
    bool noNeg = bits & RSG_NONEG;
    if ((noZero && value == 0.0) || (noNeg && value < 0.0)) {
        if (noZero && noNeg)
            return "Value must be positive and nonzero.";
        return noZero ? "Value must be nonzero." : "Value must be positive.";
    }
    return nullptr;
}

Point3 lastPoint(Session& s)
{
    auto v = s.variables().get("LASTPOINT");
    return v ? Point3{v->point[0], v->point[1], v->point[2]} : Point3{};
}

double distance(const Point3& a, const ads_point b, bool flat)
{
    double dx = a.x - b[0], dy = a.y - b[1], dz = flat ? 0.0 : a.z - b[2];
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// Copies text into a buffer of size bytes, cut at a whole UTF-8 character.
void copyText(char* dest, std::size_t size, const std::string& text)
{
    if (!dest || size == 0)
        return;
    std::size_t n = text.size();
    if (n >= size) {
        n = size - 1;
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
            --n;
    }
    std::memcpy(dest, text.data(), n);
    dest[n] = '\0';
}

void complain(Session& s, const std::string& text) { s.printDialogue("\n" + text); }

constexpr double kTwoPi = 6.28318530717958647692;

double normalizedAngle(double a)
{
    a = std::fmod(a, kTwoPi);
    return a < 0 ? a + kTwoPi : a;
}

// An angle typed in the angle units, or shown by two points (the first may be base):
// getangle's radians count counter-clockwise from ANGBASE, getorient's from the X axis.
// cancelled: the second point was not given.
std::optional<double> angleAnswer(Session& s, bool absolute, const std::string& typed, const ads_point base,
                                  bool& cancelled)
{
    const double angbase = s.variables().getReal("ANGBASE", 0.0);
    const bool clockwise = s.variables().getInt("ANGDIR", 0) == 1;
    if (auto value = lisp::parseAngle(typed, s.variables().getInt("AUNITS", 0))) {
        const double fromBase = clockwise ? -*value : *value;
        return normalizedAngle(absolute ? angbase + fromBase : fromBase);
    }
    auto p = parsePoint(typed, lastPoint(s));
    if (!p)
        return std::nullopt;
    s.variables().setPoint("LASTPOINT", p->x, p->y, p->z);
    Point3 from{0, 0, 0};
    Point3 to = *p;
    if (base) {
        from = Point3{base[0], base[1], base[2]};
    } else {
        std::optional<std::string> second = s.ask("\nSpecify second point: ");
        cancelled = !second;
        auto q = second ? parsePoint(*second, *p) : std::nullopt;
        if (!q)
            return std::nullopt;
        s.variables().setPoint("LASTPOINT", q->x, q->y, q->z);
        from = *p;
        to = *q;
    }
    const double direction = std::atan2(to.y - from.y, to.x - from.x);
    return normalizedAngle(absolute ? direction : direction - angbase);
}

Answer askFor(Want want, const char* prompt, const ads_point base)
{
    Answer answer;
    Session* s = Session::current();
    if (!s) {
        answer.status = RTERROR;
        return answer;
    }
    InputControl control = s->takeInputControl();
    KeywordList keywords = KeywordList::parse(control.keywords);
    std::string text = prompt ? prompt : defaultPrompt(want);
    for (;;) {
        std::optional<std::string> line = s->ask(text);
        if (!line) {
            answer.status = RTCAN;
            return answer;
        }
        std::string typed = trim(*line);
        if (typed.empty()) {
            if (control.bits & RSG_NONULL)
                continue;
            answer.status = RTNONE;
            return answer;
        }
        bool isValue = false;
        if (want == Want::Point || want == Want::Corner || want == Want::Dist) {
            if (auto p = parsePoint(typed, lastPoint(*s))) {
                s->variables().setPoint("LASTPOINT", p->x, p->y, p->z);
                answer.point = *p;
                if (want != Want::Dist) {
                    answer.status = RTNORM;
                    return answer;
                }
                if (!base) {
                    std::optional<std::string> second = s->ask("\nSpecify second point: ");
                    auto q = second ? parsePoint(*second, *p) : std::nullopt;
                    if (!q) {
                        if (second)
                            complain(*s, complaint(Want::Point, false));
                        answer.status = RTCAN;
                        return answer;
                    }
                    s->variables().setPoint("LASTPOINT", q->x, q->y, q->z);
                    ads_point from = {p->x, p->y, p->z};
                    answer.real = distance(*q, from, control.bits & RSG_2D);
                } else {
                    answer.real = distance(*p, base, control.bits & RSG_2D);
                }
                isValue = true;
            }
        }
        if (want == Want::Angle || want == Want::Orient) {
            bool cancelled = false;
            std::optional<double> angle = angleAnswer(*s, want == Want::Orient, typed, base, cancelled);
            if (cancelled) {
                answer.status = RTCAN;
                return answer;
            }
            if (angle) {
                answer.real = *angle;
                isValue = true;
            }
        }
        if (!isValue && (want == Want::Dist || want == Want::Real)) {
            if (auto v = parseReal(typed)) {
                answer.real = *v;
                isValue = true;
            }
        }
        if (!isValue && want == Want::Int) {
            if (auto v = parseReal(typed)) {
                if (*v != std::floor(*v)) {
                    complain(*s, complaint(want, !keywords.empty()));
                    continue;
                }
                if (*v < -32768.0 || *v > 32767.0) {
                    complain(*s, "Requires an integer between -32768 and 32767.");
                    continue;
                }
                answer.real = *v;
                isValue = true;
            }
        }
        if (isValue) {
            if (const char* why = valueComplaint(answer.real, control.bits)) {
                complain(*s, why);
                continue;
            }
            answer.status = RTNORM;
            return answer;
        }
        std::string keyword;
        KeywordMatch match = matchKeyword(keywords, typed, keyword);
        if (match == KeywordMatch::Found) {
            s->setLastKeyword(keyword);
            answer.status = want == Want::Kword ? RTNORM : RTKWORD;
            return answer;
        }
        if (match == KeywordMatch::Ambiguous) {
            complain(*s, "Ambiguous response, please clarify...");
            continue;
        }
        if ((control.bits & RSG_OTHER) || (want == Want::Kword && keywords.empty())) {
            s->setLastKeyword(typed);
            answer.status = want == Want::Kword ? RTNORM : RTKWORD;
            return answer;
        }
        complain(*s, complaint(want, !keywords.empty()));
    }
}

void storePoint(const Point3& p, ads_point result)
{
    result[0] = p.x;
    result[1] = p.y;
    result[2] = p.z;
}

}  // namespace

}  // namespace dh::ed

using dh::ed::Session;
using dh::ed::Want;

int acedInitGet(int val, const char* kwl)
{
    Session* s = Session::current();
    if (!s)
        return RTERROR;
    s->setInputControl({val, kwl ? kwl : ""});
    return RTNORM;
}

int acedGetPoint(const ads_point pt, const char* prompt, ads_point result)
{
    if (!result)
        return RTERROR;
    auto answer = dh::ed::askFor(Want::Point, prompt, pt);
    if (answer.status == RTNORM)
        dh::ed::storePoint(answer.point, result);
    return answer.status;
}

int acedGetCorner(const ads_point pt, const char* prompt, ads_point result)
{
    if (!pt || !result)
        return RTERROR;
    auto answer = dh::ed::askFor(Want::Corner, prompt, pt);
    if (answer.status == RTNORM)
        dh::ed::storePoint(answer.point, result);
    return answer.status;
}

int acedGetDist(const ads_point pt, const char* prompt, ads_real* result)
{
    if (!result)
        return RTERROR;
    auto answer = dh::ed::askFor(Want::Dist, prompt, pt);
    if (answer.status == RTNORM)
        *result = answer.real;
    return answer.status;
}

int acedGetAngle(const ads_point pt, const char* prompt, ads_real* result)
{
    if (!result)
        return RTERROR;
    auto answer = dh::ed::askFor(Want::Angle, prompt, pt);
    if (answer.status == RTNORM)
        *result = answer.real;
    return answer.status;
}

int acedGetOrient(const ads_point pt, const char* prompt, ads_real* result)
{
    if (!result)
        return RTERROR;
    auto answer = dh::ed::askFor(Want::Orient, prompt, pt);
    if (answer.status == RTNORM)
        *result = answer.real;
    return answer.status;
}

int acedGetReal(const char* prompt, ads_real* result)
{
    if (!result)
        return RTERROR;
    auto answer = dh::ed::askFor(Want::Real, prompt, nullptr);
    if (answer.status == RTNORM)
        *result = answer.real;
    return answer.status;
}

int acedGetInt(const char* prompt, int* result)
{
    if (!result)
        return RTERROR;
    auto answer = dh::ed::askFor(Want::Int, prompt, nullptr);
    if (answer.status == RTNORM)
        *result = static_cast<int>(answer.real);
    return answer.status;
}

int acedGetKword(const char* prompt, char* result, std::size_t bufsize)
{
    if (!result || bufsize == 0)
        return RTERROR;
    auto answer = dh::ed::askFor(Want::Kword, prompt, nullptr);
    if (answer.status == RTNORM)
        dh::ed::copyText(result, bufsize, Session::current()->lastKeyword());
    return answer.status;
}

int acedGetKword(const char* prompt, char* result)
{
    return acedGetKword(prompt, result, kAcedInputBufferSize);
}

int acedGetInput(char* str, std::size_t bufsize)
{
    Session* s = Session::current();
    if (!s || !str || bufsize == 0)
        return RTERROR;
    dh::ed::copyText(str, bufsize, s->lastKeyword());
    return RTNORM;
}

int acedGetInput(char* str) { return acedGetInput(str, kAcedInputBufferSize); }

int acedGetString(int, const char* prompt, char* result, std::size_t bufsize)
{
    Session* s = Session::current();
    if (!s || !result || bufsize == 0)
        return RTERROR;
    s->takeInputControl();
    std::optional<std::string> line = s->ask(prompt ? prompt : "\nEnter text: ");
    if (!line)
        return RTCAN;
    dh::ed::copyText(result, bufsize, *line);
    return RTNORM;
}

int acedGetString(int cronly, const char* prompt, char* result)
{
    return acedGetString(cronly, prompt, result, kAcedInputBufferSize);
}
