#pragma once

#include "ReceiverTypes.h"
#include "SymbolDecoder.h"

namespace pskcore::receiver {

// Soft values of BPSK symbols for the sequence decoder, weighted by the signal's momentary strength against
// the noise: a faded symbol says little, a strong one much. On a weak signal the coherent value carries them;
// on a strong one, where the carrier phase can turn faster than the loop follows (a fade), the differential
// value, which needs no phase, takes over.
class SoftMetrics {
public:
    // coherent: the symbol with the carrier removed, in the receiver's absolute units.
    SoftSymbol measure(cf coherent);
    // Noise power in the symbols' units (both dimensions), as estimated so far.
    float noisePower() const { return 2 * m_noiseVar; }

private:
    static constexpr float kNoiseShare = 1.0f / 128; // the noise is steady: averaged over 4 s
    static constexpr float kAmplitudeShare = 0.05f;  // the strength follows a fade within about 20 symbols
    static constexpr float kMeanShare = 1.0f / 64;
    static constexpr float kCoherentBelowDb = 9, kDifferentialAboveDb = 12; // Es/N0
    static constexpr float kOutlier = 9.0f; // a noise sample beyond three deviations is clipped

    long long m_symbols = 0;
    float m_noiseVar = 0;     // per real dimension
    float m_power = 0;        // recent symbol power
    float m_meanPower = 0;    // symbol power over two seconds
    cf m_previous{0, 0};
};

} // namespace pskcore::receiver
