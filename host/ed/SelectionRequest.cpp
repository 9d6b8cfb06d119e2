#include "host/ed/SelectionRequest.h"

#include <cctype>
#include <string>

namespace dh::ed {

std::optional<SelectionRequest> SelectionRequest::parse(std::string_view mode)
{
    using Method = SelectionRequest::Method;
    SelectionRequest request;
    std::size_t i = 0;
    if (i < mode.size() && mode[i] == '_')
        ++i;
    std::string word;
    while (i < mode.size() && std::isalpha(static_cast<unsigned char>(mode[i])))
        word.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(mode[i++]))));
    static const struct {
        const char* word;
        Method method;
    } kMethods[] = {{"", Method::Interactive}, {"X", Method::Drawing},          {"A", Method::Space},
                    {"ALL", Method::Space},     {"W", Method::Window},           {"C", Method::Crossing},
                    {"F", Method::Fence},       {"WP", Method::WindowPolygon},   {"CP", Method::CrossingPolygon},
                    {"L", Method::Last},        {"P", Method::Previous},         {"I", Method::Implied}};
    bool known = false;
    for (const auto& entry : kMethods)
        if (word == entry.word) {
            request.method = entry.method;
            known = true;
        }
    if (!known)
        return std::nullopt;
    while (i < mode.size()) {
        if (i + 1 >= mode.size() || (mode[i] != ':' && mode[i] != '+'))
            return std::nullopt;
        const char prefix = mode[i];
        const char option = static_cast<char>(std::toupper(static_cast<unsigned char>(mode[i + 1])));
        i += 2;
        if (prefix == '+' && option == '.')
            request.pointsOnly = true;
        else if (prefix == '+' && option == 'L')
            continue;  // keeps the last object pick as an item; every pick is one here
        else if (prefix == ':' && option == 'S')
            request.single = true;
        else if (prefix == ':' && option == 'D')
            request.duplicates = true;
        else if (prefix == ':' && option == 'L')
            request.rejectLocked = true;
        else if (prefix == ':' && (option == 'E' || option == 'N' || option == 'U' || option == 'V'))
            continue;
        else
            return std::nullopt;
    }
    return request;
}

}  // namespace dh::ed
