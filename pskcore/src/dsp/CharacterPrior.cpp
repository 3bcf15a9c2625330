#include "CharacterPrior.h"

#include <cmath>
#include <numeric>

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

} // namespace pskcore::characterprior
