// Reception through the engine functions: a modulated signal fed to a pretend capture device comes out as
// character messages of the right channel, data messages never pile up, replay decodes again.

#include "engine_fakes.h"

#include "pskcore/dsp/Modulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using namespace enginetest;

namespace {

std::vector<float> signalOf(const std::string& text, double freqHz)
{
    pskcore::Modulator modulator;
    modulator.setFrequency(freqHz);
    modulator.setLevelDb(-12);
    for (char c : text)
        modulator.queueChar(static_cast<uint8_t>(c));
    modulator.requestReturnToReceive();
    modulator.startText();
    std::vector<float> audio;
    std::vector<float> block(1024);
    std::size_t made;
    do {
        made = modulator.render(block);
        audio.insert(audio.end(), block.begin(), block.begin() + std::ptrdiff_t(made));
    } while (made == block.size());
    std::mt19937 random(7);
    std::normal_distribution<float> noise(0.0f, 0.01f);
    for (float& s : audio)
        s += noise(random);
    audio.resize(audio.size() + 8000, 0.0f); // the decoder's delay flushes on a little silence
    return audio;
}

class EngineReceive : public ::testing::Test {
protected:
    void SetUp() override
    {
        pskcore::setAudioSeam(input, output);
        fnSetRXFrequency(1000, 10, 0);
        fnSetRXFrequency(1700, 10, 1);
        fnSetRXPSKMode(0, 0);
        fnSetRXPSKMode(0, 1);
        fnSetSquelchThreshold(0, 1, 0);
        fnSetSquelchThreshold(0, 1, 1);
        ASSERT_EQ(fnStartSoundCard(messages.sink(), -1, 2), 0);
    }
    void TearDown() override
    {
        fnStopSoundCard();
        pskcore::setAudioSeam(nullptr, nullptr);
    }
    // Feeds a block at a time, each once the engine has taken the one before (its data message came and
    // was fetched), as a sound card would at its own pace.
    // step: samples per push, at least a block after the engine's clock correction.
    void feed(std::vector<float> audio, std::size_t step = 1024)
    {
        audio.resize((audio.size() + step - 1) / step * step, 0.0f);
        for (std::size_t pos = 0; pos < audio.size(); pos += step) {
            const std::size_t before = messages.of(pskmsg::NewData).size();
            input->push(std::vector<float>(audio.begin() + std::ptrdiff_t(pos), audio.begin() + std::ptrdiff_t(pos + step)));
            ASSERT_TRUE(messages.waitFor([&] { return messages.of(pskmsg::NewData).size() > before; }));
            fnGetSignalLevel(0);
        }
    }
    bool decoded(int channel, const std::string& text)
    {
        return messages.waitFor([&] { return messages.text(channel).find(text) != std::string::npos; });
    }

