#include "VaricodeViterbi.h"

#include "CharacterPrior.h"
#include "pskcore/dsp/Varicode.h"

#include <algorithm>
#include <array>
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
// Predecessor rows kept: more than the release deadline.
constexpr int kRingSymbols = VaricodeViterbi::kLongestDelaySymbols + 1;
// A lineage holds every bit since the last commitment, one more than the deadline before a push commits.
static_assert(VaricodeViterbi::kLongestDelaySymbols + 1 <= 64);

// Positions in the bit stream: the root (between segments) and every prefix of a Varicode word, including a word
// followed by its first separator zero. Every position but the root is entered from one parent by one bit; the
// root by a 0 bit from itself (idle) or from a word's first separator zero (the word is complete).
struct Trellis {
    static constexpr int kRoot = 0;
    std::vector<int16_t> parent;        // per node, the root excepted
    std::vector<uint8_t> lastBit;       // per node: the bit that enters it
    std::vector<int16_t> completedByte; // per node: byte finished by a 0 bit from here to the root, or -1
    std::vector<int16_t> rootSources;   // nodes a 0 bit leads from to the root
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
        completedByte.assign(size_t(nodeCount), -1);
        rootSources.push_back(kRoot); // idle zero
        for (const auto& [prefix, node] : index) {
            if (prefix.empty())
                continue;
            parent[size_t(node)] = int16_t(index.at(prefix.substr(0, prefix.size() - 1)));
            lastBit[size_t(node)] = uint8_t(prefix.back() == '1');
            if (prefix.back() == '0') {
                if (const auto word = varicode::lookup(bitsOf(prefix) >> 1, int(prefix.size()) - 1)) {
                    completedByte[size_t(node)] = *word;
                    rootSources.push_back(int16_t(node));
                }
            }
        }
    }

    static uint32_t bitsOf(const std::string& prefix)
    {
        uint32_t bits = 0;
        for (char c : prefix)
            bits = (bits << 1) | uint32_t(c == '1');
        return bits;
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
    const Trellis& t = trellis();
    const int states = 2 * t.nodeCount;
    m_metric.resize(states);
    m_nextMetric.resize(states);
    m_lineage.resize(states);
    m_nextLineage.resize(states);
    m_predecessors.resize(size_t(kRingSymbols) * states);
    m_released.reserve(kLongestDelaySymbols);

    const auto& logPrior = characterprior::unigramLogProbability();
    const float weight = options.priorWeight;
    m_branchPrior.assign(size_t(2 * t.nodeCount), 0.0f);
    m_branchPrior[2 * Trellis::kRoot + 0] = weight * std::log(options.idleProbability);
    m_branchPrior[2 * Trellis::kRoot + 1] = weight * std::log(1.0f - options.idleProbability);
    for (int node = 0; node < t.nodeCount; ++node)
        if (t.completedByte[node] >= 0)
            m_branchPrior[2 * node + 0] = weight * logPrior[size_t(t.completedByte[node])];
    reset();
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
    std::fill(m_predecessors.begin(), m_predecessors.end(), uint16_t(0));
    m_released.clear();
    m_haveReference = false;
    m_now = 0;
    m_committed = 0;
    m_bestState = 2 * Trellis::kRoot;
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
        for (size_t state = 0; state < m_metric.size(); ++state)
            m_metric[state] += state % 2 ? -coherentHalf : coherentHalf;
        normalise();
        m_haveReference = true;
        return m_released;
    }
    ++m_now;
    uint16_t* predecessor = &m_predecessors[size_t(m_now % kRingSymbols) * m_metric.size()];
    // Symbol sign per phase (phase 1 = the symbol is −1) and bit evidence, both as log-likelihoods.
    const float symbolGain[2] = {coherentHalf, -coherentHalf};
    const float bitGain[2] = {-differentialHalf, differentialHalf};
    auto enter = [&](int to, int from, float metric) {
        m_nextMetric[size_t(to)] = metric;
        predecessor[to] = uint16_t(from);
        const Lineage& lineage = m_lineage[size_t(from)];
        m_nextLineage[size_t(to)] = Lineage{(lineage.bits << 1) | t.lastBit[size_t(to / 2)], lineage.origin};
    };
    for (int phase = 0; phase < 2; ++phase) {
        // Into the root by a 0 bit, i.e. a reversal: from the other phase.
        int bestFrom = 0;
        float best = kDead;
        for (const int16_t node : t.rootSources) {
            const int from = 2 * node + (phase ^ 1);
            const float candidate = m_metric[size_t(from)] + m_branchPrior[size_t(2 * node)];
            if (candidate > best) {
                best = candidate;
                bestFrom = from;
            }
        }
        enter(2 * Trellis::kRoot + phase, bestFrom, best + symbolGain[phase] + bitGain[0]);
    }
    for (int node = 1; node < t.nodeCount; ++node) {
        const int parent = t.parent[size_t(node)];
        const int bit = t.lastBit[size_t(node)];
        const float gain = bitGain[bit] + m_branchPrior[size_t(2 * parent + bit)];
        for (int phase = 0; phase < 2; ++phase) {
            const int from = 2 * parent + (bit ? phase : phase ^ 1); // a 0 bit is a phase reversal
            enter(2 * node + phase, from, m_metric[size_t(from)] + gain + symbolGain[phase]);
        }
    }
    std::swap(m_metric, m_nextMetric);
    std::swap(m_lineage, m_nextLineage);
    normalise();

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
    const auto best = std::max_element(m_metric.begin(), m_metric.end());
    m_bestState = int(best - m_metric.begin());
    const float top = *best;
    for (float& metric : m_metric)
        if (metric >= kAliveAbove)
            metric -= top;
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
    const size_t states = m_metric.size();
    // Trace the best path back to the last commitment; bytes completed up to `time` come out.
    const size_t firstNew = m_released.size();
    int state = m_bestState;
    for (int64_t step = m_now; step > m_committed; --step) {
        const int previous = m_predecessors[size_t(step % kRingSymbols) * states + size_t(state)];
        const int byte = t.completedByte[size_t(previous / 2)];
        if (step <= time && state / 2 == Trellis::kRoot && byte >= 0)
            m_released.push_back(uint8_t(byte));
        state = previous;
    }
    std::reverse(m_released.begin() + std::ptrdiff_t(firstNew), m_released.end());

    // Survivors that disagree with what was released can no longer be followed; the committed bits are dropped.
    const Lineage best = m_lineage[size_t(m_bestState)];
    const int kept = int(m_now - time);
    const uint64_t keptMask = kept >= 64 ? ~uint64_t(0) : (uint64_t(1) << kept) - 1;
    for (size_t s = 0; s < states; ++s) {
        Lineage& lineage = m_lineage[s];
        if (lineage.origin != best.origin || ((lineage.bits ^ best.bits) & ~keptMask) != 0)
            m_metric[s] = kDead;
        lineage.bits &= keptMask;
    }
    m_committed = time;
}

} // namespace pskcore
