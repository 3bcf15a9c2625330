#pragma once

#include "displays/DisplayBand.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

// What the waterfall and the spectrum draw from: the engine's FFT snapshot, the band,
// the two channels' receive frequencies (the fields' values truncated to Hz) and the
// signals the browser lists.
struct BandScene
{
    DisplayBand band;
    std::span<const int32_t, DisplayBand::kBins> fft; // the FFT data, indexed by absolute bin
    int fullScale = 100;                              // FFTFullScale
    bool cardActive = false;
    std::array<int, 2> rxHz{};
    std::span<const int> signalHz;                    // the browser's signals, marked on the amplitude strip
};

// Where the two channel markers were drawn (columns of the display); empty when the
// display showed its stopped look and the labels must stay where they are.
using MarkerColumns = std::optional<std::array<int, 2>>;
