#pragma once

#include "ReceiverTypes.h"

#include <array>

namespace pskcore::receiver {

// Blind signal-to-noise estimate of a PSK channel from its symbols, for the S-meter. PSK symbols have one modulus,
// so the spread of the symbol power is the noise's doing: with M2 the mean symbol power and V its variance,
// S = sqrt(M2^2 - V) and N = M2 - S. V is taken from the differences of successive symbols, so a slow change of
// level (fading, a signal coming up) is not mistaken for noise. Needs neither carrier lock nor decisions.
class SnrMeter {
public:
    // Takes one symbol value (any scale); the estimate runs kLagSymbols behind.
    void update(cf symbol);
    void clear();

    // Smoothed SNR of the channel in a 3 kHz noise bandwidth, dB (kFloorDb when nothing stands above the noise).
    double snrDb() const { return m_snrDb; }
    // Noise power at the symbol instants, in the units of the symbols given (both dimensions).
    double noisePower() const { return m_noisePower; }
    // S-meter position: 0 at -20 dB, 100 at +30 dB SNR in 3 kHz, 2 points per dB.
    int level() const;

    static constexpr double kFloorDb = -25.0;
    static constexpr int kLagSymbols = 2;

private:
    static constexpr double kMomentShare = 1.0 / 64; // moments averaged over about 2 s
    static constexpr double kReadingShare = 1.0 / 8; // then the dB reading over a quarter second
    static constexpr double kCeilingDb = 40.0;

    // The symbol kLagSymbols back, cleared of what the equaliser leaves of its neighbours.
    cf cleared() const;

    std::array<cf, 2 * kLagSymbols + 1> m_recent{}; // newest last
    double m_previousPower = 0;
    double m_meanPower = 0, m_variance = 0, m_weight = 0;
    double m_snrDb = kFloorDb;
    double m_noisePower = 0;
};

} // namespace pskcore::receiver
