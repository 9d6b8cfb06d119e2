#include "lisp/FindText.h"

namespace dh::lisp {

std::size_t characterLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1; // a stray continuation byte or an invalid lead: step over it alone
}

std::optional<std::size_t> findText(std::string_view text, std::string_view find)
{
    if (find.empty())
        return 0;
    for (std::size_t pos = 0; pos < text.size();
         pos += characterLength(static_cast<unsigned char>(text[pos]))) {
        if (text.size() - pos < find.size())
            break;
        if (text.compare(pos, find.size(), find) == 0)
            return pos;
    }
    return std::nullopt;
}

} // namespace dh::lisp
