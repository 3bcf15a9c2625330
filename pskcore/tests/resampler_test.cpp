#include "pskcore/dsp/Resampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

using namespace pskcore;

namespace {

struct RatioCase {
    double ratio;
    double toneHz; // at the input rate 8000 Hz
};

class Ratio : public ::testing::TestWithParam<RatioCase> {};

} // namespace

// A tone resampled by r is the same tone at the output rate 8000 r, in pieces of any size.
TEST_P(Ratio, ToneSurvives)
{
    const auto [ratio, hz] = GetParam();
    const std::size_t count = 40000;
    std::vector<float> in(count);
    for (std::size_t i = 0; i < count; ++i)
        in[i] = float(0.5 * std::sin(2 * std::numbers::pi * hz * double(i) / 8000));
    Resampler resampler(ratio);
    std::vector<float> out;
    for (std::size_t pos = 0; pos < count; pos += 999)
        resampler.process(std::span<const float>(in).subspan(pos, std::min<std::size_t>(999, count - pos)), out);
    EXPECT_NEAR(double(out.size()), count * ratio, 200 * std::max(1.0, ratio));
    double worst = 0;
    for (std::size_t n = 400; n + 400 < out.size(); ++n) {
        const double expected = 0.5 * std::sin(2 * std::numbers::pi * hz * double(n) / (8000 * ratio));
        worst = std::max(worst, std::fabs(out[n] - expected));
    }
    EXPECT_LT(worst, 0.01);
}

INSTANTIATE_TEST_SUITE_P(Ratios, Ratio,
                         ::testing::Values(RatioCase{1.0, 1000}, RatioCase{1.0003, 1500}, RatioCase{0.9997, 1500},
                                           RatioCase{1.01, 700}, RatioCase{0.5, 900}, RatioCase{6.0, 2500}));

TEST(Resampler, PpmCorrectsAFastClock)
{
    Resampler resampler;
    resampler.setPpm(1000); // the card's clock runs 1000 ppm fast: fewer true samples
    EXPECT_NEAR(resampler.ratio(), 1 / 1.001, 1e-12);
    resampler.setPpm(50000); // clamped to 10000
    EXPECT_NEAR(resampler.ratio(), 1 / 1.01, 1e-12);
}
