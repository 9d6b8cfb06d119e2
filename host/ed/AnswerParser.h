// The grammar of typed answers: points "x,y[,z]" and "@dx,dy[,dz]", numbers, integers and
// keywords. Pure functions, shared by every input call (and by the entity and selection
// prompts).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dh::ed {

struct Point3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// A real written as the host reads it: sign, digits, ".", exponent; surrounding blanks
// allowed. nullopt for anything else (including "", "1,2", "inf", "nan").
std::optional<double> parseReal(std::string_view text);
// An integer in -32768..32767 (what acedGetInt answers); nullopt when not whole or out of
// range.
std::optional<int> parseInt(std::string_view text);
// "x,y" or "x,y,z" in world coordinates (z: zDefault); "@dx,dy[,dz]" relative to last.
std::optional<Point3> parsePoint(std::string_view text, const Point3& last, double zDefault = 0.0);

// A keyword list as acedInitGet takes it: words separated by spaces; with a lone "_" the
// words before it are the local (typed) keywords and those after it the global ones the
// module receives, pairwise.
struct KeywordList {
    std::vector<std::string> local;
    std::vector<std::string> global;  // same size as local

    static KeywordList parse(std::string_view text);
    bool empty() const { return local.empty(); }
};

enum class KeywordMatch { None, Ambiguous, Found };
// Matches typed text against the list: an exact keyword (any case) first, else the one
// keyword the text is a leading abbreviation of. A leading "_" matches global keywords.
// On Found, keyword holds the global keyword.
KeywordMatch matchKeyword(const KeywordList& list, std::string_view typed, std::string& keyword);

std::string trim(std::string_view text);

}  // namespace dh::ed
