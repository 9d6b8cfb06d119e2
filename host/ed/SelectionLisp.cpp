// The host LISP's selection-set functions and command: ssget, sslength, ssname, ssadd,
// ssdel, ssmemb and command, over the same calls the modules use.
#include "host/ed/CommandRunner.h"
#include "host/ed/LispBridge.h"
#include "host/ed/ResbufConversion.h"
#include "host/ed/SelectionFilter.h"
#include "host/ed/SelectionSets.h"
#include "host/ed/Session.h"

#include "host/lispeval/Args.h"
#include "host/lispeval/Error.h"

#include <aced/AcEdCommand.h>
#include <aced/AcEdSelection.h>
#include <acdb/AcDbObjectId.h>
#include <acdb/AcDbUtilities.h>

#include <cctype>
#include <deque>
#include <string>

namespace dh::ed {
namespace {

using lisp::Args;
using lisp::Value;

[[noreturn]] void badFilter(const Value& item, const char* why)
{
    throw lisp::Error(std::string("bad ssget filter: ") + why + ": " + lisp::shownValue(item));
}

bool isNumberList(const Value& v, std::size_t min, std::size_t max)
{
    if (!v.isCons() || !v.isProperList() || v.length() < min || v.length() > max)
        return false;
    for (const Value& item : v.items())
        if (!item.isNumber())
            return false;
    return true;
}

bool isHandleCode(int code)
{
    return (code >= 320 && code <= 369) || (code >= 390 && code <= 399) || code == 480 || code == 481;
}

// A filter list ((0 . "LINE") (-4 . "<OR") (10 1.0 2.0 0.0) …) as result buffers that live
// as long as this object. Every value is checked against its group's type; groups a filter
// passes over (-1, 5, extended data, unknown codes) are left out with their comparison.
class FilterChain {
public:
    explicit FilterChain(const Value& list)
    {
        if (!list.isProperList())
            badFilter(list, "not a list");
        for (const Value& item : list.items())
            addItem(item);
        if (!m_items.empty() && m_items.back().restype == -4 && m_pendingComparison)
            badFilter(list, "comparison without a group");
        for (std::size_t i = 0; i + 1 < m_items.size(); ++i)
            m_items[i].rbnext = &m_items[i + 1];
        if (!SelectionFilter::parse(head()))
            badFilter(list, "unbalanced or empty grouping");
    }
    const resbuf* head() const { return m_items.empty() ? nullptr : &m_items.front(); }

private:
    void addItem(const Value& item)
    {
        if (!item.isCons() || !item.car().isInt())
            badFilter(item, "not a (code . value) pair");
        const int code = item.car().asInt();
        const Value& value = item.cdr();
        if (code == -3) {
            addApplications(item);
            return;
        }
        if (code == -4) {
            if (!value.isString())
                badFilter(item, "operator is not a string");
            const std::string& op = value.asString();
            m_pendingComparison = op.empty() || (op[0] != '<' && op.back() != '>');
            text(-4, op);
            return;
        }
        if (isIgnoredFilterCode(code)) {
            // Its comparison goes with it.
            if (m_pendingComparison) {
                m_items.pop_back();
                m_pendingComparison = false;
            }
            return;
        }
        m_pendingComparison = false;
        resbuf& rb = push(code);
        switch (groupCodeKind(code)) {
        case FilterValue::Kind::Text:
            if (value.isEntityName() && isHandleCode(code)) {
                ads_name name = {value.asName().id[0], value.asName().id[1]};
                AcDbObjectId id;
                if (acdbGetObjectId(id, name) != Acad::eOk)
                    badFilter(item, "unknown entity");
                m_texts.push_back(id.handle().toString());
            } else if (value.isString()) {
                m_texts.push_back(value.asString());
            } else {
                badFilter(item, "value is not a string");
            }
            rb.resval.rstring = m_texts.back().data();
            break;
        case FilterValue::Kind::Integer: {
            if (!value.isInt())
                badFilter(item, "value is not an integer");
            const bool wide = (code >= 90 && code <= 99) || (code >= 420 && code <= 459);
            if (!wide && (value.asInt() < -32768 || value.asInt() > 32767))
                badFilter(item, "value out of range");
            if (wide)
                rb.resval.rlong = value.asInt();
            else
                rb.resval.rint = static_cast<short>(value.asInt());
            break;
        }
        case FilterValue::Kind::Real:
            if (!value.isNumber())
                badFilter(item, "value is not a number");
            rb.resval.rreal = value.asNumber();
            break;
        case FilterValue::Kind::Point: {
            if (!isNumberList(value, 2, 3))
                badFilter(item, "value is not a point");
            const std::vector<Value> xyz = value.items();
            for (std::size_t i = 0; i < xyz.size(); ++i)
                rb.resval.rpoint[i] = xyz[i].asNumber();
            break;
        }
        }
    }

