#include "host/ed/ResbufConversion.h"

#include "host/db/ResBufKind.h"
#include "host/ed/SelectionSets.h"
#include "host/lispeval/Error.h"

#include <acdb/AcDbUtilities.h>

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace dh::ed {

namespace {

// Lists that share their cells can unfold into more items than memory holds; no module
// argument or command needs more than this.
constexpr std::size_t kMaxChainItems = std::size_t{4} << 20;

class ChainBuilder {
public:
    void add(resbuf* rb)
    {
        if (!rb)
            throw lisp::Error("insufficient memory");
        if (++m_count > kMaxChainItems) {
            acutRelRb(rb);
            throw lisp::Error("list too long for a result buffer chain");
        }
        if (!m_head)
            m_head.reset(rb);
        else
            m_tail->rbnext = rb;
        m_tail = rb;
    }
    resbuf* add(short type)
    {
        add(acutNewRb(type));
        return m_tail;
    }
    ResbufChain finish() { return std::move(m_head); }

private:
    ResbufChain m_head;
    resbuf* m_tail = nullptr;
    std::size_t m_count = 0;
};

bool isPointList(const lisp::Value& v)
{
    if (!v.isCons() || !v.isProperList())
        return false;
    std::size_t n = v.length();
    if (n != 2 && n != 3)
        return false;
    for (const lisp::Value& item : v.items()) {
        if (!item.isNumber())
            return false;
    }
    return true;
}

// Adds a value that is not a list to be bracketed.
void addAtom(ChainBuilder& chain, const lisp::Value& v)
{
    using lisp::Type;
    switch (v.type()) {
    case Type::Nil:
        chain.add(RTNIL);
        return;
    case Type::Int: {
        std::int32_t i = v.asInt();
        if (i >= -32768 && i <= 32767)
            chain.add(RTSHORT)->resval.rint = static_cast<short>(i);
        else
            chain.add(RTLONG)->resval.rlong = i;
        return;
    }
    case Type::Real:
        chain.add(RTREAL)->resval.rreal = v.asReal();
        return;
    case Type::Str: {
        resbuf* rb = chain.add(RTSTR);
        rb->resval.rstring = acutNewString(v.asString().c_str());
        return;
    }
    case Type::Ename:
    case Type::PickSet: {
        resbuf* rb = chain.add(v.isEntityName() ? RTENAME : RTPICKS);
        rb->resval.rlname[0] = v.asName().id[0];
        rb->resval.rlname[1] = v.asName().id[1];
        return;
    }
    case Type::Sym:
        if (v.isT()) {
            chain.add(RTT);
            return;
        }
        break;
    case Type::List:
        if (isPointList(v)) {
            auto items = v.items();
            resbuf* rb = chain.add(items.size() == 2 ? RTPOINT : RT3DPOINT);
            for (std::size_t k = 0; k < items.size(); ++k)
                rb->resval.rpoint[k] = items[k].asNumber();
            return;
        }
        break;
    default:
        break;
    }
    throw lisp::Error("bad argument type: " + lisp::shownValue(v));
}

bool isBracketed(const lisp::Value& v) { return v.isCons() && !isPointList(v); }

// Lists become RTLB … RTLE; nesting is walked with a stack of the lists still open, so no
// depth of nesting exhausts the machine stack.
void addValue(ChainBuilder& chain, const lisp::Value& root)
{
    std::vector<const lisp::Value*> open;  // the items still to add, per open list
    auto add = [&](const lisp::Value& v) {
        if (isBracketed(v)) {
            chain.add(RTLB);
            open.push_back(&v);
        } else {
            addAtom(chain, v);
        }
    };
    add(root);
    while (!open.empty()) {
        const lisp::Value* rest = open.back();
        if (rest->isCons()) {
            open.back() = &rest->cdr();
            add(rest->car());
            continue;
        }
        if (!rest->isNil()) {  // the tail of a dotted list
            chain.add(RTDOTE);
            addAtom(chain, *rest);
        }
        chain.add(RTLE);
        open.pop_back();
    }
}

lisp::Value readAtom(const resbuf& item)
{
    switch (item.restype) {
    case RTNIL:
    case RTNONE:
        return {};
    case RTT:
        return lisp::Value::t();
    case RTSHORT:
        return lisp::Value::integer(item.resval.rint);
    case RTLONG:
        return lisp::Value::integer(item.resval.rlong);
    case RTREAL:
    case RTANG:
    case RTORINT:
        return lisp::Value::real(item.resval.rreal);
    case RTSTR:
        return lisp::Value::string(item.resval.rstring ? item.resval.rstring : "");
    case RTPOINT:
        return lisp::Value::list({lisp::Value::real(item.resval.rpoint[0]),
                                  lisp::Value::real(item.resval.rpoint[1])});
    case RT3DPOINT:
        return lisp::Value::point(item.resval.rpoint[0], item.resval.rpoint[1],
                                  item.resval.rpoint[2]);
    case RTENAME:
        return entityValue(item.resval.rlname);
    case RTPICKS:
        return selectionSetValue(item.resval.rlname);
    case RTVOID:
        return lisp::Value::voidValue();
    default:
        throw lisp::Error("unknown result type " + std::to_string(item.restype) +
                          " in the function's result");
    }
}

[[noreturn]] void unbalanced() { throw lisp::Error("unbalanced list in the function's result"); }
[[noreturn]] void malformedPair() { throw lisp::Error("malformed dotted pair in the function's result"); }

// One list being read: its items so far, whether it ends at RTLE (else at the chain's
// end) and whether RTDOTE announced its tail.
struct OpenList {
    lisp::ListBuilder items;
    bool bracketed = false;
    bool awaitingTail = false;
};

// Reads list items at rb up to the RTLE that closes the list (bracketed) or to the end of
// the chain; rb moves past them. Nested lists are kept on a stack, not on the machine's.
lisp::Value readListBody(const resbuf*& rb, bool bracketed)
{
    std::vector<OpenList> open(1);
    open[0].bracketed = bracketed;
    for (;;) {
        if (!rb) {
            if (open.size() > 1 || open[0].bracketed || open[0].awaitingTail)
                unbalanced();
            return open[0].items.finish();
        }
        const resbuf& item = *rb;
        rb = rb->rbnext;
        lisp::Value value;
        if (item.restype == RTLB) {
            open.emplace_back().bracketed = true;
            continue;
        }
        if (item.restype == RTDOTE) {
            if (open.back().items.empty() || open.back().awaitingTail || !rb)
                malformedPair();
            open.back().awaitingTail = true;
            continue;
        }
        if (item.restype == RTLE) {
            if (!open.back().bracketed)
                unbalanced();
            if (open.back().awaitingTail)
                malformedPair();
            value = open.back().items.finish();
            open.pop_back();
            if (open.empty())
                return value;
        } else {
            value = readAtom(item);
        }
        // Hand the value to the list below; a tail completes that list too.
        while (open.back().awaitingTail) {
            value = open.back().items.finish(value);
            bool closed = open.back().bracketed;
            if (closed) {
                if (!rb || rb->restype != RTLE)
                    malformedPair();
                rb = rb->rbnext;
            }
            open.pop_back();
            if (open.empty() || !closed)
                return value;
        }
        open.back().items.add(std::move(value));
    }
}

lisp::Value readItem(const resbuf*& rb)
{
    const resbuf& item = *rb;
    rb = rb->rbnext;
    return item.restype == RTLB ? readListBody(rb, true) : readAtom(item);
}

}  // namespace

ResbufChain valuesToResbuf(const std::vector<lisp::Value>& values)
{
    ChainBuilder chain;
    for (const lisp::Value& v : values)
        addValue(chain, v);
    return chain.finish();
}

ResbufChain copyResbufChain(const resbuf* chain)
{
    ResbufChain head;
    resbuf* tail = nullptr;
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
        resbuf* copy = acutNewRb(rb->restype);
        if (!copy)
            return nullptr;
        copy->resval = rb->resval;
        copy->rbnext = nullptr;
        if (db::valueKindOf(rb->restype) == db::ValueKind::kString) {
            copy->resval.rstring = rb->resval.rstring ? acutNewString(rb->resval.rstring) : nullptr;
        } else if (db::valueKindOf(rb->restype) == db::ValueKind::kBinary) {
            short n = rb->resval.rbinary.clen;
            copy->resval.rbinary.buf = nullptr;
            if (n > 0 && rb->resval.rbinary.buf) {
                copy->resval.rbinary.buf = static_cast<char*>(std::malloc(n));
                if (copy->resval.rbinary.buf)
                    std::memcpy(copy->resval.rbinary.buf, rb->resval.rbinary.buf, n);
                else
                    copy->resval.rbinary.clen = 0;
            }
        }
        if (!head)
            head.reset(copy);
        else
            tail->rbnext = copy;
        tail = copy;
    }
    return head;
}

lisp::Value resbufToList(const resbuf* chain)
{
    if (!chain)
        return {};
    // A chain that is exactly one bracketed list is that list, not a list holding it.
    if (chain->restype == RTLB) {
        const resbuf* rb = chain;
        lisp::Value first = readItem(rb);
        if (!rb)
            return first;
    }
    const resbuf* rb = chain;
    return readListBody(rb, false);
}

lisp::Value resbufToValue(const resbuf* chain)
{
    if (!chain)
        return {};
    const resbuf* rb = chain;
    return readItem(rb);
}

std::string entityLabel(const ads_name name)
{
    AcDbObjectId id;
    if (acdbGetObjectId(id, name) != Acad::eOk)
        return "0";
    std::string text = id.handle().toString();
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

lisp::Value entityValue(const ads_name name)
{
    return lisp::Value::entityName(name[0], name[1], entityLabel(name));
}

lisp::Value selectionSetValue(const ads_name name)
{
    // A set that reaches LISP lives on as a value: it is no leak of the call.
    SelectionSets::instance().markHandedToLisp(name);
    return lisp::Value::selectionSet(name[0], name[1], std::to_string(name[0]));
}

}  // namespace dh::ed
