#pragma once

#include "pskcore/dsp/Varicode.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>

namespace pskcore::receiver {

// Turns decided bits into characters and decides which of them print: characters decoded just before the
// squelch opened belong to the signal that opened it, so they are held back a moment and printed before the
// next character that comes through open (a preamble in between, or noise that never opens, keeps them out).
class TextSink {
public:
    // One symbol's bit (none while a decoder fills); printable: the squelch let this symbol through;
    // carrierGone: the signal dropped away (its characters are not even held).
    void push(std::optional<int> bit, bool printable, bool carrierGone, std::string& decodedBytes);
    // Starts the next character afresh (after a change of mode); what is held stays held.
    void restartCharacter() { m_varicode.reset(); }

private:
    static constexpr long long kLookbackSymbols = 24; // characters this recent print when the squelch opens
    static constexpr int kPreambleBits = 8;           // this many 0 bits in a row are idle, not text

    long long m_symbols = 0;
    int m_zeroBits = 0;
    std::deque<std::pair<uint8_t, long long>> m_held; // characters decoded while closed, with their symbol
    VaricodeDecoder m_varicode;
};

} // namespace pskcore::receiver
