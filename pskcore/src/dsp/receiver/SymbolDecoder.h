#pragma once

#include "../VaricodeViterbi.h"
#include "QpskViterbi.h"
#include "ReceiverTypes.h"
#include "pskcore/dsp/Varicode.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace pskcore::receiver {

// One symbol as the decoders see it.
struct SoftSymbol {
    float coherentLlr = 0;     // BPSK: log-likelihood ratio of the symbol's sign, carrier removed, nats
    float differentialLlr = 0; // BPSK: log-likelihood ratio of "no reversal" against the previous symbol, nats
    cf change{0, 0};           // phase change from the previous symbol (QPSK: magnitude = confidence)
    int bit = 0;               // BPSK: the symbol's data bit decided alone (1 = no reversal)
};

// Turns symbols into characters: BPSK through the soft sequence decoder over Varicode words and carrier phase;
// QPSK through the Viterbi decoder of its convolutional code (kDepth symbols late), then Varicode.
class SymbolDecoder {
public:
    static constexpr int kIdleFlushSymbols = 8; // as many zeros as make a preamble for the text sink

    SymbolDecoder();
    void setMode(PskMode mode);
    // Takes one symbol, appends the characters it completes to bytes, and returns a hard decision of its data
    // bit (QPSK: the bit decoded kDepth symbols ago, none while the decoder fills). BPSK characters still
    // unsure when a run of idle zeros shows (a pause, or the preamble of a new transmission) are settled then
    // and go to settled instead: they were received before the run began.
    std::optional<int> push(const SoftSymbol& symbol, std::vector<uint8_t>& bytes, std::vector<uint8_t>& settled);
    // How many symbols late a QPSK bit or character comes out (BPSK characters come out as soon as they are sure).
    int delaySymbols() const;
    // QPSK: how well the symbols fit its code (QpskViterbi::fit); BPSK: 0.
    float codeFit() const { return m_qpsk ? m_viterbi.fit() : 0.0f; }
    // QPSK: the part of the last symbol's change that fit the code (QpskViterbi::lastGain); BPSK: 0.
    float lastCodeGain() const { return m_qpsk ? m_viterbi.lastGain() : 0.0f; }
    // A carrier ended the transmission a moment ago, and the decoder rests (prints nothing) after it.
    bool restingAfterCarrier() const { return m_restSymbols > 0; }

private:
    // Text has a "00" after every word of at most 10 bits, so any 32 bits of it hold at least four 0s: 32 bits with
    // at most three is a carrier, even with a weak one's few wrong bits.
    static constexpr int kCarrierWindowSymbols = 32;
    static constexpr int kCarrierMostReversals = 3;
    static constexpr int kRestAfterCarrierSymbols = 64; // 2 s: the signal has gone from the channel by then

    // What follows a carrier at the end of a transmission is noise, strong enough to be taken for text until the
    // receiver sees the signal has gone: after a carrier the decoder rests until a preamble or for a while.
    // noteCarrier() takes each data bit and is true when it completes a carrier; rest() is true while the
    // decoder rests.
    bool noteCarrier(int bit);
    bool rest();

    bool m_qpsk = false;
    uint32_t m_recentBits = 0; // newest in bit 0
    int m_idleSymbols = 0;
    int m_restSymbols = 0; // after a carrier
    // Half weight on the character prior: on the air it measured better than full weight, which fills a
    // stretch of weak symbols with the most frequent characters.
    static constexpr VaricodeViterbi::Options kBpskOptions{.priorWeight = 0.5f};

    VaricodeViterbi m_bpsk{kBpskOptions};
    std::vector<uint8_t> m_pending; // BPSK characters released during a run of unchanged symbols
    QpskViterbi m_viterbi;
    VaricodeDecoder m_varicode;
};

} // namespace pskcore::receiver
