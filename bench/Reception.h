#pragma once

#include "pskcore/dsp/ChannelDemodulator.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// One receive channel run over a whole recording, and the character error rate of what it printed.
inline constexpr std::size_t kRxBlock = 512; // samples handed to the receiver at a time

struct RxSettings {
    double afcLimitHz = 10;
    double captureRangeHz = 10;
    int squelch = 10;
};

struct Reception {
    std::string text;
    double finalFreqHz = 0; // where the AFC left the channel
};

// afterBlock(rx, end) is called after each block, end = samples consumed so far.
Reception receive(const std::vector<float>& samples, pskcore::PskMode mode, double hz, RxSettings settings = {},
                  const std::function<void(pskcore::ChannelDemodulator&, std::size_t)>& afterBlock = nullptr);

// An afterBlock for receive() that notes the channel's frequency once it has taken `sample` samples (the end
// of the wanted transmission, before the AFC is left to the noise or a neighbour).
std::function<void(pskcore::ChannelDemodulator&, std::size_t)> noteFrequencyAt(std::size_t sample, double& freqHz);

std::size_t editDistance(const std::string& a, const std::string& b);

// Edit distance / sent length.
double cer(const std::string& sent, const std::string& got);

// Errors summed over several runs, so that the rate weighs each character alike.
struct ErrorCount {
    std::size_t errors = 0;
    std::size_t sent = 0;
    void add(const std::string& sentText, const std::string& got);
    double rate() const { return sent ? double(errors) / double(sent) : 0.0; }
};

const char* modeName(pskcore::PskMode mode);
