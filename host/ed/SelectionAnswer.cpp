#include "host/ed/SelectionAnswer.h"

#include <cctype>
#include <sstream>

namespace dh::ed {
namespace {

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool isHex(std::string_view text)
{
    if (text.empty() || text.size() > 16)
        return false;
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

SelectionAnswer invalid() { return {}; }

}  // namespace

std::size_t minimumPoints(SelectionAnswer::Kind kind)
{
    using Kind = SelectionAnswer::Kind;
    switch (kind) {
    case Kind::Pick:
        return 1;
    case Kind::Window:
    case Kind::Crossing:
    case Kind::Fence:
        return 2;
    case Kind::WindowPolygon:
    case Kind::CrossingPolygon:
        return 3;
    default:
        return 0;
    }
}

SelectionAnswer parseSelectionAnswer(std::string_view line, const Point3& last)
{
    using Kind = SelectionAnswer::Kind;
    std::istringstream in{std::string(line)};
    std::vector<std::string> tokens;
    for (std::string token; in >> token;)
        tokens.push_back(token);
    SelectionAnswer answer;
    if (tokens.empty()) {
        answer.kind = Kind::End;
        return answer;
    }
    if (tokens[0][0] == '#') {
        answer.kind = Kind::Handles;
        // A lone "#" names no entity: how an empty selection set is answered.
        if (tokens.size() == 1 && tokens[0] == "#")
            return answer;
        for (const std::string& token : tokens) {
            if (token.size() < 2 || token[0] != '#' || !isHex(std::string_view(token).substr(1)))
                return invalid();
            answer.handles.push_back(upper(std::string_view(token).substr(1)));
        }
        return answer;
    }
    if (const auto point = parsePoint(tokens[0], last)) {
        if (tokens.size() != 1)
            return invalid();
        answer.kind = Kind::Pick;
        answer.points.push_back(*point);
        return answer;
    }
    std::string word = upper(tokens[0]);
    if (!word.empty() && word[0] == '_')
        word.erase(0, 1);
    static const struct {
        const char* word;
        Kind kind;
    } kWords[] = {{"ALL", Kind::All},   {"W", Kind::Window},         {"C", Kind::Crossing},
                  {"F", Kind::Fence},   {"WP", Kind::WindowPolygon}, {"CP", Kind::CrossingPolygon},
                  {"L", Kind::Last},    {"P", Kind::Previous},       {"R", Kind::Remove},
                  {"A", Kind::Add}};
    bool known = false;
    for (const auto& entry : kWords)
        if (word == entry.word) {
            answer.kind = entry.kind;
            known = true;
        }
    if (!known)
        return invalid();
    const bool takesPoints = minimumPoints(answer.kind) > 0;
    if (!takesPoints && tokens.size() > 1)
        return invalid();
    Point3 previous = last;
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        // "@dx,dy" within the line is relative to the point before it.
        const auto point = parsePoint(tokens[i], previous);
        if (!point)
            return invalid();
        answer.points.push_back(*point);
        previous = *point;
    }
    if ((answer.kind == Kind::Window || answer.kind == Kind::Crossing) && answer.points.size() > 2)
        return invalid();
    return answer;
}

}  // namespace dh::ed
