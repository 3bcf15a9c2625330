#pragma once

#include "ReceiverTypes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace pskcore::receiver {

// Mean symbol power for normalisation, and a short-term power that tells when the carrier has gone.
class SymbolPower {
public:
    void update(cf symbol)
    {
        m_mean = kMeanKeep * m_mean + kMeanShare * std::norm(symbol);
        m_recent = kRecentKeep * m_recent + kRecentShare * std::norm(symbol);
    }
    // Scale that brings the symbols to unit mean power.
    float normaliser() const { return 1.0f / std::sqrt(std::max(m_mean, 1e-20f)); }
    // A sudden drop of the recent power below a quarter of the mean: the carrier has gone.
    bool carrierGone() const { return m_recent < kGoneRatio * m_mean; }

private:
    // The mean spans about 50 symbols, the recent power about 3.
    static constexpr float kMeanKeep = 0.98f, kMeanShare = 0.02f;
    static constexpr float kRecentKeep = 0.7f, kRecentShare = 0.3f;
    static constexpr float kGoneRatio = 0.25f;

    float m_mean = 1e-6f;
    float m_recent = 0.0f;
};

} // namespace pskcore::receiver
