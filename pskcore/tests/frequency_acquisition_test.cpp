#include "dsp/receiver/FrequencyAcquisition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

using pskcore::FrequencyAcquisition;

namespace {

constexpr double kRateHz = FrequencyAcquisition::kRateHz;
constexpr double kToneHz = 15.625;  // an idle signal's tones lie this far either side of its carrier
constexpr int kSymbolSamples = 32; // 31.25 Bd at 1 kHz
constexpr double kReachHz = 17;    // a click's reach either side

using Baseband = std::function<std::complex<double>(int n)>;

// An idle signal (reversals): its two tones either side of the carrier.
Baseband idle(double carrierHz, double amplitude)
{
    return [=](int n) {
        const double t = n / kRateHz;
        return amplitude * std::cos(2 * std::numbers::pi * kToneHz * t)
               * std::polar(1.0, 2 * std::numbers::pi * carrierHz * t);
    };
}

// A BPSK signal sending random data: its square holds a line at twice the carrier, and no steady tone.
Baseband data(double carrierHz, unsigned seed)
{
    auto bits = std::make_shared<std::vector<double>>();
    std::mt19937 random(seed);
    for (int i = 0; i < 200; ++i)
        bits->push_back(random() & 1 ? 1.0 : -1.0);
    return [=](int n) {
        const int symbol = n / kSymbolSamples;
        const double within = double(n % kSymbolSamples) / kSymbolSamples;
        // Cosine shaping between the symbols, as on the air.
        const double from = (*bits)[std::size_t(symbol)], to = (*bits)[std::size_t(symbol + 1)];
        const double amplitude = from + (to - from) * (1 - std::cos(std::numbers::pi * within)) / 2;
        return amplitude * std::polar(1.0, 2 * std::numbers::pi * carrierHz * n / kRateHz);
    };
}

// A second of the signals, with a little noise so that the spectrum has a floor.
void fill(FrequencyAcquisition& acquisition, const std::vector<Baseband>& signals)
{
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 0.02);
    for (int n = 0; n < FrequencyAcquisition::kSize; ++n) {
        std::complex<double> y(noise(random), noise(random));
        for (const auto& signal : signals)
            y += signal(n);
        acquisition.push(std::complex<float>(y));
    }
}

} // namespace

// Two idle signals side by side put a line of their cross product halfway between them in the square, stronger
// than the weaker one's own: a click beside the stronger must find it, not the point between the two.
TEST(FrequencyAcquisition, PassesOverTheCrossProductOfTwoIdleSignals)
{
    FrequencyAcquisition acquisition;
    fill(acquisition, {idle(-15, 1.0), idle(35, 0.7)});
    const auto found = acquisition.estimate(-kReachHz, kReachHz, false);
    ASSERT_TRUE(found.has_value());
    EXPECT_NEAR(*found, -15, 0.3);
}

// After the oscillator jumps, the buffer turned to the new frequency still shows the carrier, where it now is:
// no second is lost waiting for a fresh one.
TEST(FrequencyAcquisition, AJumpKeepsWhatTheBufferHolds)
{
    FrequencyAcquisition acquisition;
    fill(acquisition, {data(7, 3)});
    const auto before = acquisition.estimate(-kReachHz, kReachHz, false);
    ASSERT_TRUE(before.has_value());
    EXPECT_NEAR(*before, 7, 0.3);
    acquisition.shift(*before);
    const auto after = acquisition.estimate(-kReachHz, kReachHz, false);
    ASSERT_TRUE(after.has_value());
    EXPECT_NEAR(*after, 0, 0.3);
}
