#include "pskcore/Cp1252.h"

#include <array>
#include <cstdint>

namespace pskcore::cp1252 {
namespace {

// 0x80 to 0x9F: the only range where the character set differs from Latin-1.
constexpr unsigned char kHighFirst = 0x80;
constexpr unsigned char kHighLast = 0x9F;
constexpr std::array<char16_t, 32> kHigh{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
constexpr char32_t kLastLatin1 = 0xFF;

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// The code point starting at `i`, advancing `i` past it; nothing (and one byte consumed) for invalid UTF-8.
std::optional<char32_t> nextCodePoint(std::string_view utf8, std::size_t& i)
{
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    char32_t cp = 0;
    std::size_t extra = 0;
    if (lead < 0x80) {
        cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        cp = lead & 0x1F, extra = 1;
    } else if ((lead & 0xF0) == 0xE0) {
        cp = lead & 0x0F, extra = 2;
    } else if ((lead & 0xF8) == 0xF0) {
        cp = lead & 0x07, extra = 3;
    } else {
        ++i;
        return std::nullopt;
    }
    for (std::size_t k = 1; k <= extra; ++k) {
        if (i + k >= utf8.size() || (static_cast<unsigned char>(utf8[i + k]) & 0xC0) != 0x80) {
            ++i;
            return std::nullopt;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += extra + 1;
    return cp;
}

} // namespace

bool isControl(unsigned char byte)
{
    const char32_t cp = toUnicode(byte);
    return cp < 0x20 || (cp >= 0x7F && cp < 0xA0);
}

char32_t toUnicode(unsigned char byte)
{
    if (byte >= kHighFirst && byte <= kHighLast)
        return kHigh[byte - kHighFirst];
    return byte;
}

std::optional<unsigned char> fromUnicode(char32_t codePoint)
{
    if (codePoint < kHighFirst || (codePoint > kHighLast && codePoint <= kLastLatin1))
        return static_cast<unsigned char>(codePoint);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == codePoint)
            return static_cast<unsigned char>(kHighFirst + i);
    return std::nullopt;
}

std::string toUtf8(std::string_view bytes)
{
    std::string out;
    for (const char b : bytes)
        appendUtf8(out, toUnicode(static_cast<unsigned char>(b)));
    return out;
}

std::string fromUtf8(std::string_view utf8, char replacement)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::optional<char32_t> cp = nextCodePoint(utf8, i);
        const std::optional<unsigned char> byte = cp ? fromUnicode(*cp) : std::nullopt;
        out += byte ? char(*byte) : replacement;
    }
    return out;
}

} // namespace pskcore::cp1252
