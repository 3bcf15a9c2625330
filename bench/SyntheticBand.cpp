#include "SyntheticBand.h"

#include "Impairments.h"
#include "Recording.h"
#include "pskcore/dsp/Resampler.h"

#include <algorithm>
#include <cmath>

using namespace pskcore;

namespace {
constexpr double kTailSeconds = 3.0;
}

SyntheticBand renderBand(const std::vector<BandStation>& stations, double minSeconds, unsigned seed)
{
    SyntheticBand band;
    band.samples.assign(std::size_t(minSeconds * kSampleRate), 0.0f);
    for (const BandStation& s : stations) {
        const auto drift = [&s](double t) { return s.freqHz + s.driftHzPerSecond * t; };
        Signal signal = transmit(s.text, s.mode, s.freqHz, drift);
        std::vector<float> samples = std::move(signal.samples);
        if (s.clockPpm != 0) {
            // A fast transmitter clock puts out its samples too quickly: fewer of ours per symbol.
            Resampler clock(1.0 / (1.0 + s.clockPpm * 1e-6));
            std::vector<float> out;
            clock.process(samples, out);
            samples = std::move(out);
        }
        const double gain = std::sqrt(kBandNoisePower * std::pow(10.0, s.snrDb / 10) / signal.keyedPower);
        const std::size_t offset = std::size_t(s.startSeconds * kSampleRate);
        std::vector<float> placed(offset, 0.0f);
        placed.insert(placed.end(), samples.begin(), samples.end());
        placed.insert(placed.end(), std::size_t(kTailSeconds * kSampleRate), 0.0f);
        mixInto(band.samples, placed, gain);
        band.keyedEnd.push_back(offset + signal.keyedEnd);
    }
    // addNoise's reference: a signal of power kBandNoisePower at 0 dB.
    addNoise(band.samples, kBandNoisePower, 0.0, seed);
    return band;
}
