#include "host/ed/AnswerParser.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace dh::ed {

namespace {

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix)
{
    return prefix.size() <= text.size() && equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::vector<std::string_view> splitCommas(std::string_view text)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string_view::npos ? comma : comma - start));
        if (comma == std::string_view::npos)
            return parts;
        start = comma + 1;
    }
}

}  // namespace

std::string trim(std::string_view text)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1])))
        --e;
    return std::string(text.substr(b, e - b));
}

std::optional<double> parseReal(std::string_view text)
{
    std::string t = trim(text);
    std::string_view s = t;
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return std::nullopt;
    // from_chars accepts "inf"/"nan" and hex floats; the host accepts plain decimals only.
    for (char c : s) {
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' ||
              c == 'e' || c == 'E'))
            return std::nullopt;
    }
    double value = 0.0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parseInt(std::string_view text)
{
    auto value = parseReal(text);
    if (!value || *value != std::floor(*value) || *value < -32768.0 || *value > 32767.0)
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<Point3> parsePoint(std::string_view text, const Point3& last, double zDefault)
{
    std::string t = trim(text);
    std::string_view s = t;
    bool relative = !s.empty() && s.front() == '@';
    if (relative)
        s.remove_prefix(1);
    if (relative && trim(s).empty())
        return last;  // "@" alone is the last point itself
    auto parts = splitCommas(s);
    if (parts.size() != 2 && parts.size() != 3)
        return std::nullopt;
    double v[3] = {0.0, 0.0, relative ? 0.0 : zDefault};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        auto value = parseReal(parts[i]);
        if (!value)
            return std::nullopt;
        v[i] = *value;
    }
    if (relative)
        return Point3{last.x + v[0], last.y + v[1], last.z + v[2]};
    return Point3{v[0], v[1], v[2]};
}

KeywordList KeywordList::parse(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        std::size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        if (i > start)
            words.emplace_back(text.substr(start, i - start));
    }
    KeywordList list;
    std::size_t separator = words.size();
    for (std::size_t k = 0; k < words.size(); ++k) {
        if (words[k] == "_") {
            separator = k;
            break;
        }
    }
    if (separator == words.size()) {
        list.local = words;
        list.global = words;
        return list;
    }
    list.local.assign(words.begin(), words.begin() + separator);
    list.global.assign(words.begin() + separator + 1, words.end());
    // Unpaired locals keep their own name as the global keyword.
    for (std::size_t k = list.global.size(); k < list.local.size(); ++k)
        list.global.push_back(list.local[k]);
    list.global.resize(list.local.size());
    return list;
}

KeywordMatch matchKeyword(const KeywordList& list, std::string_view typed, std::string& keyword)
{
    std::string t = trim(typed);
    if (t.empty())
        return KeywordMatch::None;
    const std::vector<std::string>* words = &list.local;
    std::string_view needle = t;
    if (needle.front() == '_' && needle.size() > 1) {
        words = &list.global;
        needle.remove_prefix(1);
    }
    for (std::size_t k = 0; k < words->size(); ++k) {
        if (equalsIgnoreCase((*words)[k], needle)) {
            keyword = list.global[k];
            return KeywordMatch::Found;
        }
    }
    std::size_t found = words->size();
    int count = 0;
    for (std::size_t k = 0; k < words->size(); ++k) {
        if (startsWithIgnoreCase((*words)[k], needle)) {
            // The same keyword listed twice is still one answer.
            if (count == 0 || !equalsIgnoreCase((*words)[found], (*words)[k]))
                ++count;
            found = k;
        }
    }
    if (count == 0)
        return KeywordMatch::None;
    if (count > 1)
        return KeywordMatch::Ambiguous;
    keyword = list.global[found];
    return KeywordMatch::Found;
}

}  // namespace dh::ed
