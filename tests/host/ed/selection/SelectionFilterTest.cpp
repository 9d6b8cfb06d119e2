#include "host/ed/SelectionFilter.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

namespace dh::ed {
namespace {

// A filter chain built in place (the strings stay owned by the builder).
class Chain {
public:
    Chain& text(short code, const char* value)
    {
        resbuf& rb = push(code);
        m_texts.emplace_back(value);
        rb.resval.rstring = m_texts.back().data();
        return *this;
    }
    Chain& op(const char* value) { return text(-4, value); }
    Chain& shortValue(short code, short value)
    {
        push(code).resval.rint = value;
        return *this;
    }
    Chain& real(short code, double value)
    {
        push(code).resval.rreal = value;
        return *this;
    }
    Chain& point(short code, double x, double y, double z)
    {
        resbuf& rb = push(code);
        rb.resval.rpoint[0] = x;
        rb.resval.rpoint[1] = y;
        rb.resval.rpoint[2] = z;
        return *this;
    }
    const resbuf* head()
    {
        for (std::size_t i = 0; i + 1 < m_items.size(); ++i)
            m_items[i].rbnext = &m_items[i + 1];
        return m_items.empty() ? nullptr : &m_items.front();
    }

private:
    resbuf& push(short code)
    {
        m_items.push_back(resbuf{});
        m_items.back().restype = code;
        return m_items.back();
    }
    std::deque<resbuf> m_items;
    std::deque<std::string> m_texts;
};

class Entity : public FilterSubject {
public:
    Entity(std::string type, std::string layer, int color = 256, double elevation = 0.0)
    {
        add(0, text(std::move(type)));
        add(8, text(std::move(layer)));
        FilterValue c;
        c.kind = FilterValue::Kind::Integer;
        c.number = color;
        add(62, c);
        FilterValue e;
        e.kind = FilterValue::Kind::Real;
        e.number = elevation;
        add(38, e);
    }
    Entity& vertex(double x, double y)
    {
        FilterValue p;
        p.kind = FilterValue::Kind::Point;
        p.point[0] = x;
        p.point[1] = y;
        add(10, p);
        return *this;
    }
    std::vector<FilterValue> valuesOf(int code) const override
    {
        const auto found = m_values.find(code);
        return found == m_values.end() ? std::vector<FilterValue>{} : found->second;
    }

private:
    static FilterValue text(std::string s)
    {
        FilterValue v;
        v.text = std::move(s);
        return v;
    }
    void add(int code, FilterValue v) { m_values[code].push_back(std::move(v)); }
    std::map<int, std::vector<FilterValue>> m_values;
};

TEST(Wildcard, MatchesAsTheHostDoes)
{
    struct Case {
        const char* text;
        const char* pattern;
        bool expected;
    };
    const Case cases[] = {
        {"LINE", "LINE,ARC", true},
        {"arc", "LINE,ARC", true},
        {"CIRCLE", "LINE,ARC", false},
        {"CONT-100", "cont*", true},
        {"XCONT", "CONT*", false},
        {"0", "~0", false},
        {"DIM", "~0", true},
        {"A1", "@#", true},
        {"11", "@#", false},
        {"A-1", "@.#", true},
        {"等高线", "等??", true},   // a multibyte character is one character
        {"等高线", "等?", false},
        {"A*B", "A`*B", true},
        {"AXB", "A`*B", false},
        {"B", "[ABC]", true},
        {"D", "[~ABC]", true},
        {"D", "[A-C]", false},
        {"A,B", "A`,B", true},
        {"", "*", true},
        {"", "?", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wildcardMatch(c.text, c.pattern), c.expected) << c.text << " ~ " << c.pattern;
}

TEST(SelectionFilter, TypeListsLayersAndGroups)
{
    Chain contours;
    contours.op("<OR").text(0, "LWPOLYLINE").text(0, "POLYLINE").op("OR>");
    const auto either = SelectionFilter::parse(contours.head());
    ASSERT_TRUE(either);
    EXPECT_TRUE(either->accepts(Entity("LWPOLYLINE", "0")));
    EXPECT_TRUE(either->accepts(Entity("POLYLINE", "0")));
    EXPECT_FALSE(either->accepts(Entity("LINE", "0")));

    // Built with acutBuildList the type group is RTDXF0, since 0 ends the list there.
    Chain built;
    built.text(RTDXF0, "LINE");
    EXPECT_TRUE(SelectionFilter::parse(built.head())->accepts(Entity("LINE", "0")));
    EXPECT_FALSE(SelectionFilter::parse(built.head())->accepts(Entity("ARC", "0")));

    Chain typeAndLayer;
    typeAndLayer.text(0, "LINE,ARC").text(8, "CONT*");
    const auto both = SelectionFilter::parse(typeAndLayer.head());
    ASSERT_TRUE(both);
    EXPECT_TRUE(both->accepts(Entity("ARC", "cont-5")));
    EXPECT_FALSE(both->accepts(Entity("ARC", "0")));
    EXPECT_FALSE(both->accepts(Entity("CIRCLE", "CONT")));

    Chain notLayer;
    notLayer.op("<NOT").text(8, "0").op("NOT>");
    const auto excluded = SelectionFilter::parse(notLayer.head());
    ASSERT_TRUE(excluded);
    EXPECT_FALSE(excluded->accepts(Entity("LINE", "0")));
    EXPECT_TRUE(excluded->accepts(Entity("LINE", "1")));

    Chain exclusive;
    exclusive.op("<XOR").text(0, "LINE").text(8, "A").op("XOR>");
    const auto onlyOne = SelectionFilter::parse(exclusive.head());
    ASSERT_TRUE(onlyOne);
    EXPECT_TRUE(onlyOne->accepts(Entity("LINE", "B")));
    EXPECT_TRUE(onlyOne->accepts(Entity("ARC", "A")));
    EXPECT_FALSE(onlyOne->accepts(Entity("LINE", "A")));
    EXPECT_FALSE(onlyOne->accepts(Entity("ARC", "B")));

    Chain nested;
    nested.op("<AND").text(8, "T").op("<OR").text(0, "CIRCLE").op("<AND").text(0, "LINE").shortValue(62, 1)
        .op("AND>").op("OR>").op("AND>");
    const auto deep = SelectionFilter::parse(nested.head());
    ASSERT_TRUE(deep);
    EXPECT_TRUE(deep->accepts(Entity("CIRCLE", "T")));
    EXPECT_TRUE(deep->accepts(Entity("LINE", "T", 1)));
    EXPECT_FALSE(deep->accepts(Entity("LINE", "T", 2)));
    EXPECT_FALSE(deep->accepts(Entity("CIRCLE", "U")));
}

TEST(SelectionFilter, NumberAndPointComparisons)
{
    Chain high;
    high.op(">").real(38, 100.0).op("!=").shortValue(62, 7);
    const auto filter = SelectionFilter::parse(high.head());
    ASSERT_TRUE(filter);
    EXPECT_TRUE(filter->accepts(Entity("LWPOLYLINE", "0", 1, 100.5)));
    EXPECT_FALSE(filter->accepts(Entity("LWPOLYLINE", "0", 1, 100.0)));
    EXPECT_FALSE(filter->accepts(Entity("LWPOLYLINE", "0", 7, 200.0)));

    Chain exact;
    exact.real(38, 12.5);
    EXPECT_TRUE(SelectionFilter::parse(exact.head())->accepts(Entity("LINE", "0", 256, 12.5)));
    EXPECT_FALSE(SelectionFilter::parse(exact.head())->accepts(Entity("LINE", "0", 256, 12.25)));

    // Any vertex left of and below (5, 5).
    Chain corner;
    corner.op("<,<,*").point(10, 5.0, 5.0, 0.0);
    const auto lowerLeft = SelectionFilter::parse(corner.head());
    ASSERT_TRUE(lowerLeft);
    EXPECT_TRUE(lowerLeft->accepts(Entity("LWPOLYLINE", "0").vertex(9, 9).vertex(1, 2)));
    EXPECT_FALSE(lowerLeft->accepts(Entity("LWPOLYLINE", "0").vertex(9, 9).vertex(1, 6)));
    EXPECT_FALSE(lowerLeft->accepts(Entity("TEXT", "0")));
}

TEST(SelectionFilter, MalformedChainsAreRefused)
{
    Chain unclosed;
    unclosed.op("<OR").text(0, "LINE");
    EXPECT_FALSE(SelectionFilter::parse(unclosed.head()));

    Chain twoUnderNot;
    twoUnderNot.op("<NOT").text(0, "LINE").text(0, "ARC").op("NOT>");
    EXPECT_FALSE(SelectionFilter::parse(twoUnderNot.head()));

    Chain oneUnderXor;
    oneUnderXor.op("<XOR").text(0, "LINE").op("XOR>");
    EXPECT_FALSE(SelectionFilter::parse(oneUnderXor.head()));

    Chain strayClose;
    strayClose.text(0, "LINE").op("OR>");
    EXPECT_FALSE(SelectionFilter::parse(strayClose.head()));

    Chain unknownOperator;
    unknownOperator.op("~=").real(38, 1.0);
    EXPECT_FALSE(SelectionFilter::parse(unknownOperator.head()));

    Chain emptyGroup;
    emptyGroup.op("<AND").op("AND>");
    EXPECT_FALSE(SelectionFilter::parse(emptyGroup.head()));

    const auto none = SelectionFilter::parse(nullptr);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->accepts(Entity("ANYTHING", "X")));
}

}  // namespace
}  // namespace dh::ed