    // (-3 ("APP") ("B*")): -3, then one 1001 name per application.
    void addApplications(const Value& item)
    {
        const Value& apps = item.cdr();
        if (!apps.isCons() || !apps.isProperList())
            badFilter(item, "no application names");
        push(-3);
        for (const Value& app : apps.items()) {
            if (!app.isCons() || !app.car().isString())
                badFilter(item, "application name is not a string");
            text(1001, app.car().asString());
        }
        m_pendingComparison = false;
    }

    resbuf& push(int code)
    {
        resbuf rb{};
        rb.restype = static_cast<short>(code);
        m_items.push_back(rb);
        return m_items.back();
    }

    void text(int code, const std::string& value)
    {
        m_texts.push_back(value);
        push(code).resval.rstring = m_texts.back().data();
    }

    std::deque<resbuf> m_items;
    std::deque<std::string> m_texts;
    bool m_pendingComparison = false;  // the last item is a -4 comparison
};

bool isPoint(const Value& v)
{
    if (!v.isCons() || !v.isProperList() || v.length() < 2 || v.length() > 3)
        return false;
    for (const Value& item : v.items())
        if (!item.isNumber())
            return false;
    return true;
}

void toPoint(const Value& v, ads_point out)
{
    const std::vector<Value> xyz = v.items();
    out[0] = xyz[0].asNumber();
    out[1] = xyz[1].asNumber();
    out[2] = xyz.size() > 2 ? xyz[2].asNumber() : 0.0;
}

std::string upperMode(const std::string& mode)
{
    std::string out;
    for (char c : mode)
        out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    if (!out.empty() && out[0] == '_')
        out.erase(0, 1);
    return out;
}

Value setValue(int status, const ads_name ss)
{
    return status == RTNORM ? selectionSetValue(ss) : Value();
}

Value ssget(lisp::Interpreter&, const Args& args)
{
    args.expect(0, 4);
    ads_name ss;
    std::size_t next = 0;
    std::string mode;
    if (args.has(0) && args[0].isString()) {
        mode = args[0].asString();
        next = 1;
    } else if (args.has(0) && isPoint(args[0])) {
        // (ssget pt): a single pick at the point.
        ads_point pt;
        toPoint(args[0], pt);
        std::optional<FilterChain> filter;
        if (args.has(1))
            filter.emplace(args.list(1));
        return setValue(acedSSGet(":S", pt, nullptr, filter ? filter->head() : nullptr, ss), ss);
    }
    const std::string method = upperMode(mode.substr(0, mode.find_first_of(":+")));
    ads_point corners[2];
    bool haveCorners = false;
    std::deque<resbuf> pointChain;
    if (method == "W" || method == "C") {
        args.atLeast(next + 2);
        haveCorners = true;
        for (int i = 0; i < 2; ++i) {
            if (!isPoint(args[next + i]))
                throw lisp::Error("bad argument type: point: " + lisp::shownValue(args[next + i]));
            toPoint(args[next + i], corners[i]);
        }
        next += 2;
    } else if (method == "F" || method == "CP" || method == "WP") {
        args.atLeast(next + 1);
        for (const Value& p : args.list(next).items()) {
            if (!isPoint(p))
                throw lisp::Error("bad argument type: point: " + lisp::shownValue(p));
            resbuf rb{};
            rb.restype = RT3DPOINT;
            toPoint(p, rb.resval.rpoint);
            pointChain.push_back(rb);
        }
        for (std::size_t i = 0; i + 1 < pointChain.size(); ++i)
            pointChain[i].rbnext = &pointChain[i + 1];
        ++next;
    }
    std::optional<FilterChain> filter;
    if (args.has(next))
        filter.emplace(args.list(next++));
    if (args.has(next))
        throw lisp::Error("too many arguments");
    const void* pt1 = haveCorners            ? static_cast<const void*>(corners[0])
                      : !pointChain.empty() ? static_cast<const void*>(&pointChain.front())
                                            : nullptr;
    const void* pt2 = haveCorners ? static_cast<const void*>(corners[1]) : nullptr;
    const int status = acedSSGet(mode.empty() ? nullptr : mode.c_str(), pt1, pt2,
                                 filter ? filter->head() : nullptr, ss);
    return setValue(status, ss);
}

void nameOf(const lisp::OpaqueName& opaque, ads_name out)
{
    out[0] = opaque.id[0];
    out[1] = opaque.id[1];
}

Value sslength(lisp::Interpreter&, const Args& args)
{
    args.expect(1);
    ads_name ss;
    nameOf(args.selectionSet(0), ss);
    std::int32_t length = 0;
    if (acedSSLength(ss, &length) != RTNORM)
        return Value();
    return Value::integer(length);
}

Value ssname(lisp::Interpreter&, const Args& args)
{
    args.expect(2);
    ads_name ss, entity;
    nameOf(args.selectionSet(0), ss);
    const double index = args.number(1);
    if (index < 0 || index > 2147483647.0 || acedSSName(ss, static_cast<std::int32_t>(index), entity) != RTNORM)
        return Value();
    return entityValue(entity);
}

Value ssadd(lisp::Interpreter&, const Args& args)
{
    args.expect(0, 2);
    ads_name entity{0, 0}, ss{0, 0}, result;
    if (args.has(0))
        nameOf(args.entityName(0), entity);
    if (args.has(1))
        nameOf(args.selectionSet(1), ss);
    if (acedSSAdd(args.has(0) ? entity : nullptr, args.has(1) ? ss : nullptr, result) != RTNORM)
        return Value();
    return selectionSetValue(result);
}

Value ssdel(lisp::Interpreter&, const Args& args)
{
    args.expect(2);
    ads_name entity, ss;
    nameOf(args.entityName(0), entity);
    nameOf(args.selectionSet(1), ss);
    return acedSSDel(entity, ss) == RTNORM ? args[1] : Value();
}

Value ssmemb(lisp::Interpreter&, const Args& args)
{
    args.expect(2);
    ads_name entity, ss;
    nameOf(args.entityName(0), entity);
    nameOf(args.selectionSet(1), ss);
    return acedSSMemb(entity, ss) == RTNORM ? args[0] : Value();
}

Value pointDescriptor(const std::array<double, 3>& p)
{
    return Value::list({Value::integer(0), Value::point(p[0], p[1], p[2])});
}

// (ssnamex ss [index]): how members were selected. Each is (how ename data): a pick gives
// 0 and the pick point, a window, crossing or fence the id of its polygon, whose corners
// follow as (-n (0 pt) …); members found otherwise give (0 ename 0).
Value ssnamex(lisp::Interpreter&, const Args& args)
{
    args.expect(1, 2);
    ads_name ss;
    nameOf(args.selectionSet(0), ss);
    SelectionSet* set = SelectionSets::instance().find(ss);
    if (set == nullptr)
        return Value();
    std::vector<EntityName> members = set->members();
    std::size_t from = 0;
    std::size_t to = members.size();
    if (args.has(1) && !args[1].isNil()) {
        const double index = args.number(1);
        if (index < 0 || index >= static_cast<double>(members.size()))
            return Value();
        from = static_cast<std::size_t>(index);
        to = from + 1;
    }
    lisp::ListBuilder out;
    std::vector<const std::vector<std::array<double, 3>>*> polygons;
    for (std::size_t i = from; i < to; ++i) {
        ads_name name;
        members[i].copyTo(name);
        const SelectionDetail* detail = set->detail(members[i]);
        if (detail == nullptr || detail->how == 0) {
            out.add(Value::list({Value::integer(0), entityValue(name), Value::integer(0)}));
        } else if (detail->how == 1 && !detail->points.empty()) {
            out.add(Value::list({Value::integer(1), entityValue(name), Value::integer(0),
                                 pointDescriptor(detail->points.front())}));
        } else {
            std::size_t polygon = 0;
            while (polygon < polygons.size() && *polygons[polygon] != detail->points)
                ++polygon;
            if (polygon == polygons.size())
                polygons.push_back(&detail->points);
            out.add(Value::list({Value::integer(detail->how), entityValue(name),
                                 Value::integer(-static_cast<std::int32_t>(polygon) - 1)}));
        }
    }
    for (std::size_t polygon = 0; polygon < polygons.size(); ++polygon) {
        lisp::ListBuilder corners;
        corners.add(Value::integer(-static_cast<std::int32_t>(polygon) - 1));
        for (const auto& p : *polygons[polygon])
            corners.add(pointDescriptor(p));
        out.add(corners.finish());
    }
    return out.finish();
}

// (command name answer …): nil when the command ran; an error when it is unknown, failed
// or was cancelled, so that a routine never goes on as if it had worked.
Value command(lisp::Interpreter&, const Args& args)
{
    if (args.empty())
        return Value();  // (command) is Esc: nothing runs here
    if (!args[0].isString())
        throw lisp::Error("bad argument type: stringp: " + lisp::shownValue(args[0]));
    if (args.size() == 1 && args[0].asString().empty())
        return Value();  // Enter at "Command:"
    ResbufChain items = valuesToResbuf(args.values());
    Session* session = Session::current();
    std::string why = "no drawing is open";
    const int status = session ? runCommandItems(*session, items.get(), &why) : RTERROR;
    if (status == RTCAN)
        throw lisp::Error("Function cancelled");
    if (status != RTNORM)
        throw lisp::Error(why);
    return Value();
}

const LispBuiltinRegistrar kSsget("SSGET", ssget);
const LispBuiltinRegistrar kSslength("SSLENGTH", sslength);
const LispBuiltinRegistrar kSsname("SSNAME", ssname);
const LispBuiltinRegistrar kSsadd("SSADD", ssadd);
const LispBuiltinRegistrar kSsdel("SSDEL", ssdel);
const LispBuiltinRegistrar kSsmemb("SSMEMB", ssmemb);
const LispBuiltinRegistrar kCommand("COMMAND", command);
const LispBuiltinRegistrar kSsnamex("SSNAMEX", ssnamex);

}  // namespace
}  // namespace dh::ed
