// Character positions in UTF-8 text. A byte that does not start a well-formed sequence
// counts as one character of its own, so every byte belongs to exactly one character and
// a cut never falls inside a multibyte character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dh::lisp {

// Bytes of the character that starts at text[pos] (1 for a stray or truncated byte).
std::size_t utf8CharLength(std::string_view text, std::size_t pos);
std::size_t utf8CountChars(std::string_view text);
// Whether every byte belongs to a well-formed character.
bool utf8Valid(std::string_view text);
// Byte offset of the character with index charIndex (0-based); text.size() past the end.
std::size_t utf8ByteOffset(std::string_view text, std::size_t charIndex);

} // namespace dh::lisp

namespace dh::lisp {

// The code point of the character at text[pos] (a stray byte gives its own value).
char32_t utf8Decode(std::string_view text, std::size_t pos);
std::string utf8Encode(char32_t codePoint);

} // namespace dh::lisp
