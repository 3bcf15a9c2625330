#pragma once

#include <optional>
#include <string>
#include <string_view>

// Windows-1252, the character set of the text on the air. Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no
// character of their own and stand for the C1 controls of the same number, so every byte round-trips.
namespace pskcore::cp1252 {

// The code point of one byte.
char32_t toUnicode(unsigned char byte);

// The byte of one code point, or nothing when the character set has none (such a character must not be
// sent as some other character).
std::optional<unsigned char> fromUnicode(char32_t codePoint);

// A control code of the air text: C0 (below 0x20), DEL, and the five bytes above that stand for C1 controls.
bool isControl(unsigned char byte);

// Bytes to UTF-8.
std::string toUtf8(std::string_view bytes);

// UTF-8 to bytes: a code point without a byte, and each byte of invalid UTF-8, becomes `replacement`.
std::string fromUtf8(std::string_view utf8, char replacement);

} // namespace pskcore::cp1252
