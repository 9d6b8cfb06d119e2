// What UI_OptionMigrate hands its dialog: the caption, the hint line, and the initial
// contents of the two lists. The dialog only reads it.
#pragma once

#include <string>
#include <vector>

namespace dh::lisp {

struct OptionMigrateData {
    std::string title;
    std::string hint;
    std::vector<std::string> available; // the left list, which sorts them
    std::vector<std::string> chosen;    // the right list, in this order
};

} // namespace dh::lisp
