#include "host/lispeval/Printer.h"

#include "host/lispeval/LispFile.h"

#include <cmath>
#include <cstdio>

namespace dh::lisp {

namespace {

// Deeper nesting (only built on purpose) prints as "..." rather than exhausting the stack.
constexpr int kMaxPrintDepth = 2000;
// Lists that share their cells can stand for exponentially long texts; the printed form
// stops with "..." past this size.
constexpr std::size_t kMaxPrintBytes = std::size_t{16} << 20;

void printTo(std::string& out, const Value& value, bool readable, int depth, std::size_t limit);

void printList(std::string& out, const Value& list, bool readable, int depth, std::size_t limit)
{
    if (depth > kMaxPrintDepth) {
        out += "(...)";
        return;
    }
    out += '(';
    const Value* p = &list;
    bool first = true;
    while (p->isCons()) {
        if (out.size() > limit) {
            out += " ...)";
            return;
        }
        if (!first) {
            out += ' ';
        }
        printTo(out, p->car(), readable, depth + 1, limit);
        first = false;
        p = &p->cdr();
    }
    if (!p->isNil()) {
        out += " . ";
        printTo(out, *p, readable, depth + 1, limit);
    }
    out += ')';
}

void printTo(std::string& out, const Value& value, bool readable, int depth, std::size_t limit)
{
    switch (value.type()) {
    case Type::Nil:
        out += "nil";
        break;
    case Type::Int:
        out += std::to_string(value.asInt());
        break;
    case Type::Real:
        out += formatReal(value.asReal());
        break;
    case Type::Str:
        out += readable ? quoteString(value.asString()) : value.asString();
        break;
    case Type::Sym:
        out += value.symbolName();
        break;
    case Type::List:
        printList(out, value, readable, depth, limit);
        break;
    case Type::Ename:
        out += "<Entity name: " + value.asName().label + ">";
        break;
    case Type::PickSet:
        out += "<Selection set: " + value.asName().label + ">";
        break;
    case Type::Subr:
        out += "#<SUBR " + value.functionName() + ">";
        break;
    case Type::Usubr:
        out += "#<USUBR " + (value.functionName().empty() ? "LAMBDA" : value.functionName()) + ">";
        break;
    case Type::File:
        out += "#<file \"" + value.asFile().name() + "\">";
        break;
    case Type::CatchError:
        out += "#<%catch-all-apply-error%>";
        break;
    }
}

} // namespace

std::string printValue(const Value& value, bool readable)
{
    return printValue(value, readable, kMaxPrintBytes);
}

std::string printValue(const Value& value, bool readable, std::size_t limit)
{
    std::string out;
    printTo(out, value, readable, 0, limit);
    return out;
}

std::string formatReal(double value)
{
    if (std::isnan(value)) {
        return "1.#QNAN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "1.#INF" : "-1.#INF";
    }
    if (value == 0.0) {
        return "0.0"; // also for -0.0
    }
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    std::string text = buffer;
    std::size_t e = text.find('e');
    std::string mantissa = text.substr(0, e);
    std::string exponent = e == std::string::npos ? std::string() : text.substr(e);
    if (mantissa.find('.') == std::string::npos) {
        mantissa += ".0";
    }
    return mantissa + exponent;
}

std::string quoteString(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\x1b':
            out += "\\e";
            break;
        default:
            out += c;
            break;
        }
    }
    out += '"';
    return out;
}

} // namespace dh::lisp
