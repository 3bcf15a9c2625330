#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <utility>

namespace pskcore::receiver {

// Decides which decoded characters print. Characters decoded just before the squelch opened belong to the
// signal that opened it, and characters decoded while the signal is faded may belong to it too: both are held
// back a moment and printed before the next character that comes through open on a full-strength signal. A
// preamble in between, noise that never opens the squelch, or a signal that never comes back (the end of a
// transmission) keeps them out.
class TextSink {
public:
    // One symbol: its hard data bit (none while a decoder fills), the characters it completed, and whether the
    // squelch was open and the signal faded (well below its usual strength: a fade, or the end of the
    // transmission) when those were received.
    void push(std::optional<int> bit, std::span<const uint8_t> characters, bool open, bool faded,
              std::string& decodedBytes);

private:
    static constexpr long long kLookbackSymbols = 24; // characters this recent print when the squelch opens
    static constexpr long long kFadeSymbols = 64;     // how long a faded signal's characters wait for it
    static constexpr int kPreambleBits = 8;           // this many 0 bits in a row are idle, not text

    long long m_symbols = 0;
    int m_zeroBits = 0;
    std::deque<std::pair<uint8_t, long long>> m_held; // characters held back, with the symbol they expire at
};

} // namespace pskcore::receiver
