#include "host/ed/SelectionFilter.h"

#include <cmath>
#include <cstring>
#include <cwctype>

namespace dh::ed {

struct SelectionFilter::Node {
    enum class Kind { Test, And, Or, Not, Xor };
    Kind kind = Kind::And;
    int groupCode = 0;
    std::string comparison;  // empty: equality (wildcards for texts)
    FilterValue value;
    std::vector<std::unique_ptr<Node>> children;
};

namespace {

using Node = SelectionFilter::Node;

// ---- wildcards ------------------------------------------------------------------------

std::u32string decodeUtf8(std::string_view text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        std::size_t j = i + 1;
        for (; extra > 0 && j < text.size() && (static_cast<unsigned char>(text[j]) & 0xC0) == 0x80; --extra, ++j)
            c = (c << 6) | (static_cast<unsigned char>(text[j]) & 0x3F);
        out.push_back(c);
        i = j;
    }
    return out;
}

char32_t folded(char32_t c)
{
    return c < 0x10000 ? static_cast<char32_t>(std::towupper(static_cast<wint_t>(c))) : c;
}

bool isDigit(char32_t c) { return c >= '0' && c <= '9'; }
bool isLetter(char32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80; }

// Matches a "[...]" set starting after '['; advances p past ']'. Answers nullopt when the
// set is not closed (the '[' is then literal).
std::optional<bool> matchSet(const std::u32string& pat, std::size_t& p, char32_t c)
{
    std::size_t i = p;
    bool negate = false;
    if (i < pat.size() && pat[i] == '~') {
        negate = true;
        ++i;
    }
    bool found = false;
    bool first = true;
    for (; i < pat.size() && (pat[i] != ']' || first); first = false) {
        char32_t low = pat[i];
        if (low == '`' && i + 1 < pat.size())
            low = pat[++i];
        ++i;
        char32_t high = low;
        if (i + 1 < pat.size() && pat[i] == '-' && pat[i + 1] != ']') {
            high = pat[i + 1];
            i += 2;
        }
        if (folded(c) >= folded(low) && folded(c) <= folded(high))
            found = true;
    }
    if (i >= pat.size())
        return std::nullopt;
    p = i + 1;
    return found != negate;
}

bool matchFrom(const std::u32string& text, std::size_t t, const std::u32string& pat, std::size_t p)
{
    while (p < pat.size()) {
        const char32_t pc = pat[p];
        if (pc == '*') {
            for (std::size_t k = t; k <= text.size(); ++k)
                if (matchFrom(text, k, pat, p + 1))
                    return true;
            return false;
        }
        if (t >= text.size())
            return false;
        const char32_t c = text[t];
        if (pc == '[') {
            std::size_t next = p + 1;
            const std::optional<bool> hit = matchSet(pat, next, c);
            if (hit) {
                if (!*hit)
                    return false;
                p = next;
                ++t;
                continue;
            }
        }
        bool ok = false;
        std::size_t step = 1;
        if (pc == '?')
            ok = true;
        else if (pc == '#')
            ok = isDigit(c);
        else if (pc == '@')
            ok = isLetter(c);
        else if (pc == '.')
            ok = !isDigit(c) && !isLetter(c);
        else if (pc == '`' && p + 1 < pat.size()) {
            ok = folded(pat[p + 1]) == folded(c);
            step = 2;
        } else
            ok = folded(pc) == folded(c);
        if (!ok)
            return false;
        p += step;
        ++t;
    }
    return t == text.size();
}

// ---- parsing ----------------------------------------------------------------------------

bool isComparison(std::string_view op)
{
    static const char* const kOps[] = {"=", "!=", "/=", "<>", "<", "<=", ">", ">=", "*"};
    for (const char* known : kOps)
        if (op == known)
            return true;
    return false;
}

bool isPointComparison(std::string_view op)
{
    std::size_t start = 0;
    int parts = 0;
    while (true) {
        const std::size_t comma = op.find(',', start);
        if (!isComparison(op.substr(start, comma - start)))
            return false;
        ++parts;
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return parts == 1 || parts == 2 || parts == 3;
}

struct Parser {
    const resbuf* item = nullptr;
    bool failed = false;

    // Operands until the closing marker (or the chain's end for the top level).
    std::vector<std::unique_ptr<Node>> operands(std::string_view closing)
    {
        std::vector<std::unique_ptr<Node>> list;
        while (item != nullptr && !failed) {
            if (item->restype == -4 && item->resval.rstring != nullptr && closing == item->resval.rstring) {
                item = item->rbnext;
                return list;
            }
            std::unique_ptr<Node> node = operand();
            if (node)
                list.push_back(std::move(node));
        }
        if (!closing.empty())
            failed = true;
        return list;
    }

    std::unique_ptr<Node> group(Node::Kind kind, std::string_view closing)
    {
        auto node = std::make_unique<Node>();
        node->kind = kind;
        node->children = operands(closing);
        const std::size_t n = node->children.size();
        if ((kind == Node::Kind::Not && n != 1) || (kind == Node::Kind::Xor && n != 2) || n == 0)
            failed = true;
        return node;
    }

    std::unique_ptr<Node> operand()
    {
        if (item->restype == -4) {
            const char* text = item->resval.rstring;
            item = item->rbnext;
            if (text == nullptr) {
                failed = true;
                return nullptr;
            }
            const std::string_view op(text);
            if (op == "<AND" || op == "<and")
                return group(Node::Kind::And, op == "<AND" ? "AND>" : "and>");
            if (op == "<OR" || op == "<or")
                return group(Node::Kind::Or, op == "<OR" ? "OR>" : "or>");
            if (op == "<NOT" || op == "<not")
                return group(Node::Kind::Not, op == "<NOT" ? "NOT>" : "not>");
            if (op == "<XOR" || op == "<xor")
                return group(Node::Kind::Xor, op == "<XOR" ? "XOR>" : "xor>");
            if (item == nullptr || item->restype == -4 || !isPointComparison(op)) {
                failed = true;
                return nullptr;
            }
            std::unique_ptr<Node> test = plainTest();
            if (test)
                test->comparison = op;
            return test;
        }
        return plainTest();
    }

    std::unique_ptr<Node> plainTest()
    {
        std::optional<FilterValue> value = valueOfBuffer(*item);
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::Test;
        // acutBuildList ends at 0, so the type group travels as RTDXF0.
        node->groupCode = item->restype == RTDXF0 ? 0 : item->restype;
        item = item->rbnext;
        if (!value) {
            failed = true;
            return nullptr;
        }
        node->value = std::move(*value);
        return node;
    }
};

// ---- evaluation -------------------------------------------------------------------------

bool compareNumbers(double actual, std::string_view op, double wanted)
{
    const double tol = 1e-12 * std::max(1.0, std::max(std::fabs(actual), std::fabs(wanted)));
    const bool equal = std::fabs(actual - wanted) <= tol;
    if (op == "*")
        return true;
    if (op == "=" || op.empty())
        return equal;
    if (op == "!=" || op == "/=" || op == "<>")
        return !equal;
    if (op == "<")
        return actual < wanted && !equal;
    if (op == "<=")
        return actual < wanted || equal;
    if (op == ">")
        return actual > wanted && !equal;
    return actual > wanted || equal;
}

bool matchesValue(const FilterValue& actual, const Node& test)
{
    const FilterValue& wanted = test.value;
    const std::string_view op = test.comparison;
    switch (wanted.kind) {
    case FilterValue::Kind::Text: {
        const bool hit = wildcardMatch(actual.text, wanted.text);
        return op == "!=" || op == "/=" || op == "<>" ? !hit : op == "*" || hit;
    }
    case FilterValue::Kind::Integer:
    case FilterValue::Kind::Real:
        return compareNumbers(actual.number, op, wanted.number);
    case FilterValue::Kind::Point: {
        std::vector<std::string_view> ops;
        std::size_t start = 0;
        while (true) {
            const std::size_t comma = op.find(',', start);
            ops.push_back(op.substr(start, comma - start));
            if (comma == std::string_view::npos)
                break;
            start = comma + 1;
        }
        for (int axis = 0; axis < 3; ++axis) {
            const std::string_view axisOp = ops.size() == 1 ? ops[0] : axis < int(ops.size()) ? ops[axis] : "*";
            if (!compareNumbers(actual.point[axis], axisOp, wanted.point[axis]))
                return false;
        }
        return true;
    }
    }
    return false;
}

bool evaluate(const Node& node, const FilterSubject& subject)
{
    switch (node.kind) {
    case Node::Kind::Test:
        for (const FilterValue& value : subject.valuesOf(node.groupCode))
            if (matchesValue(value, node))
                return true;
        return false;
    case Node::Kind::And:
        for (const auto& child : node.children)
            if (!evaluate(*child, subject))
                return false;
        return true;
    case Node::Kind::Or:
        for (const auto& child : node.children)
            if (evaluate(*child, subject))
                return true;
        return false;
    case Node::Kind::Not:
        return !evaluate(*node.children.front(), subject);
    case Node::Kind::Xor:
        return evaluate(*node.children[0], subject) != evaluate(*node.children[1], subject);
    }
    return false;
}

}  // namespace

FilterValue::Kind groupCodeKind(int code)
{
    using Kind = FilterValue::Kind;
    if ((code >= 10 && code <= 18) || (code >= 210 && code <= 239) || (code >= 1010 && code <= 1013))
        return Kind::Point;
    if ((code >= 19 && code <= 59) || (code >= 140 && code <= 149) || (code >= 460 && code <= 469) ||
        (code >= 1014 && code <= 1059))
        return Kind::Real;
    if ((code >= 60 && code <= 99) || (code >= 170 && code <= 179) || (code >= 270 && code <= 299) ||
        (code >= 370 && code <= 389) || (code >= 400 && code <= 409) || (code >= 420 && code <= 429) ||
        (code >= 440 && code <= 459) || (code >= 1060 && code <= 1071))
        return Kind::Integer;
    return Kind::Text;
}

std::optional<FilterValue> valueOfBuffer(const resbuf& buffer)
{
    FilterValue value;
    value.kind = buffer.restype == RTDXF0 ? FilterValue::Kind::Text : groupCodeKind(buffer.restype);
    switch (value.kind) {
    case FilterValue::Kind::Text:
        if (buffer.resval.rstring == nullptr)
            return std::nullopt;
        value.text = buffer.resval.rstring;
        break;
    case FilterValue::Kind::Real:
        value.number = buffer.resval.rreal;
        break;
    case FilterValue::Kind::Integer:
        // 90-99, 420-429, 440-459 and 1071 are 32-bit; the rest 16-bit.
        if ((buffer.restype >= 90 && buffer.restype <= 99) || (buffer.restype >= 420 && buffer.restype <= 459) ||
            buffer.restype == 1071)
            value.number = buffer.resval.rlong;
        else
            value.number = buffer.resval.rint;
        break;
    case FilterValue::Kind::Point:
        for (int axis = 0; axis < 3; ++axis)
            value.point[axis] = buffer.resval.rpoint[axis];
        break;
    }
    return value;
}

bool wildcardMatch(std::string_view text, std::string_view pattern)
{
    const std::u32string subject = decodeUtf8(text);
    const std::u32string whole = decodeUtf8(pattern);
    // Alternatives split at unquoted commas outside sets.
    std::size_t start = 0;
    for (std::size_t i = 0; i <= whole.size(); ++i) {
        const bool end = i == whole.size();
        if (!end && whole[i] == '`') {
            ++i;
            continue;
        }
        if (!end && whole[i] == '[') {
            const std::size_t close = whole.find(']', i + 2);
            if (close != std::u32string::npos)
                i = close;
            continue;
        }
        if (!end && whole[i] != ',')
            continue;
        std::u32string alternative = whole.substr(start, i - start);
        start = i + 1;
        bool negate = false;
        if (!alternative.empty() && alternative[0] == '~' && alternative.size() > 1) {
            negate = true;
            alternative.erase(0, 1);
        }
        if (matchFrom(subject, 0, alternative, 0) != negate)
            return true;
    }
    return false;
}

SelectionFilter::SelectionFilter() = default;
SelectionFilter::SelectionFilter(SelectionFilter&&) noexcept = default;
SelectionFilter& SelectionFilter::operator=(SelectionFilter&&) noexcept = default;
SelectionFilter::~SelectionFilter() = default;

std::optional<SelectionFilter> SelectionFilter::parse(const resbuf* chain)
{
    SelectionFilter filter;
    if (chain == nullptr)
        return filter;
    Parser parser{chain};
    auto root = std::make_unique<Node>();
    root->kind = Node::Kind::And;
    root->children = parser.operands("");
    if (parser.failed)
        return std::nullopt;
    filter.m_root = std::move(root);
    return filter;
}

bool SelectionFilter::isEmpty() const { return m_root == nullptr || m_root->children.empty(); }

bool SelectionFilter::accepts(const FilterSubject& subject) const
{
    return isEmpty() || evaluate(*m_root, subject);
}

}  // namespace dh::ed
