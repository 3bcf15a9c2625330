#include "ModemFixtures.h"
#include "pskcore/dsp/Modulator.h"
#include "pskcore/dsp/Varicode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

using namespace pskcore;

namespace {

constexpr std::size_t kPreambleSymbols = 32;
constexpr std::size_t kFlushSymbols = 32;
constexpr std::size_t kTailSymbols = 32;

std::vector<float> renderAll(Modulator& tx, std::size_t limit = std::size_t(kSampleRate) * 600)
{
    std::vector<float> out;
    std::vector<float> block(500);
    while (!tx.finished() && out.size() < limit) {
        const std::size_t n = tx.render(block);
        out.insert(out.end(), block.begin(), block.begin() + std::ptrdiff_t(n));
    }
    return out;
}

// Power of x around hz (one DFT bin over the whole span, Hann window).
double toneDb(const std::vector<float>& x, std::size_t from, std::size_t count, double hz)
{
    std::complex<double> acc;
    for (std::size_t i = 0; i < count; ++i) {
        const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * (i + 0.5) / count);
        acc += x[from + i] * w * std::polar(1.0, -2 * std::numbers::pi * hz * double(i) / kSampleRate);
    }
    return 10 * std::log10(std::norm(acc) + 1e-30);
}

} // namespace

TEST(Modulator, IdleSpectrumIsCleanHundredHertzOff)
{
    Modulator tx;
    tx.setFrequency(1500);
    tx.startText();
    std::vector<float> x(std::size_t(kSampleRate) * 8);
    tx.render(x);
    const std::size_t from = kSampleRate * 2, count = kSampleRate * 4;
    const double tone = toneDb(x, from, count, 1500 + 15.625);
    EXPECT_NEAR(toneDb(x, from, count, 1500 - 15.625), tone, 0.5); // two equal tones
    EXPECT_LT(toneDb(x, from, count, 1500), tone - 40);             // nothing at the carrier
    for (double off = 95; off <= 105; off += 2.5) {
        EXPECT_LT(toneDb(x, from, count, 1500 + off), tone - 40) << off;
        EXPECT_LT(toneDb(x, from, count, 1500 - off), tone - 40) << off;
    }
}

TEST(Modulator, LevelIsThePeakInDbfs)
{
    Modulator tx;
    tx.setLevelDb(-6);
    tx.startTune();
    std::vector<float> x(kSampleRate);
    tx.render(x);
    float peak = 0;
    for (std::size_t i = kSamplesPerSymbol; i < x.size(); ++i)
        peak = std::max(peak, std::fabs(x[i]));
    EXPECT_NEAR(peak, std::pow(10.0, -6 / 20.0), 0.005);
}

TEST(Modulator, TuneCarrierIsAtTheSubHertzFrequency)
{
    Modulator tx;
    tx.setFrequency(1234.56);
    tx.startTune();
    std::vector<float> x(std::size_t(kSampleRate) * 10);
    tx.render(x);
    // The tone's power peaks at 1234.56 Hz, not 0.1 Hz either side.
    const std::size_t from = kSampleRate, count = kSampleRate * 8;
    const double at = toneDb(x, from, count, 1234.56);
    EXPECT_GT(at, toneDb(x, from, count, 1234.46) + 0.5);
    EXPECT_GT(at, toneDb(x, from, count, 1234.66) + 0.5);
    tx.stop();
    EXPECT_LE(renderAll(tx).size(), std::size_t(2 * kSamplesPerSymbol)); // the symbol under way, then a fade
    EXPECT_TRUE(tx.finished());
}

TEST(Modulator, SentCharactersAreReportedInOrder)
{
    Modulator tx;
    tx.startText();
    for (char c : std::string("cq de f5abc"))
        tx.queueChar(uint8_t(c));
    EXPECT_EQ(tx.charsRemaining(), 11);
    tx.stop();
    std::vector<uint8_t> sent;
    std::vector<float> block(512);
    while (!tx.finished()) {
        tx.render(block);
        for (uint8_t c : tx.takeSentChars())
            sent.push_back(c);
    }
    EXPECT_EQ(std::string(sent.begin(), sent.end()), "cq de f5abc");
    EXPECT_EQ(tx.charsRemaining(), 0);
}

TEST(Modulator, TransmissionIsPreambleTextTail)
{
    Modulator tx;
    tx.startText();
    tx.queueChar('e'); // "11" then "00"
    tx.stop();
    const std::vector<float> x = renderAll(tx);
    // Ramp-up symbol, preamble, 4 symbols of 'e' and separator, flush of idle reversals, tail, fade-out symbol.
    EXPECT_EQ(x.size(), std::size_t(kSamplesPerSymbol) * (1 + kPreambleSymbols + 4 + kFlushSymbols + kTailSymbols + 1));
    std::vector<float> more(10);
    EXPECT_EQ(tx.render(more), 0u);
}

class ModulatorEnd : public ::testing::TestWithParam<PskMode> {};

