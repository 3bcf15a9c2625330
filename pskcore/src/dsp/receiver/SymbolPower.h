#pragma once

#include "ReceiverTypes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace pskcore::receiver {

// Mean symbol power for normalisation, and a short-term power that tells when the signal has faded or gone.
class SymbolPower {
public:
    void update(cf symbol)
    {
        m_mean = kMeanKeep * m_mean + kMeanShare * std::norm(symbol);
        m_recent = kRecentKeep * m_recent + kRecentShare * std::norm(symbol);
        m_reference += kReferenceShare * (std::norm(symbol) - m_reference);
    }
    // Scale that brings the symbols to unit mean power.
    float normaliser() const { return 1.0f / std::sqrt(std::max(m_mean, 1e-20f)); }
    // The recent power has dropped below a quarter of the signal's: a fade, or the carrier has gone. The
    // signal's power is a slow mean, so that after a transmission this holds until the squelch has closed.
    bool carrierGone() const { return m_recent < kGoneRatio * m_reference; }
    // Gone, or faded so far that the noise (its power given in the symbols' units) is all there is to see; a
    // signal still well above the noise in a fade is copied as it comes.
    bool faded(float noisePower) const { return carrierGone() && m_recent < kFadedOverNoise * noisePower; }

private:
    // The mean spans about 50 symbols, the recent power about 3.
    static constexpr float kMeanKeep = 0.98f, kMeanShare = 0.02f;
    static constexpr float kRecentKeep = 0.7f, kRecentShare = 0.3f;
    static constexpr float kGoneRatio = 0.25f;
    static constexpr float kFadedOverNoise = 4.0f; // 6 dB
    static constexpr float kReferenceShare = 0.005f; // about 200 symbols

    float m_mean = 1e-6f;
    float m_recent = 0.0f;
    float m_reference = 0.0f;
};

} // namespace pskcore::receiver
