#include "CharacterPrior.h"

#include <cmath>
#include <numeric>
#include <vector>

namespace pskcore::characterprior {

const std::array<float, 256>& unigramLogProbability()
{
    static const std::array<float, 256> table = [] {
        const auto& counts = corpusCounts();
        const double total = std::accumulate(counts.begin(), counts.end(), 0.0) + 256.0 * kPseudoCount;
        std::array<float, 256> logProbability{};
        for (size_t byte = 0; byte < counts.size(); ++byte)
            logProbability[byte] = float(std::log((counts[byte] + kPseudoCount) / total));
        return logProbability;
    }();
    return table;
}

float pairLogProbability(uint8_t previous, uint8_t next)
{
    // Dense counts, previous·256 + next, with the total after each previous byte.
    struct Table {
        std::vector<uint32_t> counts = std::vector<uint32_t>(256 * 256, 0);
        std::array<double, 256> totals{};
    };
    static const Table table = [] {
        Table t;
        for (const PairCount& pair : corpusPairCounts()) {
            t.counts[size_t(pair.previous) * 256 + pair.next] = pair.count;
            t.totals[pair.previous] += pair.count;
        }
        return t;
    }();
    const float unigram = unigramLogProbability()[next];
    const double total = table.totals[previous];
    if (total == 0.0)
        return unigram;
    const double count = table.counts[size_t(previous) * 256 + next];
    return float(std::log((count + kPairPseudoCount * std::exp(double(unigram))) / (total + kPairPseudoCount)));
}

} // namespace pskcore::characterprior
