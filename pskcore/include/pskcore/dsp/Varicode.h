#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace pskcore {

// PSK31 Varicode for all 256 byte values (bytes are Windows-1252 text).
namespace varicode {

// The word of a byte as a string of '0'/'1', leftmost bit sent first, without the "00" separator.
std::string_view encode(uint8_t byte);

// The byte whose word is the low `length` bits of `bits` (first bit sent = most significant), if any.
std::optional<uint8_t> lookup(uint32_t bits, int length);

} // namespace varicode

// Bit-by-bit Varicode decoder: a character ends at the first "00"; an invalid or overlong word is
// dropped and the decoder waits for the next "00" before it starts a new word. Lives on the caller's thread.
class VaricodeDecoder {
public:
    // Feeds one received bit (0 or 1); returns the byte completed by this bit, if any.
    std::optional<uint8_t> pushBit(int bit);
    // Forgets any partial word.
    void reset();

private:
    uint32_t m_bits = 0;     // word bits received so far, newest in bit 0
    int m_length = 0;        // bits in m_bits, trailing zero included
    bool m_lastWasZero = true;
    bool m_discarding = false; // overlong word: wait for "00"
};

} // namespace pskcore
