#pragma once

#include "pskcore/dsp/Constants.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Synthetic recordings for the benchmark: one transmission of text, silence before and after.
inline constexpr double kCarrierHz = 1000.0;
inline constexpr double kNoiseBandwidthHz = 3000.0; // the bandwidth the SNR figures are quoted in
inline constexpr std::size_t kLeadSamples = pskcore::kSampleRate / 2;

struct Signal {
    std::vector<float> samples;
    double keyedPower = 0;      // mean x^2 over the keyed interval
    std::size_t keyedBegin = 0; // the keyed interval, in samples
    std::size_t keyedEnd = 0;
};

// The transmission of text at carrier hz (peak -12 dBFS); freqAt(t) may move the carrier. idleOnly sends
// idleSeconds of reversals and no text.
Signal transmit(const std::string& text, pskcore::PskMode mode, double hz,
                const std::function<double(double)>& freqAt = nullptr, bool idleOnly = false,
                double idleSeconds = 0);

// Mean x^2 of samples[begin, end).
double meanPower(const std::vector<float>& samples, std::size_t begin, std::size_t end);

// Adds other to sum (times gain), growing sum if other is longer.
void mixInto(std::vector<float>& sum, const std::vector<float>& other, double gain = 1.0);
