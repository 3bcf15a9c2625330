// Non-finite input samples (a failing driver, a corrupt float file) are silence: the receiver, the spectrum
// and the resampler go on as if the burst had been silence.
#include "ModemFixtures.h"
#include "pskcore/dsp/Resampler.h"
#include "pskcore/dsp/Spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace pskcore;

namespace {

constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct Burst {
    const char* name;
    float value;
};

const Burst kBursts[] = {{"NaN", kNan}, {"PlusInf", kInf}, {"MinusInf", -kInf}, {"Huge", 3e38f}};

// A burst of value (with its opposite and a NaN beside it) in the middle of the silence between two texts.
std::vector<float> twoTextsWithBurst(PskMode mode, float value)
{
    auto samples = fixtures::transmit("first text", mode, 1000).samples;
    const std::size_t gapMiddle = samples.size() - kSampleRate / 2;
    for (std::size_t i = 0; i < 64; ++i)
        samples[gapMiddle + i] = i % 3 == 0 ? value : i % 3 == 1 ? -value : kNan;
    const auto second = fixtures::transmit("second text", mode, 1000).samples;
    samples.insert(samples.end(), second.begin(), second.end());
    return samples;
}

class NonFiniteBurst : public ::testing::TestWithParam<std::tuple<PskMode, Burst>> {};

} // namespace

TEST_P(NonFiniteBurst, ReceiverDecodesTheTextAfterIt)
{
    const auto [mode, burst] = GetParam();
    auto samples = twoTextsWithBurst(mode, burst.value);
    samples.insert(samples.end(), 2 * kSampleRate, 0.0f); // the QPSK decoder's delay
    ChannelDemodulator rx;
    rx.setMode(mode);
    rx.setFrequency(1000, 10);
    rx.setAfcLimit(10);
    rx.setSquelch(10, 1);
    EXPECT_EQ(fixtures::feed(rx, samples), "first textsecond text");
    EXPECT_TRUE(std::isfinite(rx.frequencyHz()));
    EXPECT_NEAR(rx.frequencyHz(), 1000, 2);
}

INSTANTIATE_TEST_SUITE_P(Bursts, NonFiniteBurst,
                         ::testing::Combine(::testing::Values(PskMode::Bpsk, PskMode::QpskUsb),
                                            ::testing::ValuesIn(kBursts)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) == PskMode::Bpsk ? "Bpsk" : "Qpsk") +
                                    std::get<1>(info.param).name;
                         });

TEST(NonFiniteInput, SpectrumStaysInRangeAndRecovers)
{
    for (const Burst& burst : kBursts) {
        SCOPED_TRACE(burst.name);
        Spectrum spectrum;
        std::vector<float> samples(kFftSize, 0.0f);
        samples[100] = burst.value;
        samples[101] = kNan;
        spectrum.process(samples);
        std::vector<int32_t> bins(kFftSize / 2, -1);
        spectrum.fill(bins.data(), 0, kFftSize / 2 - 1, 1000);
        for (int32_t v : bins) {
            EXPECT_GE(v, 0);
            EXPECT_LE(v, 1000);
        }
        EXPECT_TRUE(std::isfinite(spectrum.noiseFloorDb()));
        for (int32_t raw : spectrum.rawSamples())
            EXPECT_LE(std::abs(raw), 32767);
        // Two hops of silence later the burst has left the window.
        spectrum.process(std::vector<float>(kFftSize, 0.0f));
        spectrum.fill(bins.data(), 0, kFftSize / 2 - 1, 1000);
        EXPECT_EQ(*std::max_element(bins.begin(), bins.end()), 0);
    }
}

TEST(NonFiniteInput, ResamplerOutputStaysFinite)
{
    for (const Burst& burst : kBursts) {
        SCOPED_TRACE(burst.name);
        Resampler resampler(48000.0 / 8000.0);
        std::vector<float> in(1000, 0.25f), out;
        in[500] = burst.value;
        resampler.process(in, out);
        for (float x : out)
            ASSERT_TRUE(std::isfinite(x));
    }
}
