#include "dsp/receiver/Squelch.h"

#include <gtest/gtest.h>

#include <string>

using pskcore::receiver::Squelch;

namespace {

// Per-symbol readings: closeness alternating +-kNoiseCloseness averages 0 like noise; a code fit of kNoiseFit
// is what noise alone reads, kSignalFit a fair signal's.
constexpr double kNoiseCloseness = 0.7;
constexpr double kNoiseFit = 0.77, kSignalFit = 0.9;
// Noise now and then keeps the 8 s code fit over 2 spreads clear of its mean (short of the 32 s average's reach).
constexpr double kPromisingNoiseFit = 0.79;
constexpr int kNoiseSymbols = 400;    // beyond the code fit's 256-symbol average
constexpr int kExcursionSymbols = 24; // clean closeness: the quick reading reaches level 10 after 13
// 2 s: too short for the signal's fit over 256 symbols to open the squelch by itself.
constexpr int kAfterSymbols = 60;

void step(Squelch& squelch, double closeness, double fit)
{
    squelch.update(closeness, 1.0);
    squelch.updateCodeFit(fit, 1.0);
}

struct Excursion {
    const char* name;
    double fitBefore;
    double fitFromExcursion; // the code fit from the excursion on
    bool signal;
};

class QpskSquelchExcursion : public ::testing::TestWithParam<Excursion> {};

// A QPSK opening keeps the squelch open through a dip of the closeness (a fade, or a carrier loop still
// settling) only when the code fit says a signal is there: a stretch of noise that reaches the threshold
// closes again at once, and is reported as a false opening so that nothing it let through prints.
TEST_P(QpskSquelchExcursion, HoldsOnlyWhatTheCodeConfirms)
{
    const Excursion e = GetParam();
    Squelch squelch;
    squelch.configure(10, 1);
    squelch.setSlowHold(true);
    for (int i = 0; i < kNoiseSymbols; ++i)
        step(squelch, i % 2 ? kNoiseCloseness : -kNoiseCloseness, e.fitBefore);
    ASSERT_FALSE(squelch.open());
    int openSymbols = 0, falseOpening = 0;
    const auto count = [&] {
        openSymbols += squelch.open();
        falseOpening += squelch.falseOpeningSymbols();
    };
    for (int i = 0; i < kExcursionSymbols; ++i) {
        step(squelch, 1.0, e.fitFromExcursion);
        count();
    }
    ASSERT_TRUE(squelch.open()) << "level " << squelch.level();
    for (int i = 0; i < kAfterSymbols; ++i) {
        step(squelch, i % 2 ? kNoiseCloseness : -kNoiseCloseness, e.fitFromExcursion);
        count();
    }
    if (e.signal) {
        EXPECT_TRUE(squelch.open()); // held
        EXPECT_EQ(falseOpening, 0);
    } else {
        EXPECT_LT(openSymbols, 40); // about a second
        EXPECT_FALSE(squelch.open());
        EXPECT_EQ(falseOpening, openSymbols); // every symbol it was open
    }
}

INSTANTIATE_TEST_SUITE_P(NoiseAndSignal, QpskSquelchExcursion,
                         ::testing::Values(Excursion{"Noise", kNoiseFit, kNoiseFit, false},
                                           Excursion{"NoiseWithAPromisingFit", kPromisingNoiseFit,
                                                     kPromisingNoiseFit, false},
                                           Excursion{"SignalInAFade", kNoiseFit, kSignalFit, true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
