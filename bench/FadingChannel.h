#pragma once

#include <complex>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The Watterson HF channel (ITU-R F.1487 / F.520): one or two equal-power paths, each multiplied by its own
// complex Gaussian gain with a Gaussian Doppler spectrum, the second path delayed; mean power gain 1.
struct FadingCondition {
    std::string name;
    int paths = 0;         // 0 = no fading (white noise only), 1 = flat fading, 2 = two paths
    double delayMs = 0;    // of the second path
    double spreadHz = 0;   // Doppler spread, twice the standard deviation of the Doppler spectrum (ITU)
};

// "white", "good", "moderate", "poor", "flat" (0.5 Hz) or "flat:SPREAD"; nothing for an unknown name.
std::optional<FadingCondition> fadingCondition(const std::string& name);

// White noise, the three ITU conditions and flat fading at 0.1, 0.5 and 1 Hz.
std::vector<FadingCondition> allFadingConditions();

// Rate of the gain processes before they are interpolated to the audio rate.
inline constexpr double kGainRateHz = 100.0;

// count samples at kGainRateHz of a complex Gaussian process of unit expected power whose spectrum is a
// Gaussian of standard deviation spreadHz / 2 (complex white noise through a Gaussian FIR).
std::vector<std::complex<double>> dopplerGains(double spreadHz, std::size_t count, unsigned seed);

// The analytic signal x + j H{x} (Hilbert transformer: windowed FIR, delay compensated).
std::vector<std::complex<float>> analyticSignal(const std::vector<float>& x);

// Passes the real 8 kHz recording through the channel: the paths' gains applied to its analytic signal, the
// real part kept. The seed chooses the gain processes.
void applyFading(std::vector<float>& samples, const FadingCondition& condition, unsigned seed);
