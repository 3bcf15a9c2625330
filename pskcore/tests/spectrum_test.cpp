#include "pskcore/dsp/Spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

using namespace pskcore;

namespace {

std::vector<float> sine(double hz, double amplitude, std::size_t count)
{
    std::vector<float> x(count);
    for (std::size_t i = 0; i < count; ++i)
        x[i] = float(amplitude * std::sin(2 * std::numbers::pi * hz * double(i) / kSampleRate));
    return x;
}

} // namespace

TEST(Spectrum, ToneShowsInItsBinScaledToFullScale)
{
    Spectrum spectrum;
    const int bin = 256; // 1000 Hz
    spectrum.process(sine(bin * double(kSampleRate) / kFftSize, 0.5, kFftSize * 2));
    std::vector<int32_t> out(1024, -1);
    EXPECT_FALSE(spectrum.fill(out.data(), 200, 300, 100));
    EXPECT_EQ(out[199], -1); // only the requested bins are written
    EXPECT_EQ(out[301], -1);
    EXPECT_EQ(*std::max_element(out.begin() + 200, out.begin() + 301), out[bin]);
    EXPECT_NEAR(out[bin], 94, 1);   // -6 dBFS on a 100 dB scale
    EXPECT_LT(out[bin + 20], 20);
}

TEST(Spectrum, BinRangeIsClamped)
{
    Spectrum spectrum;
    spectrum.process(std::vector<float>(kFftSize, 0.0f));
    std::vector<int32_t> out(1024, -1);
    spectrum.fill(out.data(), -50, 5000, 100);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1023], 0);
}

TEST(Spectrum, SaturationIsFlagged)
{
    Spectrum spectrum;
    spectrum.process(sine(1000, 1.0, kFftSize));
    EXPECT_TRUE(spectrum.saturated());
    spectrum.process(sine(1000, 0.5, kFftSize));
    EXPECT_FALSE(spectrum.saturated());
}

TEST(Spectrum, RawSamplesAreTheLatestInput)
{
    Spectrum spectrum;
    std::vector<float> ramp(3000);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = float(i) / 4000.0f;
    spectrum.process(ramp);
    const auto raw = spectrum.rawSamples();
    EXPECT_EQ(raw[1023], std::lround(2999 / 4000.0 * 32767));
    EXPECT_EQ(raw[0], std::lround(1976 / 4000.0 * 32767));
}
