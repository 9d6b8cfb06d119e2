// LISP values <-> result-buffer chains, in both directions and for malformed module results.
#include "host/db/ResultBufferCount.h"
#include "host/ed/ResbufConversion.h"
#include "host/lispeval/Error.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using dh::ed::ResbufChain;
using dh::lisp::Value;

namespace {

ResbufChain chainOf(const std::vector<short>& types)
{
    ResbufChain head;
    resbuf* tail = nullptr;
    for (short t : types) {
        resbuf* rb = acutNewRb(t);
        if (t == RTSHORT)
            rb->resval.rint = 7;
        if (t == RTSTR)
            rb->resval.rstring = acutNewString("s");
        if (!head)
            head.reset(rb);
        else
            tail->rbnext = rb;
        tail = rb;
    }
    return head;
}

}  // namespace

TEST(ResbufConversion, DottedPairsAndNestedListsReadBack)
{
    auto pair = chainOf({RTLB, RTSHORT, RTDOTE, RTSTR, RTLE});
    EXPECT_EQ(dh::ed::resbufToList(pair.get()).toString(), "(7 . \"s\")");
    auto nested = chainOf({RTSHORT, RTLB, RTSTR, RTLB, RTLE, RTLE, RTNIL, RTT});
    EXPECT_EQ(dh::ed::resbufToList(nested.get()).toString(), "(7 (\"s\" nil) nil T)");
    EXPECT_TRUE(dh::ed::resbufToList(nullptr).isNil());
}

TEST(ResbufConversion, MalformedResultsAreLispErrors)
{
    std::vector<std::vector<short>> cases = {
        {RTLB, RTSHORT}, {RTSHORT, RTLE}, {RTLB, RTDOTE, RTSHORT, RTLE},
        {RTLB, RTSHORT, RTDOTE, RTSHORT, RTSHORT, RTLE}};
    for (const auto& types : cases) {
        ResbufChain chain = chainOf(types);
        EXPECT_THROW(dh::ed::resbufToList(chain.get()), dh::lisp::Error);
    }
}

TEST(ResbufConversion, ValuesBecomeChainsAndBack)
{
    std::vector<Value> values = {
        Value::integer(-32768), Value::integer(-32769), Value::list({Value::integer(1), Value::real(2)}),
        Value::cons(Value::string("k"), Value::real(0.5)),
        Value::list({Value::list({Value::integer(1), Value::integer(2), Value::integer(3)})})};
    ResbufChain chain = dh::ed::valuesToResbuf(values);
    std::vector<short> types;
    for (const resbuf* rb = chain.get(); rb; rb = rb->rbnext)
        types.push_back(rb->restype);
    EXPECT_EQ(types, (std::vector<short>{RTSHORT, RTLONG, RTPOINT, RTLB, RTSTR, RTDOTE, RTREAL,
                                         RTLE, RTLB, RT3DPOINT, RTLE}));
    EXPECT_EQ(dh::ed::resbufToList(chain.get()).toString(),
              "(-32768 -32769 (1.0 2.0) (\"k\" . 0.5) ((1.0 2.0 3.0)))");
    EXPECT_THROW(dh::ed::valuesToResbuf({Value::symbol("FOO")}), dh::lisp::Error);
}

TEST(ResbufConversion, CopiesOwnTheirStrings)
{
    std::size_t before = dh::db::liveResultBuffers();
    {
        auto original = chainOf({RTSTR, RTSHORT});
        ResbufChain copy = dh::ed::copyResbufChain(original.get());
        ASSERT_NE(copy, nullptr);
        EXPECT_NE(copy->resval.rstring, original->resval.rstring);
        EXPECT_STREQ(copy->resval.rstring, "s");
        original.reset();  // the copy stays readable
        EXPECT_STREQ(copy->resval.rstring, "s");
        EXPECT_EQ(copy->rbnext->resval.rint, 7);
    }
    EXPECT_EQ(dh::db::liveResultBuffers(), before);
}
