// Substring search in the host's multibyte code page (UTF-8): the text is walked character
// by character and a match is tried only where a character begins, so a search never
// matches inside a multibyte character, not even for a search text of continuation bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace dh::lisp {

// Bytes of the character whose first byte is lead (1 for a byte that starts none).
std::size_t characterLength(unsigned char lead);

// Position in bytes of the first occurrence of find in text, or nullopt. An empty find is
// found at 0.
std::optional<std::size_t> findText(std::string_view text, std::string_view find);

} // namespace dh::lisp
