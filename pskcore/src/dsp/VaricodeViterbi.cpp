#include "VaricodeViterbi.h"

#include "CharacterPrior.h"
#include "pskcore/dsp/Varicode.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>

namespace pskcore {
namespace {

// Survivors further than this below the best are too unlikely to hold up a release (e^-12 ≈ 6e-6).
constexpr float kAgreementMarginNats = 12.0f;
// A stream is assumed to start in idle; starting inside a word costs this much, just outside the agreement margin.
constexpr float kMidWordStartPenaltyNats = 16.0f;
constexpr float kDead = -1e30f;
constexpr float kAliveAbove = -1e29f;
// Entry rows kept: more than the release deadline.
constexpr int kRingSymbols = VaricodeViterbi::kLongestDelaySymbols + 1;
// A lineage holds every bit since the last commitment, one more than the deadline before a push commits.
static_assert(VaricodeViterbi::kLongestDelaySymbols + 1 <= 64);
// Context history kept: more than the longest segment (a 10-bit word and "00").
constexpr int kHistorySymbols = 16;
// A word ending this far below the best survivor is not worth the pair-prior search: it would have to gain e^30
// on every other path before the release deadline.
constexpr float kPairSearchBeamNats = 30.0f;
// Contexts are padded to a multiple of this for the vectorised pair-prior search.
constexpr int kLanes = 8;

// Positions in the bit stream: the root (between segments) and every prefix of a Varicode word, including a word
// followed by its first separator zero. Every position but the root is entered from one parent by one bit.
struct Trellis {
    static constexpr int kRoot = 0;
    std::vector<int16_t> parent;  // per node, the root excepted
    std::vector<uint8_t> lastBit; // per node: the bit that enters it
    std::vector<uint8_t> depth;   // per node: bits since the root
    std::vector<uint8_t> zeroParity; // per node: parity of the zeros since the root (phase reversals)
    std::array<int16_t, 256> wordEnd{}; // per byte: node of its word followed by one zero
    std::array<uint8_t, 256> segmentBits{}; // per byte: its word and "00"
    std::array<uint8_t, 256> segmentParity{}; // per byte: parity of the zeros of its segment
    std::array<uint32_t, 256> segmentCode{};  // per byte: the segment's bits, last sent in bit 0
    int nodeCount = 0;