    MachineLog machine;
    std::shared_ptr<FakeInput> input = std::make_shared<FakeInput>();
    std::shared_ptr<FakeOutput> output = std::make_shared<FakeOutput>(machine);
    MessageLog messages;
};

TEST_F(EngineReceive, DecodesTheTunedChannelAndShowsTheCarrierInTheSpectrum)
{
    feed(signalOf("hello world from the engine", 1000));
    ASSERT_TRUE(decoded(0, "hello world from the engine")) << messages.text(0);
    EXPECT_EQ(messages.text(1).find("hello"), std::string::npos);

    std::vector<float> carrier(4096);
    for (std::size_t n = 0; n < carrier.size(); ++n)
        carrier[n] = 0.25f * float(std::sin(2 * 3.141592653589793 * 1000.0 * double(n) / 8000.0));
    feed(carrier);
    std::vector<int32_t> fft(1024, -1);
    fnGetFFTData(fft.data(), 200, 300);
    EXPECT_EQ(fft[199], -1) << "only the asked bins are written";
    const auto peak = std::max_element(fft.begin() + 200, fft.begin() + 301) - fft.begin();
    EXPECT_NEAR(double(peak), 1000.0 * 2048 / 8000, 6);
}

TEST_F(EngineReceive, AtMostOneDataMessageWaitsForItsFetch)
{
    // Eight blocks, none fetched: the noise report that comes with the eighth shows the worker is past them.
    input->push(std::vector<float>(8 * 1024, 0.0f));
    ASSERT_TRUE(messages.waitFor([&] { return !messages.of(pskmsg::ImdOrNoise).empty(); }));
    EXPECT_EQ(messages.of(pskmsg::NewData).size(), 1u);

    int32_t bin[1];
    fnGetFFTData(bin, 0, 0);
    input->push(std::vector<float>(2 * 1024, 0.0f));
    EXPECT_TRUE(messages.waitFor([&] { return messages.of(pskmsg::NewData).size() == 2; }));
}

TEST_F(EngineReceive, ReplayDecodesTheLastBlocksAgain)
{
    const auto audio = signalOf("replay me", 1000);
    feed(audio);
    ASSERT_TRUE(decoded(0, "replay me"));
    messages.clear();
    fnRewindInput(int(audio.size() / 2048) + 2);
    EXPECT_TRUE(decoded(0, "replay me")) << messages.text(0);
}

TEST_F(EngineReceive, TheReceiverIsDeafWhileTransmittingAndHearsAgainAfter)
{
    fnStartTX(3);
    output->pump(256);
    feed(signalOf("not heard", 1000));
    fnAbortTX();
    ASSERT_TRUE(messages.waitFor([&] { return !messages.of(pskmsg::TxStatus).empty(); }));
    feed(signalOf("heard again", 1000));
    ASSERT_TRUE(decoded(0, "heard again"));
    EXPECT_EQ(messages.text(0).find("not heard"), std::string::npos);
}

// A card whose clock runs 1 % fast hears a 1000 Hz tone at 990.1 Hz; corrected, the spectrum shows it at 1000.
TEST_F(EngineReceive, ClockCorrectionAppliesToTheInput)
{
    auto peakHz = [&] {
        std::vector<float> tone(8192);
        for (std::size_t n = 0; n < tone.size(); ++n)
            tone[n] = 0.25f * float(std::sin(2 * 3.141592653589793 * (1000.0 / 1.01) * double(n) / 8000.0));
        feed(tone, 1100); // 1 % fewer samples once corrected: still a block or more per push
        std::vector<int32_t> fft(1024);
        fnGetFFTData(fft.data(), 0, 1023);
        const auto peak = std::size_t(std::max_element(fft.begin() + 200, fft.begin() + 300) - fft.begin());
        // Centroid of the peak and its neighbours, in Hz.
        double sum = 0, weighted = 0;
        for (std::size_t k = peak - 1; k <= peak + 1; ++k) {
            const double w = std::pow(10.0, fft[k] / 20.0);
            sum += w;
            weighted += w * double(k);
        }
        return weighted / sum * 8000.0 / 2048.0;
    };
    EXPECT_NEAR(peakHz(), 990.1, 2.0);
    fnSetClockErrorAdjustment(10000);
    EXPECT_NEAR(peakHz(), 1000.0, 2.0);
    fnSetClockErrorAdjustment(0);
}

// The browser lists a signal the channels are not tuned to, with its text, only while it is on.
TEST_F(EngineReceive, TheBrowserListsEverySignalWhileOn)
{
    const auto audio = signalOf("browsed at 2200 hertz", 2200);
    feed(audio);
    EXPECT_TRUE(pskGetBrowserSignals().empty()) << "off by default";

    pskSetBrowser(true);
    feed(audio);
    const auto list = pskGetBrowserSignals();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_NEAR(list[0].freqHz, 2200, 3);
    EXPECT_EQ(list[0].mode, 0);
    EXPECT_NE(list[0].text.find("browsed at 2200 hertz"), std::string::npos) << "[" << list[0].text << "]";

    pskSetBrowser(false);
    EXPECT_TRUE(pskGetBrowserSignals().empty());
}

} // namespace
