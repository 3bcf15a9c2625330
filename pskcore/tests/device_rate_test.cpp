// Devices that run at their own rate: the engine's audio converted to and from 8000 Hz. A round trip through
// both converters at each common rate keeps the text exact; the file stand-ins at 48000 Hz read and write
// what a 48 kHz sound card would, and the text comes through exactly.

#include "ModemFixtures.h"
#include "engine_fakes.h"
#include "runtime/AudioFileReader.h"
#include "runtime/DeviceRate.h"
#include "runtime/WavFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace pskcore;
using namespace pskcore::fixtures;

namespace {

const std::string kText = "cq cq de f5abc f5abc pse k";
constexpr double kCarrierHz = 1000;
constexpr std::size_t kDeviceBlock = 480; // 10 ms at 48 kHz: not a multiple of the engine's blocks

// The 8000 Hz samples of a file, read as the engine's file stand-in reads it.
std::vector<float> readAt8kHz(const std::string& path)
{
    AudioFileReader reader;
    std::string error;
    EXPECT_TRUE(reader.open(path, error)) << error;
    std::vector<float> samples;
    while (reader.read(samples)) {
    }
    return samples;
}

std::string tempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("korvo-rate-" + std::to_string(::getpid()) + "-" + name)).string();
}

} // namespace

class DeviceRates : public ::testing::TestWithParam<int> {};

TEST_P(DeviceRates, PlaybackAndCaptureConversionsKeepTheTextExact)
{
    const int rateHz = GetParam();
    const std::vector<float> sent = transmit(kText, PskMode::Bpsk, kCarrierHz).samples;
    // The engine's 8000 Hz audio played at the device's rate, in the device's blocks...
    std::size_t next = 0;
    OutputRateConverter playback(rateHz, [&](float* out, std::size_t count) {
        const std::size_t n = std::min(count, sent.size() - next);
        std::copy_n(sent.begin() + std::ptrdiff_t(next), n, out);
        std::fill(out + n, out + count, 0.0f);
        next += n;
        return n;
    });
    std::vector<float> atDevice;
    std::vector<float> block(kDeviceBlock);
    std::size_t audio = kDeviceBlock;
    while (audio == kDeviceBlock) {
        audio = playback.fill(block.data(), block.size());
        atDevice.insert(atDevice.end(), block.begin(), block.begin() + std::ptrdiff_t(audio));
    }
    // As long as at 8000 Hz, give or take the last engine block (its silence goes through the filter) and
    // the last device block.
    const double expectedLength = double(sent.size()) * rateHz / 8000;
    const double engineBlockAtDevice = double(kSamplesPerSymbol) * rateHz / 8000;
    EXPECT_NEAR(double(atDevice.size()), expectedLength, engineBlockAtDevice + kDeviceBlock);
    // ... and captured at that rate back to 8000 Hz.
    std::vector<float> received;
    InputRateConverter capture(rateHz, [&](const float* s, std::size_t n) { received.insert(received.end(), s, s + n); });
    for (std::size_t pos = 0; pos < atDevice.size(); pos += kDeviceBlock)
        capture.deliver(atDevice.data() + pos, std::min(kDeviceBlock, atDevice.size() - pos));
    EXPECT_EQ(decode(received, PskMode::Bpsk, kCarrierHz), kText) << rateHz << " Hz";
}

INSTANTIATE_TEST_SUITE_P(Rates, DeviceRates, ::testing::Values(8000, 11025, 44100, 48000, 96000),
                         [](const auto& info) { return std::to_string(info.param) + "Hz"; });

TEST(FileStandIns, ARecordingAt48kHzDecodesAsAt8kHz)
{
    const std::vector<float> at8k = transmit(kText, PskMode::Bpsk, kCarrierHz).samples;
    std::vector<float> at48k;
    Resampler up(48000.0 / 8000);
    up.process(at8k, at48k);
    const std::string path = tempPath("in48.wav");
    {
        WavWriter writer;
        ASSERT_TRUE(writer.open(path, 48000));
        writer.write(at48k);
    }
    const std::vector<float> read = readAt8kHz(path);
    std::filesystem::remove(path);
    EXPECT_EQ(decode(read, PskMode::Bpsk, kCarrierHz), decode(at8k, PskMode::Bpsk, kCarrierHz));
    EXPECT_EQ(decode(read, PskMode::Bpsk, kCarrierHz), kText);
}

TEST(FileStandIns, ATransmissionWrittenAt48kHzDecodesBackExactly)
{
    using namespace enginetest;
    const std::string path = tempPath("out48.wav");
    auto input = std::make_shared<FakeInput>();
    MessageLog messages;
    pskcore::setAudioSeam(input, nullptr);
    pskSetOutputFile(path);
    pskSetOutputFileRate(48000);
    fnSetTXFrequency(int(kCarrierHz));
    ASSERT_EQ(fnStartSoundCard(messages.sink(), -1, 2), 0);
    fnStartTX(0);
    for (char c : kText)
        fnSendTXCharacter(static_cast<uint8_t>(c), 0);
    fnSendTXCharacter(1, 1);
    const bool ended = messages.waitFor([&] {
        for (const Message& m : messages.of(pskmsg::TxStatus))
            if (m.wParam == psktx::Ended)
                return true;
        return false;
    });
    fnStopSoundCard();
    pskSetOutputFile("");
    pskSetOutputFileRate(8000);
    pskcore::setAudioSeam(nullptr, nullptr);
    ASSERT_TRUE(ended);
    const std::vector<float> read = readAt8kHz(path);
    std::filesystem::remove(path);
    EXPECT_EQ(decode(read, PskMode::Bpsk, kCarrierHz), kText);
}
