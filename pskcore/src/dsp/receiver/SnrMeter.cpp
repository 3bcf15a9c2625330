#include "SnrMeter.h"

#include <algorithm>
#include <cmath>

namespace pskcore::receiver {
namespace {

// The equalised symbols keep about 2 % of each neighbour (the equaliser minimises the error at the edge of copy,
// not the intersymbol interference); left in, it would cap the reading near +5 dB.
constexpr std::array<float, 5> kNeighbourTaps = {0.003f, -0.017f, 1.0f, -0.021f, 0.006f}; // symbols k-2..k+2

// Symbol-domain SNR (signal power at the symbol instant over the noise power through the matched filter and
// equaliser) minus this gives the SNR in 3 kHz: the symbols' noise bandwidth is about the symbol rate.
constexpr double kSymbolOverChannelDb = 19.8;

// S-meter scale.
constexpr double kZeroAtDb = -20.0, kPointsPerDb = 2.0;

} // namespace

cf SnrMeter::cleared() const
{
    cf sum(0, 0);
    for (std::size_t i = 0; i < m_recent.size(); ++i)
        sum += m_recent[i] * kNeighbourTaps[i];
    return sum;
}

void SnrMeter::update(cf symbol)
{
    std::rotate(m_recent.begin(), m_recent.begin() + 1, m_recent.end());
    m_recent.back() = symbol;
    const double power = std::norm(cleared());
    const double change = power - m_previousPower;
    m_previousPower = power;
    // The weight undoes the averages' start from zero.
    m_weight += kMomentShare * (1 - m_weight);
    m_meanPower += kMomentShare * (power - m_meanPower);
    m_variance += kMomentShare * (change * change / 2 - m_variance);

    double snrDb = kFloorDb;
    const double meanPower = m_meanPower / m_weight, variance = m_variance / m_weight;
    if (meanPower > 1e-30) {
        const double signal = std::sqrt(std::max(0.0, meanPower * meanPower - variance));
        const double noise = meanPower - signal;
        m_noisePower = std::max(0.0, noise);
        const double symbolSnr = noise > 0 ? signal / noise : 1e30;
        snrDb = std::clamp(10 * std::log10(std::max(symbolSnr, 1e-6)) - kSymbolOverChannelDb, kFloorDb, kCeilingDb);
    }
    m_snrDb += kReadingShare * (snrDb - m_snrDb);
}

void SnrMeter::clear() { *this = SnrMeter(); }

int SnrMeter::level() const
{
    return std::clamp(int(std::lround((m_snrDb - kZeroAtDb) * kPointsPerDb)), 0, 100);
}

} // namespace pskcore::receiver
