#include "FadingChannel.h"

#include "pskcore/dsp/Constants.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <random>

using pskcore::kSampleRate;

std::optional<FadingCondition> fadingCondition(const std::string& name)
{
    if (name == "white")
        return FadingCondition{"white", 0, 0, 0};
    if (name == "good")
        return FadingCondition{"good", 2, 0.5, 0.1};
    if (name == "moderate")
        return FadingCondition{"moderate", 2, 1.0, 0.5};
    if (name == "poor")
        return FadingCondition{"poor", 2, 2.0, 1.0};
    if (name == "flat")
        return fadingCondition("flat:0.5");
    if (name.rfind("flat:", 0) == 0) {
        char* end = nullptr;
        const double spreadHz = std::strtod(name.c_str() + 5, &end);
        if (end == name.c_str() + 5 || *end != '\0' || !(spreadHz > 0.001 && spreadHz <= 10))
            return std::nullopt;
        char label[32];
        std::snprintf(label, sizeof label, "flat %g Hz", spreadHz);
        return FadingCondition{label, 1, 0, spreadHz};
    }
    return std::nullopt;
}

std::vector<FadingCondition> allFadingConditions()
{
    std::vector<FadingCondition> all;
    for (const char* name : {"white", "good", "moderate", "poor", "flat:0.1", "flat:0.5", "flat:1"})
        all.push_back(*fadingCondition(name));
    return all;
}

std::vector<std::complex<double>> dopplerGains(double spreadHz, std::size_t count, unsigned seed)
{
    // A Gaussian impulse response exp(-t^2 / (2 s^2)) has the power spectrum exp(-f^2 / (2 sf^2)) with
    // sf = 1 / (2 sqrt(2) pi s); the ITU spread is 2 sf.
    constexpr double kTailSigmas = 4;
    const double sigmaFreqHz = spreadHz / 2;
    const double sigmaSamples = kGainRateHz / (2 * std::numbers::sqrt2 * std::numbers::pi * sigmaFreqHz);
    const int half = int(std::ceil(kTailSigmas * sigmaSamples));
    std::vector<double> taps(std::size_t(2 * half + 1));
    double energy = 0;
    for (int k = -half; k <= half; ++k) {
        const double h = std::exp(-double(k) * k / (2 * sigmaSamples * sigmaSamples));
        taps[std::size_t(k + half)] = h;
        energy += h * h;
    }
    for (double& h : taps)
        h /= std::sqrt(energy); // unit white input power -> unit output power

    std::mt19937 rng(seed);
    std::normal_distribution<double> gauss(0.0, std::sqrt(0.5));
    std::vector<std::complex<double>> noise(count + taps.size() - 1);
    for (auto& w : noise)
        w = {gauss(rng), gauss(rng)};
    std::vector<std::complex<double>> gains(count);
    for (std::size_t n = 0; n < count; ++n) {
        std::complex<double> sum = 0;
        for (std::size_t k = 0; k < taps.size(); ++k)
            sum += taps[k] * noise[n + k];
        gains[n] = sum;
    }
    return gains;
}

std::vector<std::complex<float>> analyticSignal(const std::vector<float>& x)
{
    // Odd taps 2 / (pi k) under a Blackman window: flat to a small fraction of a dB from about 300 Hz to
    // 3700 Hz, which holds any PSK31 channel the benchmark uses.
    constexpr int kHalf = 96;
    std::vector<double> taps(2 * kHalf + 1, 0.0);
    for (int k = -kHalf; k <= kHalf; ++k) {
        if (k % 2 == 0)
            continue;
        const double phase = 2 * std::numbers::pi * (k + kHalf) / (2 * kHalf);
        const double window = 0.42 - 0.5 * std::cos(phase) + 0.08 * std::cos(2 * phase);
        taps[std::size_t(k + kHalf)] = 2 / (std::numbers::pi * k) * window;
    }
    const std::size_t n = x.size();
    std::vector<std::complex<float>> out(n);
    for (std::size_t i = 0; i < n; ++i) {
        double im = 0;
        // out[i] = sum_k taps[k] x[i - k]
        for (int k = -kHalf + 1; k <= kHalf; k += 2) {
            const std::ptrdiff_t j = std::ptrdiff_t(i) - k;
            if (j >= 0 && j < std::ptrdiff_t(n))
                im += taps[std::size_t(k + kHalf)] * x[std::size_t(j)];
        }
        out[i] = {x[i], float(im)};
    }
    return out;
}

void applyFading(std::vector<float>& samples, const FadingCondition& condition, unsigned seed)
{
    if (condition.paths == 0)
        return;
    const std::vector<std::complex<float>> analytic = analyticSignal(samples);
    const double samplesPerGain = kSampleRate / kGainRateHz;
    const std::size_t gainCount = std::size_t(double(samples.size()) / samplesPerGain) + 2;
    const std::size_t delaySamples = std::size_t(std::lround(condition.delayMs * 1e-3 * kSampleRate));
    const double pathScale = 1 / std::sqrt(double(condition.paths));
    std::vector<float> out(samples.size(), 0.0f);
    for (int path = 0; path < condition.paths; ++path) {
        const auto gains = dopplerGains(condition.spreadHz, gainCount, seed * 2654435761u + unsigned(path));
        const std::size_t delay = path == 0 ? 0 : delaySamples;
        for (std::size_t i = delay; i < samples.size(); ++i) {
            const double at = double(i) / samplesPerGain;
            const std::size_t g = std::size_t(at);
            const double frac = at - double(g);
            const std::complex<double> gain = (1 - frac) * gains[g] + frac * gains[g + 1];
            out[i] += float(pathScale * (gain * std::complex<double>(analytic[i - delay])).real());
        }
    }
    samples.swap(out);
}
