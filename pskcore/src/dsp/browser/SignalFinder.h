#pragma once

#include "../receiver/WindowedFft.h"

#include <span>
#include <vector>

namespace pskcore::browser {

// Looks for PSK31 signals in the averaged power spectrum of the input: a 2048-point FFT every 1024 samples,
// averaged over about half a second, against the band's noise floor. A signal is a local peak of the power
// summed over its 43 Hz main lobe (an idle signal's two lines 31.25 Hz apart, or text filling between them)
// that stands kDetectRatio above the noise of that width. No threads inside.
class SignalFinder {
public:
    struct Peak {
        double freqHz;
        double ratio; // lobe power over the noise in the lobe's width
    };

    // lowHz..highHz: the band searched (within 0-4000 Hz).
    SignalFinder(double lowHz, double highHz);
    // Feeds input; returns true when a new spectrum has been averaged in.
    bool process(std::span<const float> samples);
    // The peaks of the latest average, strongest first, none closer than kMinSpacingHz to a stronger one.
    std::vector<Peak> peaks() const;
    void reset();

    static constexpr double kDetectRatio = 2.0; // +3 dB: a -15 dB signal (in 3 kHz) stands about 5 dB out

private:
    static constexpr int kSize = 2048;
    static constexpr int kHop = kSize / 2;
    static constexpr int kLobeHalfBins = 5;          // +-19.5 Hz
    static constexpr double kAverageSpectra = 4.0;   // exponential average, spectra (0.5 s)
    static constexpr int kWarmUpSpectra = 6;         // a plain mean until then, and no peaks
    static constexpr double kMinSpacingHz = 24.0;    // narrower than the 31.25 Hz between an idle signal's lines
    // The noise floor is a low percentile of the averaged bins, so that a band full of signals does not lift
    // it; scaled back to the mean for the averaged noise's spread.
    static constexpr double kFloorPercentile = 0.3;
    static constexpr double kFloorPercentileToMean = 1.25;

    void transform();

    int m_lowBin;
    int m_highBin;
    receiver::WindowedFft m_fft{kSize};
    std::vector<float> m_history; // the latest kSize samples
    int m_newSamples = 0;
    std::vector<double> m_average; // per bin
    int m_spectra = 0; // averaged in so far
    mutable std::vector<double> m_sorted;
};

} // namespace pskcore::browser