// After the last character a receiver gets as many idle symbols as if the transmitter went on idling, so
// that its decoder (QPSK's Viterbi decoder above all) delivers that character before the carrier.
TEST_P(ModulatorEnd, TextIsFollowedByIdleBeforeTheCarrier)
{
    const std::string text = "de F4ABC 73";
    std::size_t textSymbols = 0;
    for (char c : text)
        textSymbols += varicode::encode(uint8_t(c)).size() + 2;
    auto transmission = [&](bool stop) {
        Modulator tx;
        tx.setMode(GetParam());
        tx.startText();
        for (char c : text)
            tx.queueChar(uint8_t(c));
        if (stop)
            tx.stop();
        return tx;
    };
    Modulator ending = transmission(true);
    const std::vector<float> ended = renderAll(ending);
    Modulator idling = transmission(false);
    std::vector<float> idle(ended.size());
    idling.render(idle);

    const std::size_t sameSymbols = 1 + kPreambleSymbols + textSymbols + kFlushSymbols;
    ASSERT_EQ(ended.size(), (sameSymbols + kTailSymbols + 1) * std::size_t(kSamplesPerSymbol));
    const std::size_t same = sameSymbols * kSamplesPerSymbol;
    for (std::size_t i = 0; i < same; ++i)
        ASSERT_EQ(ended[i], idle[i]) << "sample " << i;
    const std::size_t next = same + kSamplesPerSymbol;
    EXPECT_FALSE(std::equal(ended.begin() + std::ptrdiff_t(same), ended.begin() + std::ptrdiff_t(next),
                            idle.begin() + std::ptrdiff_t(same)))
        << "the tail of steady carrier follows the idle symbols";

    // And our own receiver, given only the transmission, delivers the whole text.
    std::vector<float> received = ended;
    received.insert(received.begin(), kSampleRate / 4, 0.0f);
    const std::string decoded = fixtures::decode(received, GetParam(), 1000);
    ASSERT_GE(decoded.size(), text.size()) << decoded;
    EXPECT_EQ(decoded.substr(decoded.size() - text.size()), text) << decoded;
}

INSTANTIATE_TEST_SUITE_P(Modes, ModulatorEnd,
                         ::testing::Values(PskMode::Bpsk, PskMode::QpskUsb, PskMode::QpskLsb));

TEST(Modulator, AbortEndsAtOnceAndKeepsTheQueue)
{
    Modulator tx;
    tx.startText();
    for (int i = 0; i < 20; ++i)
        tx.queueChar('x');
    std::vector<float> x(kSampleRate);
    tx.render(x);
    tx.abort();
    EXPECT_TRUE(tx.finished());
    EXPECT_EQ(tx.render(x), 0u);
    EXPECT_GT(tx.charsRemaining(), 0);
    tx.clearQueue();
    EXPECT_EQ(tx.charsRemaining(), 0);
}

TEST(Modulator, ReturnToReceiveEndsAfterTheTextBeforeIt)
{
    Modulator tx;
    tx.startText();
    tx.queueChar('a');
    tx.requestReturnToReceive();
    tx.queueChar('b');
    const std::vector<float> x = renderAll(tx);
    EXPECT_TRUE(tx.finished());
    const std::vector<uint8_t> sent = tx.takeSentChars();
    EXPECT_EQ(sent, std::vector<uint8_t>{'a'});
    EXPECT_EQ(tx.charsRemaining(), 1);
}

TEST(Modulator, IdlesWithReversalsUntilStopped)
{
    Modulator tx;
    tx.startText();
    std::vector<float> x(std::size_t(kSampleRate) * 5);
    EXPECT_EQ(tx.render(x), x.size());
    EXPECT_FALSE(tx.finished());
}

class CwIdSpeed : public ::testing::TestWithParam<int> {};

// The identification "E": after the PSK part, the held carrier fades, three units of silence, one dot.
// The dot lasts 1.2 / (37.5 / n) s = n symbols.
TEST_P(CwIdSpeed, DotLastsNSymbols)
{
    const int n = GetParam();
    Modulator tx;
    tx.setCwIdText("E");
    tx.setCwIdSpeed(n);
    tx.startText();
    tx.requestCwId();
    tx.stop();
    const std::vector<float> x = renderAll(tx);
    ASSERT_TRUE(tx.finished());
    // Envelope: peak per 8-sample slice; the last keyed stretch is the dot.
    std::size_t end = x.size();
    while (end > 0 && std::fabs(x[end - 1]) < 0.05f)
        --end;
    std::size_t start = end;
    while (start > 8) {
        float peak = 0;
        for (std::size_t i = start - 8; i < start; ++i)
            peak = std::max(peak, std::fabs(x[i]));
        if (peak < 0.05f)
            break;
        start -= 8;
    }
    const double dotSamples = double(end - start);
    EXPECT_NEAR(dotSamples, n * kSamplesPerSymbol, 48) << "n " << n;
}

INSTANTIATE_TEST_SUITE_P(Speeds, CwIdSpeed, ::testing::Values(1, 2, 3, 4));

TEST(Modulator, CwIdEdgesAreShaped)
{
    Modulator tx;
    tx.setCwIdText("T");
    tx.startText();
    tx.requestCwId();
    tx.stop();
    const std::vector<float> x = renderAll(tx);
    // No sample-to-sample jump larger than a carrier at full level can make (no click).
    const double amplitude = std::pow(10.0, -6 / 20.0);
    const double maxStep = amplitude * 2 * std::sin(std::numbers::pi * 1000.0 / kSampleRate) * 1.2;
    for (std::size_t i = 1; i < x.size(); ++i)
        ASSERT_LT(std::fabs(x[i] - x[i - 1]), maxStep) << i;
}

TEST(Modulator, FrequencyChangeMidTransmissionIsPhaseContinuous)
{
    Modulator tx;
    tx.setFrequency(1000);
    tx.startTune();
    std::vector<float> a(kSampleRate), b(kSampleRate);
    tx.render(a);
    tx.setFrequency(1000.7);
    tx.render(b);
    const double amplitude = std::pow(10.0, -6 / 20.0);
    const double maxStep = amplitude * 2 * std::sin(std::numbers::pi * 1000.7 / kSampleRate) * 1.01;
    EXPECT_LT(std::fabs(b[0] - a.back()), maxStep);
    EXPECT_DOUBLE_EQ(tx.frequencyHz(), 1000.7);
}
