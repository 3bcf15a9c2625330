#pragma once

#include "pskcore/dsp/Constants.h"

#include <cstddef>
#include <string>
#include <vector>

// A band of several PSK31 stations in one white noise, each at its own SNR (its keyed power over the noise in
// 3000 Hz), for the signal browser's tests and benchmark.
struct BandStation {
    double freqHz;
    pskcore::PskMode mode;
    double snrDb;
    std::string text;
    double startSeconds = 0;
    double driftHzPerSecond = 0;
    double clockPpm = 0; // the transmitter's sample clock runs this much fast
};

struct SyntheticBand {
    std::vector<float> samples;
    std::vector<std::size_t> keyedEnd; // per station, the sample its transmission ends at
};

// The noise's power in 3000 Hz: the reference of every station's SNR.
inline constexpr double kBandNoisePower = 1e-4;

// The stations over noise (seed), lasting at least minSeconds and until a few seconds after the last one ends.
SyntheticBand renderBand(const std::vector<BandStation>& stations, double minSeconds, unsigned seed);
