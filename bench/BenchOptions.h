#pragma once

#include "FadingChannel.h"

#include "pskcore/dsp/Constants.h"

#include <cstddef>
#include <optional>
#include <vector>

// What the benchmark runs and how much of it; unset values take each section's own default.
struct BenchOptions {
    bool quick = false;
    std::optional<std::size_t> chars;
    int threads = 2;
    std::optional<int> snrHighDb, snrLowDb, snrStepDb;
    std::optional<unsigned> firstNoiseSeed, lastNoiseSeed; // the noise-alone section's seeds
    std::vector<pskcore::PskMode> modes{pskcore::PskMode::Bpsk, pskcore::PskMode::QpskUsb};

    bool white = true, speed = true, robust = true, noise = true;
    std::vector<FadingCondition> fading = allFadingConditions();
    bool interference = true, impulse = true, click = true, smeter = true, dense = true, browser = true;
};

// SNR steps from high down to low, from the options or the section's defaults.
std::vector<int> snrSteps(const BenchOptions& o, int defaultHighDb, int defaultLowDb, int defaultStepDb);
