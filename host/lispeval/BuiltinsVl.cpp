// The vl- list functions people's routines use: sorting, searching, filtering with a
// predicate, catching errors, and values as text.
#include "host/lispeval/Builtins.h"
#include "host/lispeval/Error.h"
#include "host/lispeval/Printer.h"

#include <algorithm>
#include <cstdint>

namespace dh::lisp {

namespace {

const Value& properList(const Args& args, std::size_t i)
{
    const Value& v = args.list(i);
    if (!v.isProperList()) {
        throw Error("bad list: " + shownValue(v));
    }
    return v;
}

// A stable merge sort that calls the predicate only as "a before b?" and stays well
// defined whatever it answers (std::sort is not, for a predicate that is no ordering).
template <class Before> void mergeSort(std::vector<std::size_t>& order, Before before)
{
    std::vector<std::size_t> buffer(order.size());
    for (std::size_t width = 1; width < order.size(); width *= 2) {
        for (std::size_t lo = 0; lo < order.size(); lo += 2 * width) {
            std::size_t mid = std::min(lo + width, order.size());
            std::size_t hi = std::min(lo + 2 * width, order.size());
            std::size_t i = lo;
            std::size_t j = mid;
            std::size_t k = lo;
            while (i < mid && j < hi) {
                buffer[k++] = before(order[j], order[i]) ? order[j++] : order[i++];
            }
            while (i < mid) {
                buffer[k++] = order[i++];
            }
            while (j < hi) {
                buffer[k++] = order[j++];
            }
        }
        order.swap(buffer);
    }
}

std::vector<std::size_t> sortedOrder(Interpreter& interp, const Args& args, bool laterFirst)
{
    args.expect(2);
    std::vector<Value> items = properList(args, 0).items();
    std::vector<std::size_t> order(items.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = laterFirst ? order.size() - 1 - i : i;
    }
    mergeSort(order, [&](std::size_t a, std::size_t b) {
        return interp.apply(args[1], {items[a], items[b]}).isTrue();
    });
    return order;
}

// Sorted; an element eq to the one before it (the same number, symbol or cell) is dropped.
Value vlSort(Interpreter& interp, const Args& args)
{
    std::vector<Value> items = args.list(0).items();
    ListBuilder out;
    const Value* previous = nullptr;
    for (std::size_t i : sortedOrder(interp, args, false)) {
        if (!previous || !items[i].eq(*previous)) {
            out.add(items[i]);
        }
        previous = &items[i];
    }
    return out.finish();
}

// The indexes in sorted order, duplicates kept; of equal elements the later comes first.
Value vlSortI(Interpreter& interp, const Args& args)
{
    ListBuilder out;
    for (std::size_t i : sortedOrder(interp, args, true)) {
        out.add(Value::integer(static_cast<std::int32_t>(i)));
    }
    return out.finish();
}

Value vlPosition(Interpreter&, const Args& args)
{
    args.expect(2);
    std::int32_t index = 0;
    for (const Value* p = &args.list(1); p->isCons(); p = &p->cdr(), ++index) {
        if (p->car().equal(args[0])) {
            return Value::integer(index);
        }
    }
    return Value();
}

Value vlRemove(Interpreter&, const Args& args)
{
    args.expect(2);
    ListBuilder out;
    for (const Value* p = &properList(args, 1); p->isCons(); p = &p->cdr()) {
        if (!p->car().equal(args[0])) {
            out.add(p->car());
        }
    }
    return out.finish();
}

Value removeIf(Interpreter& interp, const Args& args, bool keepWhenTrue)
{
    args.expect(2);
    ListBuilder out;
    for (const Value* p = &properList(args, 1); p->isCons(); p = &p->cdr()) {
        if (interp.apply(args[0], {p->car()}).isTrue() == keepWhenTrue) {
            out.add(p->car());
        }
    }
    return out.finish();
}

Value memberIf(Interpreter& interp, const Args& args, bool wanted)
{
    args.expect(2);
    for (const Value* p = &args.list(1); p->isCons(); p = &p->cdr()) {
        if (interp.apply(args[0], {p->car()}).isTrue() == wanted) {
            return *p;
        }
    }
    return Value();
}

// Calls the predicate on one element of each list at a time, until the shortest ends.
// found(result) stops the walk and gives the answer; otherwise the answer is atEnd.
template <class Found>
Value eachStep(Interpreter& interp, const Args& args, Found found, Value atEnd)
{
    args.atLeast(2);
    std::vector<const Value*> lists;
    for (std::size_t i = 1; i < args.size(); ++i) {
        lists.push_back(&args.list(i));
    }
    for (;;) {
        std::vector<Value> step;
        for (const Value*& list : lists) {
            if (!list->isCons()) {
                return atEnd;
            }
            step.push_back(list->car());
            list = &list->cdr();
        }
        Value result = interp.apply(args[0], std::move(step));
        if (std::optional<Value> answer = found(result)) {
            return *answer;
        }
    }
}

Value vlSome(Interpreter& interp, const Args& args)
{
    return eachStep(
        interp, args,
        [](const Value& r) { return r.isTrue() ? std::optional<Value>(r) : std::nullopt; },
        Value());
}

Value vlEvery(Interpreter& interp, const Args& args)
{
    return eachStep(
        interp, args,
        [](const Value& r) { return r.isNil() ? std::optional<Value>(Value()) : std::nullopt; },
        Value::t());
}

// The function's result, or an error object instead of the error.
Value catchAllApply(Interpreter& interp, const Args& args)
{
    args.expect(2);
    std::vector<Value> callArgs = properList(args, 1).items();
    try {
        return interp.apply(args[0], std::move(callArgs));
    } catch (const Error& e) {
        return Value::catchError(e.what());
    }
}

Value catchErrorMessage(Interpreter&, const Args& args)
{
    args.expect(1);
    if (!args[0].isCatchError()) {
        throwBadArgumentType("vl-catch-all-apply-error-p", args[0]);
    }
    return Value::string(args[0].catchMessage());
}

bool lessFolded(const std::string& a, const std::string& b)
{
    auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) {
            return static_cast<unsigned char>(fold(a[i])) < static_cast<unsigned char>(fold(b[i]));
        }
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

// Alphabetical, letters of either case together; nil for anything but a list of strings.
Value acadStrlsort(Interpreter&, const Args& args)
{
    args.expect(1);
    const Value& list = args[0];
    if (!list.isProperList()) {
        return Value();
    }
    std::vector<std::string> texts;
    for (const Value& item : list.items()) {
        if (!item.isString()) {
            return Value();
        }
        texts.push_back(item.asString());
    }
    std::stable_sort(texts.begin(), texts.end(), lessFolded);
    ListBuilder out;
    for (std::string& text : texts) {
        out.add(Value::string(std::move(text)));
    }
    return out.finish();
}

// (vl-list* a b … tail): the items before a last argument that becomes the tail.
Value vlListStar(Interpreter&, const Args& args)
{
    args.atLeast(1);
    std::vector<Value> items(args.values().begin(), args.values().end() - 1);
    return Value::list(items, args.values().back());
}

} // namespace

std::span<const Builtin> vlBuiltins()
{
    static const std::vector<Builtin> table = {
        {"vl-sort", vlSort},
        {"vl-sort-i", vlSortI},
        {"vl-position", vlPosition},
        {"vl-remove", vlRemove},
        {"vl-remove-if", [](Interpreter& i, const Args& a) { return removeIf(i, a, false); }},
        {"vl-remove-if-not", [](Interpreter& i, const Args& a) { return removeIf(i, a, true); }},
        {"vl-member-if", [](Interpreter& i, const Args& a) { return memberIf(i, a, true); }},
        {"vl-member-if-not", [](Interpreter& i, const Args& a) { return memberIf(i, a, false); }},
        {"vl-some", vlSome},
        {"vl-every", vlEvery},
        {"vl-list*", vlListStar},
        {"vl-consp",
         [](Interpreter&, const Args& a) {
             a.expect(1);
             return Value::boolean(a[0].isCons());
         }},
        {"vl-catch-all-apply", catchAllApply},
        {"vl-catch-all-error-p",
         [](Interpreter&, const Args& a) {
             a.expect(1);
             return Value::boolean(a[0].isCatchError());
         }},
        {"vl-catch-all-error-message", catchErrorMessage},
        {"vl-princ-to-string",
         [](Interpreter&, const Args& a) {
             a.expect(1);
             return Value::string(printValue(a[0], false));
         }},
        {"vl-prin1-to-string",
         [](Interpreter&, const Args& a) {
             a.expect(1);
             return Value::string(printValue(a[0], true));
         }},
        {"acad_strlsort", acadStrlsort},
    };
    return table;
}

} // namespace dh::lisp
