#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace pskcore {

// Soft sequence decoder of BPSK31 text: a Viterbi search over the bit stream as a sequence of segments (a Varicode
// word followed by "00", or one idle "0") jointly with the carrier phase, each word weighted by a character prior.
// Fed one soft value per received symbol; releases bytes as soon as every likely survivor agrees on them, and at
// the latest Options::maxDelaySymbols after they were received (then from the best path). Lives on the caller's
// thread.
//
// States: every position inside a word × phase (about 1000), and between words one state per "previous character"
// context × phase. A word in progress carries the best context it started from; at its end the character-pair
// prior picks the context that suits the character best among those of the word's start time, which a ring of the
// context states' recent history keeps. Cost per symbol: about 1000 add-compare-selects plus, with the pair prior,
// contexts² ≈ 11,000 vectorised add-max operations.
//
// Soft inputs are log-likelihood ratios in nats (natural logarithm); 0 means "no information" (a deep fade):
//  - coherentLlr = ln p(r | symbol +1) / p(r | symbol −1) for this symbol after carrier removal, for instance
//    2·A·Re(r)/σ² with A the momentary amplitude and σ² the noise variance per real dimension. The absolute sign
//    does not matter (the trellis tries both carrier phases); only its consistency from symbol to symbol does.
//  - differentialLlr = ln p(no reversal) / p(reversal) between this symbol and the previous one, i.e. positive for
//    a 1 bit; for instance Re(r_k·conj(r_{k−1}))/σ² for unit amplitude. It needs no carrier phase.
// Both are added into the branch metric (coherent: s·coherentLlr/2 for the symbol sign s; differential:
// ±differentialLlr/2 for bit 1/0). Give coherent alone when the carrier phase is trusted, differential alone when
// it is not; to blend, scale them by w and 1 − w: both at full weight would count the same evidence twice.
class VaricodeViterbi {
public:
    static constexpr int kLongestDelaySymbols = 63; // 2.02 s
    static constexpr float kMaxLlr = 64.0f; // nats; beyond this one symbol outvotes any prior anyway

    enum class Prior {
        Unigram, // P(character)
        // P(character | previous character) for the characters our corpus shows (about 70: they are the
        // contexts); after any other character, and for a character the corpus lacks, the unigram. Idle zeros
        // keep the previous character: a pause in typing does not change the text.
        Bigram,
    };

    struct Options {
        // Weight on the prior's log-probabilities, 0 (none: maximum likelihood) to 1 (full). The pair prior is
        // sharp and wants about 0.5 to leave call signs and rare words alone; the smoothed unigram measured best
        // at full weight.
        float priorWeight = 0.5f;
        // Probability that a segment is an idle "0" rather than a character, 0 < p < 1.
        float idleProbability = 0.1f;
        // Release deadline: a symbol's decision is taken from the best path at the latest this many symbols
        // after it was received, 1..kLongestDelaySymbols (32 = 1.02 s).
        int maxDelaySymbols = 32;
        // The pair prior at 0.5 reaches 2 % CER about 0.55 dB lower than the unigram at full weight on English
        // and QSO text, and copies text dense with call signs no worse.
        Prior prior = Prior::Bigram;
    };

    VaricodeViterbi(); // default Options
    // Throws std::invalid_argument on an option out of range.
    explicit VaricodeViterbi(const Options& options);

    // Feeds one symbol; returns the bytes released by it (often none), valid until the next call.
    // Non-finite inputs count as 0; magnitudes above kMaxLlr are clipped.
    std::span<const uint8_t> push(float coherentLlr, float differentialLlr);
    // Releases everything the best path holds now (end of a transmission); a word still in progress comes out
    // later if the stream goes on. Returns the bytes, valid until the next call.
    std::span<const uint8_t> flush();
    // Forgets everything: the next symbol is the first of a stream that starts in idle; it only sets the phase
    // reference (no bit), so its differentialLlr is ignored.
    void reset();

private:
    // A survivor's bits since the last commitment (newest in bit 0) and the position it started from at reset.
    struct Lineage {
        uint64_t bits = 0;
        uint16_t origin = 0;
    };
    // How a context state was entered: by an idle zero (byte < 0) or by the word of `byte` from context `from`.
    struct Entry {
        int16_t byte = -1;
        uint8_t from = 0;
    };
    // A character with a context of its own, its prior per previous context (padded to m_contextStride).
    struct ContextCharacter {
        uint8_t byte;
        std::vector<float> weightedLogPrior;
        float bestWeightedLogPrior;
    };

    void buildPrior();
    int rootState(int context, int phase) const;
    int historySlot(int64_t time) const;
    // Context states (time m_now) enter the ring: metric, lineage, best context per phase.
    void recordContexts();
    void normalise();
    // The newest time up to which every survivor within reach of the best one holds the same bits.
    int64_t agreedUpTo() const;
    // Emits the best path's bytes completed up to `time` and drops the survivors that disagree with them.
    void commit(int64_t time);

    Options m_options;
    // Per state: word positions (node·2 + phase; node 0, between words, mirrors the best context), then the
    // context states (rootState()). Metrics in nats relative to the best.
    std::vector<float> m_metric;
    std::vector<float> m_nextMetric;
    std::vector<Lineage> m_lineage;
    std::vector<Lineage> m_nextLineage;
    int m_firstRoot = 0;     // the first context state: after every word position
    int m_contextCount = 1;  // the last one is "any other character"
    int m_contextStride = 1; // context count padded for vectorisation
    int m_startContext = 0;  // the context after reset: as after a space
    std::array<int16_t, 256> m_contextAfter{}; // context a byte leads to
    std::vector<ContextCharacter> m_contextCharacters;
    std::vector<uint8_t> m_otherCharacters;    // bytes leading to "any other character"
    std::array<float, 256> m_otherLogPrior{};  // weighted unigram log-prior of those
    float m_idleLogPrior = 0.0f;
    float m_wordLogPrior = 0.0f; // weighted log-probability of a word rather than an idle zero
    std::vector<float> m_contextHistory;      // ring: per time, context metrics (phase·stride + context)
    std::vector<Lineage> m_lineageHistory;    // ring: per time, context lineages, same layout
    std::vector<uint8_t> m_bestContextHistory; // ring: per time and phase, the best context
    std::vector<float> m_bestMetricHistory;   // ring: per time and phase, its metric
    std::vector<Entry> m_entries;             // ring of rows of one Entry per context state, one row per symbol
    std::vector<uint8_t> m_released;
    bool m_haveReference = false; // the first symbol after reset has been seen
    int64_t m_now = 0;       // bits received since reset
    int64_t m_committed = 0; // the bytes of every bit up to this time are out
    int m_bestState = 0;
};

} // namespace pskcore
