// A selection filter: a result-buffer chain of group codes and -4 operators, parsed once into
// a tree and tested against each candidate entity.
//
// Items in the chain are ANDed. "<AND"…"AND>" and "<OR"…"OR>" take one or more operands,
// "<NOT"…"NOT>" exactly one, "<XOR"…"XOR>" exactly two (markers in any case). A -4
// comparison ("=", "!=", "/=", "<>", "<", "<=", ">", ">=", "*", and for integers "&" and
// "&=") applies to the next item; for points one comparison per coordinate ("<,<,*") or one
// for all. Texts match as case-insensitive wildcard lists ("LINE,ARC", "CONT*", "~0"). A -3
// item followed by 1001 names keeps entities with extended data of every named application.
// A malformed chain gives no filter (parse answers nullopt).
#pragma once

#include <acut/ResBuf.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dh::ed {

struct FilterValue {
    enum class Kind { Text, Integer, Real, Point };
    Kind kind = Kind::Text;
    std::string text;
    double number = 0.0;  // Integer and Real
    double point[3] = {0.0, 0.0, 0.0};
};

// What a filter is tested against: an entity's values by group code (several for repeated
// codes such as polyline vertices, none when the entity has no such value).
class FilterSubject {
public:
    virtual ~FilterSubject() = default;
    virtual std::vector<FilterValue> valuesOf(int groupCode) const = 0;
};

// Whether code is a group code of the drawing format at all.
bool isKnownGroupCode(int code);
// Groups a filter passes over: the entity's own name (-1) and handle (5), extended data
// (1000 and up, except the application names of a -3 item) and unknown codes.
bool isIgnoredFilterCode(int code);
// The value kind a group code carries in result buffers and the drawing format.
FilterValue::Kind groupCodeKind(int groupCode);
// Reads a filter item's value by its group code; nullopt when the buffer cannot hold one.
std::optional<FilterValue> valueOfBuffer(const resbuf& buffer);

// Wildcard matching of the host: '*' any run, '?' one character, '#' a digit, '@' a letter,
// '.' neither, "[…]" / "[~…]" a set, '`' quotes the next character, a leading '~' negates,
// ',' separates alternatives. Case-insensitive; UTF-8 characters count as one.
bool wildcardMatch(std::string_view text, std::string_view pattern);

class SelectionFilter {
public:
    struct Node;

    // nullopt for a malformed chain; an empty filter (null chain) accepts everything.
    static std::optional<SelectionFilter> parse(const resbuf* chain);

    SelectionFilter();
    SelectionFilter(SelectionFilter&&) noexcept;
    SelectionFilter& operator=(SelectionFilter&&) noexcept;
    ~SelectionFilter();

    bool isEmpty() const;
    bool accepts(const FilterSubject& subject) const;

private:
    std::unique_ptr<Node> m_root;
};

}  // namespace dh::ed
