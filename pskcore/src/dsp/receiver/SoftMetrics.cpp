#include "SoftMetrics.h"

#include <algorithm>
#include <cmath>

namespace pskcore::receiver {

SoftSymbol SoftMetrics::measure(cf coherent)
{
    // Noise: the part of the symbol across the previous symbol's axis. The channel's phase moves little from one
    // symbol to the next even in a fade, where the carrier loop lags; the rare big turn at a deep null is clipped.
    // The averages start as plain means, so that the first symbols weigh no more than the later ones.
    ++m_symbols;
    const auto share = [this](float steady) { return std::max(steady, 1.0f / float(m_symbols)); };
    const float previousMagnitude = std::abs(m_previous);
    if (previousMagnitude > 0) {
        const float across = (coherent * std::conj(m_previous)).imag() / previousMagnitude;
        const float sample = m_noiseVar == 0 ? across * across : std::min(across * across, kOutlier * m_noiseVar);
        m_noiseVar += share(kNoiseShare) * (sample - m_noiseVar);
    }
    m_power += share(kAmplitudeShare) * (std::norm(coherent) - m_power);
    m_meanPower += share(kMeanShare) * (std::norm(coherent) - m_meanPower);
    const float noiseVar = std::max(m_noiseVar, 1e-30f);
    const float amplitude = std::sqrt(std::max(m_power - 2 * noiseVar, 0.0f));

    SoftSymbol soft;
    soft.change = coherent * std::conj(m_previous);
    const bool sameSign = (coherent.real() >= 0) == (m_previous.real() >= 0);
    m_previous = coherent;

    // Where the noise sets the limit the carrier phase is worth its 1 dB; on a strong signal the differential
    // value, which a fade's sudden turn of phase cannot mislead, costs almost nothing.
    const float esN0Db = 10 * std::log10(std::max(m_meanPower - 2 * noiseVar, 1e-30f) / (2 * noiseVar));
    const float coherentWeight =
        std::clamp((kDifferentialAboveDb - esN0Db) / (kDifferentialAboveDb - kCoherentBelowDb), 0.0f, 1.0f);
    soft.coherentLlr = coherentWeight * 2 * amplitude * coherent.real() / noiseVar;
    soft.differentialLlr = (1 - coherentWeight) * soft.change.real() / noiseVar;
    soft.bit = coherentWeight >= 0.5f ? int(sameSign) : int(soft.change.real() >= 0);
    return soft;
}

} // namespace pskcore::receiver
