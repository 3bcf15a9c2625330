#pragma once

#include "pskcore/dsp/Constants.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace pskcore {

// Power spectrum of the 8 kHz input: 2048-point FFT (FFTW3, Hann window) every 1024 samples (50 % overlap),
// the input-saturation flag and the latest raw samples for the raw display. No threads inside.
class Spectrum {
public:
    Spectrum();
    ~Spectrum();
    Spectrum(const Spectrum&) = delete;
    Spectrum& operator=(const Spectrum&) = delete;

    // Feeds input samples (full scale +-1); computes a new spectrum each time 1024 new samples are in.
    void process(std::span<const float> samples);
    // Writes bins firstBin..lastBin (0-1023, clamped) of the latest spectrum to out[firstBin..lastBin],
    // log-scaled 0..fullScale (0 = -100 dBFS or below, fullScale = 0 dBFS). Returns the saturation flag.
    bool fill(int32_t* out, int firstBin, int lastBin, int fullScale) const;
    // True if an input sample reached full scale (|x| >= 0.99) in the latest spectrum's samples.
    bool saturated() const;
    // The latest 1024 input samples as signed 16-bit values, oldest first.
    std::array<int32_t, 1024> rawSamples() const;
    // Noise level estimate of the latest spectrum, dBFS per bin (median of the bins 100-3500 Hz).
    double noiseFloorDb() const;
    void reset();

private:
    struct Fft;
    Fft* m_fft;
    std::vector<float> m_history;  // last kFftSize samples
    std::size_t m_newSamples = 0;
    std::vector<float> m_powerDb;  // 1024 bins, dBFS
    bool m_saturated = false;
    bool m_saturatedPending = false;
};

} // namespace pskcore
