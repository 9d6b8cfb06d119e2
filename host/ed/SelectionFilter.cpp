#include "host/ed/SelectionFilter.h"

#include "host/lispeval/Wildcard.h"

#include <cmath>
#include <cstring>

namespace dh::ed {

struct SelectionFilter::Node {
    enum class Kind { Test, Apps, And, Or, Not, Xor };
    Kind kind = Kind::And;
    int groupCode = 0;
    std::string comparison;  // empty: equality (wildcards for texts)
    FilterValue value;
    std::vector<std::string> apps;  // Apps: every pattern must match an application
    std::vector<std::unique_ptr<Node>> children;
};

namespace {

using Node = SelectionFilter::Node;

// Logical groups nest no deeper than this: parsing and testing recurse once per level.
constexpr int kMaxGroupDepth = 200;

// ---- parsing ----------------------------------------------------------------------------

bool isComparison(std::string_view op)
{
    static const char* const kOps[] = {"=", "!=", "/=", "<>", "<", "<=", ">", ">=", "*", "&", "&="};
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
        const std::string_view part = op.substr(start, comma - start);
        if (!isComparison(part) || part == "&" || part == "&=")
            return false;
        ++parts;
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return parts >= 1 && parts <= 3;
}

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
        if (x != b[i])
            return false;
    }
    return true;
}

struct Parser {
    const resbuf* item = nullptr;
    bool failed = false;
    int depth = 0;

    // Operands until the closing marker (or the chain's end for the top level).
    std::vector<std::unique_ptr<Node>> operands(std::string_view closing)
    {
        std::vector<std::unique_ptr<Node>> list;
        while (item != nullptr && !failed) {
            if (item->restype == -4 && item->resval.rstring != nullptr && !closing.empty() &&
                sameIgnoringCase(item->resval.rstring, closing)) {
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
        if (++depth > kMaxGroupDepth) {
            failed = true;
            return nullptr;
        }
        auto node = std::make_unique<Node>();
        node->kind = kind;
        node->children = operands(closing);
        --depth;
        const std::size_t n = node->children.size();
        if ((kind == Node::Kind::Not && n != 1) || (kind == Node::Kind::Xor && n != 2) || n == 0)
            failed = true;
        return node;
    }

    void skipIgnored()
    {
        while (item != nullptr && isIgnoredFilterCode(item->restype))
            item = item->rbnext;
    }

    std::unique_ptr<Node> operand()
    {
        if (isIgnoredFilterCode(item->restype)) {
            skipIgnored();
            return nullptr;
        }
        if (item->restype == -3)
            return appsTest();
        if (item->restype != -4)
            return plainTest();
        const char* text = item->resval.rstring;
        item = item->rbnext;
        if (text == nullptr) {
            failed = true;
            return nullptr;
        }
        const std::string_view op(text);
        static const struct {
            const char* open;
            const char* close;
            Node::Kind kind;
        } kGroups[] = {{"<AND", "AND>", Node::Kind::And},
                       {"<OR", "OR>", Node::Kind::Or},
                       {"<NOT", "NOT>", Node::Kind::Not},
                       {"<XOR", "XOR>", Node::Kind::Xor}};
        for (const auto& g : kGroups)
            if (sameIgnoringCase(op, g.open))
                return group(g.kind, g.close);
        // A comparison for an ignored group is dropped with it.
        if (item != nullptr && isIgnoredFilterCode(item->restype)) {
            item = item->rbnext;
            return nullptr;
        }
        const bool validOp = isComparison(op) || isPointComparison(op);
        if (item == nullptr || item->restype == -4 || item->restype == -3 || !validOp) {
            failed = true;
            return nullptr;
        }
        std::unique_ptr<Node> test = plainTest();
        const bool bitwise = op == "&" || op == "&=";
        if (test && bitwise && test->value.kind != FilterValue::Kind::Integer)
            failed = true;
        if (test)
            test->comparison = op;
        return test;
    }

    // (-3 ("APP1") ("APP2")) travels as -3 followed by 1001 names.
    std::unique_ptr<Node> appsTest()
    {
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::Apps;
        for (item = item->rbnext; item != nullptr && item->restype == 1001; item = item->rbnext) {
            if (item->resval.rstring == nullptr) {
                failed = true;
                return nullptr;
            }
            node->apps.emplace_back(item->resval.rstring);
        }
        if (node->apps.empty())
            failed = true;
        return node;
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
    if (op == "&" || op == "&=") {
        const auto a = static_cast<std::int64_t>(actual);
        const auto mask = static_cast<std::int64_t>(wanted);
        return op == "&" ? (a & mask) != 0 : (a & mask) == mask;
    }
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
    case Node::Kind::Apps:
        for (const std::string& pattern : node.apps) {
            bool present = false;
            for (const FilterValue& app : subject.valuesOf(1001))
                present = present || wildcardMatch(app.text, pattern);
            if (!present)
                return false;
        }
        return true;
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

bool isKnownGroupCode(int code)
{
    static const int kRanges[][2] = {{-5, 5},     {6, 18},     {19, 59},    {60, 79},    {90, 99},
                                     {100, 105},  {110, 149},  {160, 179},  {210, 239},  {270, 289},
                                     {290, 299},  {300, 369},  {370, 389},  {390, 399},  {400, 409},
                                     {410, 419},  {420, 429},  {430, 439},  {440, 459},  {460, 469},
                                     {470, 481},  {999, 999},  {1000, 1071}};
    for (const auto& range : kRanges)
        if (code >= range[0] && code <= range[1])
            return true;
    return false;
}

bool isIgnoredFilterCode(int code)
{
    if (code == RTDXF0)
        return false;
    return code == -1 || code == 5 || code >= 1000 || !isKnownGroupCode(code);
}

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
    return lisp::wildcardMatch(text, pattern, lisp::CaseMode::Fold);
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