    Trellis()
    {
        std::map<std::string, int> index; // lexicographic: the empty root string comes first
        index[""] = 0;
        for (int code = 0; code < 256; ++code) {
            const std::string word(varicode::encode(uint8_t(code)));
            for (size_t length = 1; length <= word.size(); ++length)
                index.emplace(word.substr(0, length), 0);
            index.emplace(word + "0", 0);
        }
        nodeCount = int(index.size());
        int counter = 0;
        for (auto& [prefix, node] : index)
            node = counter++;
        parent.assign(size_t(nodeCount), int16_t(kRoot));
        lastBit.assign(size_t(nodeCount), 0);
        depth.assign(size_t(nodeCount), 0);
        zeroParity.assign(size_t(nodeCount), 0);
        for (const auto& [prefix, node] : index) {
            if (prefix.empty())
                continue;
            parent[size_t(node)] = int16_t(index.at(prefix.substr(0, prefix.size() - 1)));
            lastBit[size_t(node)] = uint8_t(prefix.back() == '1');
            depth[size_t(node)] = uint8_t(prefix.size());
            zeroParity[size_t(node)] = uint8_t(std::count(prefix.begin(), prefix.end(), '0') % 2);
        }
        for (int code = 0; code < 256; ++code) {
            const std::string segment = std::string(varicode::encode(uint8_t(code))) + "00";
            wordEnd[size_t(code)] = int16_t(index.at(segment.substr(0, segment.size() - 1)));
            segmentBits[size_t(code)] = uint8_t(segment.size());
            segmentParity[size_t(code)] = uint8_t(std::count(segment.begin(), segment.end(), '0') % 2);
            for (char c : segment)
                segmentCode[size_t(code)] = (segmentCode[size_t(code)] << 1) | uint32_t(c == '1');
        }
    }
};

const Trellis& trellis()
{
    static const Trellis instance;
    return instance;
}

float clipLlr(float llr)
{
    if (!std::isfinite(llr))
        return 0.0f;
    return std::clamp(llr, -VaricodeViterbi::kMaxLlr, VaricodeViterbi::kMaxLlr);
}

// max over i of (a[i] + b[i]); `count` is a multiple of kLanes. Lane-wise so that it vectorises.
float maxOfSums(const float* a, const float* b, int count)
{
    float lanes[kLanes];
    for (int lane = 0; lane < kLanes; ++lane)
        lanes[lane] = kDead;
    for (int i = 0; i < count; i += kLanes)
        for (int lane = 0; lane < kLanes; ++lane)
            lanes[lane] = std::max(lanes[lane], a[i + lane] + b[i + lane]);
    return *std::max_element(lanes, lanes + kLanes);
}

int argmaxOfSums(const float* a, const float* b, int count)
{
    int best = 0;
    for (int i = 1; i < count; ++i)
        if (a[i] + b[i] > a[best] + b[best])
            best = i;
    return best;
}

uint64_t lowBits(int64_t count)
{
    return count >= 64 ? ~uint64_t(0) : (uint64_t(1) << count) - 1;
}

} // namespace

VaricodeViterbi::VaricodeViterbi() : VaricodeViterbi(Options{}) {}

VaricodeViterbi::VaricodeViterbi(const Options& options) : m_options(options)
{
    if (!(options.priorWeight >= 0.0f && options.priorWeight <= 1.0f))
        throw std::invalid_argument("VaricodeViterbi: priorWeight must be within 0..1");
    if (!(options.idleProbability > 0.0f && options.idleProbability < 1.0f))
        throw std::invalid_argument("VaricodeViterbi: idleProbability must be within (0, 1)");
    if (options.maxDelaySymbols < 1 || options.maxDelaySymbols > kLongestDelaySymbols)
        throw std::invalid_argument("VaricodeViterbi: maxDelaySymbols must be within 1..63");
    if (options.prior != Prior::Unigram && options.prior != Prior::Bigram)
        throw std::invalid_argument("VaricodeViterbi: unknown prior");
    buildPrior();
    m_firstRoot = 2 * trellis().nodeCount;
    const size_t states = size_t(m_firstRoot + 2 * m_contextStride);
    m_metric.resize(states);
    m_nextMetric.resize(states);
    m_lineage.resize(states);
    m_nextLineage.resize(states);
    const size_t contextStates = size_t(2 * m_contextStride);
    m_contextHistory.resize(kHistorySymbols * contextStates);
    m_lineageHistory.resize(kHistorySymbols * contextStates);
    m_bestContextHistory.resize(kHistorySymbols * 2);
    m_bestMetricHistory.resize(kHistorySymbols * 2);
    m_entries.resize(kRingSymbols * contextStates);
    m_released.reserve(kLongestDelaySymbols);
    reset();
}

void VaricodeViterbi::buildPrior()
{
    const float weight = m_options.priorWeight;
    m_idleLogPrior = weight * std::log(m_options.idleProbability);
    m_wordLogPrior = weight * std::log(1.0f - m_options.idleProbability);
    const auto& unigram = characterprior::unigramLogProbability();
    std::vector<uint8_t> contextBytes;
    if (m_options.prior == Prior::Bigram)
        for (int byte = 0; byte < 256; ++byte)
            if (characterprior::corpusCounts()[size_t(byte)] > 0)
                contextBytes.push_back(uint8_t(byte));
    m_contextCount = int(contextBytes.size()) + 1;
    m_contextStride = (m_contextCount + kLanes - 1) / kLanes * kLanes;
    const int other = m_contextCount - 1;
    m_contextAfter.fill(int16_t(other));
    for (size_t context = 0; context < contextBytes.size(); ++context)
        m_contextAfter[contextBytes[context]] = int16_t(context);
    m_startContext = m_contextAfter[' '];
    m_contextCharacters.clear();
    m_otherCharacters.clear();
    for (int byte = 0; byte < 256; ++byte) {
        if (m_contextAfter[size_t(byte)] == other) {
            m_otherCharacters.push_back(uint8_t(byte));
            m_otherLogPrior[size_t(byte)] = m_wordLogPrior + weight * unigram[size_t(byte)];
            continue;
        }
        ContextCharacter character{uint8_t(byte), std::vector<float>(size_t(m_contextStride), kDead)};
        for (int previous = 0; previous < m_contextCount; ++previous) {
            const float logPrior = previous == other
                ? unigram[size_t(byte)]
                : characterprior::pairLogProbability(contextBytes[size_t(previous)], uint8_t(byte));
            character.weightedLogPrior[size_t(previous)] = m_wordLogPrior + weight * logPrior;
        }
        character.bestWeightedLogPrior =
            *std::max_element(character.weightedLogPrior.begin(), character.weightedLogPrior.end());
        m_contextCharacters.push_back(std::move(character));
    }
}

int VaricodeViterbi::rootState(int context, int phase) const
{
    return m_firstRoot + phase * m_contextStride + context;
}

int VaricodeViterbi::historySlot(int64_t time) const
{
    return int(((time % kHistorySymbols) + kHistorySymbols) % kHistorySymbols);
}

void VaricodeViterbi::reset()
{
    const Trellis& t = trellis();
    for (int node = 0; node < t.nodeCount; ++node)
        for (int phase = 0; phase < 2; ++phase) {
            const int state = 2 * node + phase;
            m_metric[size_t(state)] = node == Trellis::kRoot ? 0.0f : -kMidWordStartPenaltyNats;
            m_lineage[size_t(state)] = Lineage{0, uint16_t(node)};
        }
    for (int phase = 0; phase < 2; ++phase)
        for (int context = 0; context < m_contextStride; ++context) {
            const int state = rootState(context, phase);
            m_metric[size_t(state)] = context == m_startContext ? 0.0f : kDead;
            m_lineage[size_t(state)] = Lineage{0, uint16_t(Trellis::kRoot)};
        }
    // The time before the stream counts as spent in the start context.
    for (int64_t time = 0; time < kHistorySymbols; ++time) {
        m_now = time;
        recordContexts();
    }
    std::fill(m_entries.begin(), m_entries.end(), Entry{});
    m_released.clear();
    m_haveReference = false;
    m_now = 0;
    m_committed = 0;
    m_bestState = rootState(m_startContext, 0);
}

void VaricodeViterbi::recordContexts()
{
    const size_t contextStates = size_t(2 * m_contextStride);
    const size_t slot = size_t(historySlot(m_now));
    const size_t first = size_t(rootState(0, 0));
    std::copy_n(m_metric.begin() + std::ptrdiff_t(first), contextStates,
                m_contextHistory.begin() + std::ptrdiff_t(slot * contextStates));
    std::copy_n(m_lineage.begin() + std::ptrdiff_t(first), contextStates,
                m_lineageHistory.begin() + std::ptrdiff_t(slot * contextStates));
    for (int phase = 0; phase < 2; ++phase) {
        const float* metric = &m_metric[size_t(rootState(0, phase))];
        const int best = int(std::max_element(metric, metric + m_contextCount) - metric);
        m_bestContextHistory[2 * slot + size_t(phase)] = uint8_t(best);
        m_bestMetricHistory[2 * slot + size_t(phase)] = metric[best];
    }
}

std::span<const uint8_t> VaricodeViterbi::push(float coherentLlr, float differentialLlr)
{
    m_released.clear();
    const Trellis& t = trellis();
    // Log-likelihood of each hypothesis relative to no information: ±LLR/2.
    const float coherentHalf = 0.5f * clipLlr(coherentLlr);
    const float differentialHalf = 0.5f * clipLlr(differentialLlr);
    if (!m_haveReference) {
        // The first symbol carries no bit, only the carrier phase the next one is compared with.
        for (int node = 0; node < t.nodeCount; ++node)
            for (int phase = 0; phase < 2; ++phase)
                m_metric[size_t(2 * node + phase)] += phase ? -coherentHalf : coherentHalf;
        for (int phase = 0; phase < 2; ++phase)
            for (int context = 0; context < m_contextCount; ++context)
                m_metric[size_t(rootState(context, phase))] += phase ? -coherentHalf : coherentHalf;
        normalise();
        recordContexts();
        m_haveReference = true;
        return m_released;
    }
    ++m_now;
    // Symbol sign per phase (phase 1 = the symbol is −1) and bit evidence, both as log-likelihoods.
    const float symbolGain[2] = {coherentHalf, -coherentHalf};
    const float bitGain[2] = {-differentialHalf, differentialHalf};
    const uint64_t lineageMask = lowBits(m_now - m_committed);

    // Inside words: one branch per position. The root (node 0) holds the best context of the previous symbol.
    for (int node = 1; node < t.nodeCount; ++node) {
        const int parent = t.parent[size_t(node)];
        const int bit = t.lastBit[size_t(node)];
        const float gain = bitGain[bit] + (parent == Trellis::kRoot ? m_wordLogPrior : 0.0f);
        for (int phase = 0; phase < 2; ++phase) {
            const int from = 2 * parent + (bit ? phase : phase ^ 1); // a 0 bit is a phase reversal
            const int to = 2 * node + phase;
            m_nextMetric[size_t(to)] = m_metric[size_t(from)] + gain + symbolGain[phase];
            const Lineage& lineage = m_lineage[size_t(from)];
            m_nextLineage[size_t(to)] = Lineage{(lineage.bits << 1) | uint64_t(bit), lineage.origin};
        }
    }

    // Between words, by a 0 bit (a reversal): an idle zero keeps the context, a word's second separator zero
    // leads to the context of its character.
    Entry* entries = &m_entries[size_t(m_now % kRingSymbols) * size_t(2 * m_contextStride)];
    for (int phase = 0; phase < 2; ++phase) {
        const float zeroGain = symbolGain[phase] + bitGain[0];
        for (int context = 0; context < m_contextStride; ++context) {
            const int to = rootState(context, phase);
            const int from = rootState(context, phase ^ 1);
            m_nextMetric[size_t(to)] = m_metric[size_t(from)] + m_idleLogPrior + zeroGain;
            m_nextLineage[size_t(to)] = Lineage{m_lineage[size_t(from)].bits << 1, m_lineage[size_t(from)].origin};
            entries[to - rootState(0, 0)] = Entry{};
        }
        // Characters without a context of their own: the prior needs no context, so the word keeps the one it
        // started from.
        const int other = rootState(m_contextCount - 1, phase);
        for (const uint8_t byte : m_otherCharacters) {
            const int from = 2 * t.wordEnd[byte] + (phase ^ 1);
            const float candidate = m_metric[size_t(from)] + m_otherLogPrior[byte] + zeroGain;
            if (candidate > m_nextMetric[size_t(other)]) {
                m_nextMetric[size_t(other)] = candidate;
                const int64_t start = m_now - t.segmentBits[byte];
                const int startPhase = phase ^ t.segmentParity[byte];
                const Lineage& lineage = m_lineage[size_t(from)];
                m_nextLineage[size_t(other)] = Lineage{(lineage.bits << 1) & lineageMask, lineage.origin};
                entries[other - rootState(0, 0)] =
                    Entry{int16_t(byte), m_bestContextHistory[2 * size_t(historySlot(start)) + size_t(startPhase)]};
            }
        }
        // Characters with a context: the word carried the best context of its start time; the pair prior may
        // prefer another context of that time.
        for (const ContextCharacter& character : m_contextCharacters) {
            const int from = 2 * t.wordEnd[character.byte] + (phase ^ 1);
            const float wordMetric = m_metric[size_t(from)];
            const int to = rootState(m_contextAfter[character.byte], phase);
            // The pair prior can at most bring the best of its contexts: skip words that cannot win anyway.
            const float bound = wordMetric + character.bestWeightedLogPrior;
            if (bound < -kPairSearchBeamNats || bound + zeroGain <= m_nextMetric[size_t(to)])
                continue;
            const int64_t start = m_now - t.segmentBits[character.byte];
            const int startPhase = phase ^ t.segmentParity[character.byte];
            const size_t slot = size_t(historySlot(start));
            const float* startMetric =
                &m_contextHistory[slot * size_t(2 * m_contextStride) + size_t(startPhase * m_contextStride)];
            const float* prior = character.weightedLogPrior.data();
            const float best = maxOfSums(startMetric, prior, m_contextStride);
            const float candidate = wordMetric - m_bestMetricHistory[2 * slot + size_t(startPhase)] + best + zeroGain;
            if (candidate > m_nextMetric[size_t(to)]) {
                m_nextMetric[size_t(to)] = candidate;
                const int previous = argmaxOfSums(startMetric, prior, m_contextCount);
                const Lineage& lineage =
                    m_lineageHistory[slot * size_t(2 * m_contextStride) + size_t(startPhase * m_contextStride + previous)];
                m_nextLineage[size_t(to)] = Lineage{
                    ((lineage.bits << t.segmentBits[character.byte]) | t.segmentCode[character.byte]) & lineageMask,
                    lineage.origin};
                entries[to - rootState(0, 0)] = Entry{int16_t(character.byte), uint8_t(previous)};
            }
        }
        // The root mirrors the best context for the words that start next.
        const float* contexts = &m_nextMetric[size_t(rootState(0, phase))];
        const int best = int(std::max_element(contexts, contexts + m_contextCount) - contexts);
        m_nextMetric[size_t(2 * Trellis::kRoot + phase)] = contexts[best];
        m_nextLineage[size_t(2 * Trellis::kRoot + phase)] = m_nextLineage[size_t(rootState(best, phase))];
    }
    std::swap(m_metric, m_nextMetric);
    std::swap(m_lineage, m_nextLineage);
    normalise();
    recordContexts();

    commit(std::max(agreedUpTo(), m_now - m_options.maxDelaySymbols));
    return m_released;
}

std::span<const uint8_t> VaricodeViterbi::flush()
{
    m_released.clear();
    commit(m_now);
    return m_released;
}

void VaricodeViterbi::normalise()
{
    // Branch-free passes that vectorise; the best state is the first that holds the maximum, as before.
    float lanes[kLanes];
    std::fill_n(lanes, kLanes, kDead);
    const size_t whole = m_metric.size() / kLanes * kLanes;
    for (size_t i = 0; i < whole; i += kLanes)
        for (int lane = 0; lane < kLanes; ++lane)
            lanes[lane] = std::max(lanes[lane], m_metric[i + size_t(lane)]);
    float top = *std::max_element(lanes, lanes + kLanes);
    for (size_t i = whole; i < m_metric.size(); ++i)
        top = std::max(top, m_metric[i]);
    m_bestState = int(std::find(m_metric.begin(), m_metric.end(), top) - m_metric.begin());
    for (float& metric : m_metric)
        metric = metric >= kAliveAbove ? metric - top : metric;
}

int64_t VaricodeViterbi::agreedUpTo() const
{
    const Lineage& best = m_lineage[size_t(m_bestState)];
    uint64_t differing = 0;
    for (size_t state = 0; state < m_metric.size(); ++state) {
        if (m_metric[state] <= -kAgreementMarginNats)
            continue;
        if (m_lineage[state].origin != best.origin)
            return m_committed;
        differing |= m_lineage[state].bits ^ best.bits;
    }
    // Bit i holds time m_now − i: the oldest differing bit bounds the agreement.
    return m_now - std::bit_width(differing);
}

void VaricodeViterbi::commit(int64_t time)
{
    if (time <= m_committed)
        return;
    const Trellis& t = trellis();
    // Trace the best path back segment by segment to the last commitment; bytes completed up to `time` come out.
    const size_t firstNew = m_released.size();
    int64_t step = m_now;
    int phase = m_bestState % 2;
    int context = 0;
    const int firstRoot = rootState(0, 0);
    if (m_bestState >= firstRoot) {
        phase = (m_bestState - firstRoot) / m_contextStride;
        context = (m_bestState - firstRoot) % m_contextStride;
    } else {
        // Inside a word (or at the root): back to the start of the word, in the context the word carries.
        const int node = m_bestState / 2;
        step -= t.depth[size_t(node)];
        phase ^= t.zeroParity[size_t(node)];
        context = m_bestContextHistory[2 * size_t(historySlot(step)) + size_t(phase)];
    }
    while (step > m_committed) {
        const Entry entry = m_entries[size_t(step % kRingSymbols) * size_t(2 * m_contextStride)
                                      + size_t(phase * m_contextStride + context)];
        if (entry.byte < 0) {
            step -= 1;
            phase ^= 1;
            continue;
        }
        if (step <= time)
            m_released.push_back(uint8_t(entry.byte));
        step -= t.segmentBits[size_t(entry.byte)];
        phase ^= t.segmentParity[size_t(entry.byte)];
        context = entry.from;
    }
    std::reverse(m_released.begin() + std::ptrdiff_t(firstNew), m_released.end());

    // Survivors that disagree with what was released can no longer be followed, nor can the recent context
    // states that words in progress may still return to; the committed bits are dropped.
    const Lineage best = m_lineage[size_t(m_bestState)];
    auto prune = [&](Lineage& lineage, float& metric, int64_t at) {
        const uint64_t keptMask = lowBits(std::max<int64_t>(0, at - time));
        const int age = int(m_now - at);
        if (lineage.origin != best.origin || ((lineage.bits ^ (best.bits >> age)) & ~keptMask) != 0)
            metric = kDead;
        lineage.bits &= keptMask;
    };
    for (size_t s = 0; s < m_metric.size(); ++s)
        prune(m_lineage[s], m_metric[s], m_now);
    const size_t contextStates = size_t(2 * m_contextStride);
    for (int age = 0; age < kHistorySymbols; ++age) {
        const size_t slot = size_t(historySlot(m_now - age));
        for (size_t s = 0; s < contextStates; ++s)
            prune(m_lineageHistory[slot * contextStates + s], m_contextHistory[slot * contextStates + s], m_now - age);
    }
    m_committed = time;
}

} // namespace pskcore
