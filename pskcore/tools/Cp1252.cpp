#include "Cp1252.h"

#include <cstdint>

namespace pskcore {
namespace {

// Code points of 0x80-0x9F in Windows-1252 (0 = undefined there).
constexpr uint16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

void appendUtf8(std::string& out, uint32_t cp)
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

} // namespace

std::string cp1252ToUtf8(const std::string& bytes)
{
    std::string out;
    for (unsigned char b : bytes) {
        uint32_t cp = b;
        if (b >= 0x80 && b < 0xA0)
            cp = kHigh[b - 0x80] ? kHigh[b - 0x80] : b; // undefined bytes keep their C1 code point
        appendUtf8(out, cp);
    }
    return out;
}

bool isCp1252Control(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F || (byte >= 0x80 && byte < 0xA0 && kHigh[byte - 0x80] == 0);
}

std::string utf8ToCp1252(const std::string& utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char b = static_cast<unsigned char>(utf8[i]);
        uint32_t cp = 0;
        int extra = 0;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F, extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F, extra = 2;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07, extra = 3;
        } else {
            out += '?';
            ++i;
            continue;
        }
        bool valid = true;
        for (int k = 1; valid && k <= extra; ++k) {
            if (i + std::size_t(k) >= utf8.size() || (static_cast<unsigned char>(utf8[i + std::size_t(k)]) & 0xC0) != 0x80)
                valid = false;
            else
                cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + std::size_t(k)]) & 0x3F);
        }
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        i += std::size_t(extra) + 1;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += char(cp);
            continue;
        }
        char mapped = '?';
        for (int k = 0; k < 32; ++k)
            if (kHigh[k] == cp)
                mapped = char(0x80 + k);
        out += mapped;
    }
    return out;
}

} // namespace pskcore
