// Starting and stopping the engine: every refusal leaves nothing running, and a hundred starts and stops
// in a row leave no thread or memory behind (the suite also runs under AddressSanitizer).

#include "engine_fakes.h"

#include "../src/runtime/PortAudioIo.h"

#include <gtest/gtest.h>
#include <portaudio.h>

using namespace enginetest;

namespace {

std::vector<float> silence(std::size_t n) { return std::vector<float>(n, 0.0f); }

class EngineStart : public ::testing::Test {
protected:
    void SetUp() override { pskcore::setAudioSeam(input, output); }
    void TearDown() override
    {
        fnStopSoundCard();
        pskcore::setAudioSeam(nullptr, nullptr);
    }

    MachineLog machine;
    std::shared_ptr<FakeInput> input = std::make_shared<FakeInput>();
    std::shared_ptr<FakeOutput> output = std::make_shared<FakeOutput>(machine);
    MessageLog messages;
};

struct StartFailure {
    const char* what;
    int inputError;
    int outputError;
};

class EngineStartFailure : public EngineStart, public ::testing::WithParamInterface<StartFailure> {};

TEST_P(EngineStartFailure, ReturnsTheCodeAndLeavesNothingRunning)
{
    input->startResult = GetParam().inputError;
    output->checkResult = GetParam().outputError;
    const int expected = GetParam().outputError ? GetParam().outputError : GetParam().inputError;

    EXPECT_EQ(fnStartSoundCard(messages.sink(), -1, 2), expected);
    EXPECT_FALSE(input->running());

    // Nothing is left to report: a block of input and a start of transmission reach no one.
    fnStartTX(0);
    EXPECT_FALSE(output->open());
    EXPECT_TRUE(messages.all().empty());

    // The next try starts normally.
    input->startResult = 0;
    output->checkResult = 0;
    ASSERT_EQ(fnStartSoundCard(messages.sink(), -1, 2), 0);
    input->push(silence(2048));
    EXPECT_TRUE(messages.waitFor([&] { return !messages.of(pskmsg::NewData).empty(); }));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, EngineStartFailure,
    ::testing::Values(StartFailure{"no capture device", pskerr::NoDevice, 0},
                      StartFailure{"capture busy", pskerr::DeviceBusy, 0},
                      StartFailure{"capture refuses 8000 Hz mono", pskerr::FormatRefused, 0},
                      StartFailure{"capture fails to start", pskerr::InitFailed, 0},
                      StartFailure{"no playback device", 0, pskerr::NoDevice},
                      StartFailure{"playback refuses the format", 0, pskerr::FormatRefused},
                      StartFailure{"playback busy", 0, pskerr::DeviceBusy}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST_F(EngineStart, RefusesAChannelCountOtherThanOneOrTwo)
{
    EXPECT_EQ(fnStartSoundCard(messages.sink(), -1, 3), pskerr::BadParameter);
    EXPECT_EQ(fnStartSoundCard(messages.sink(), -1, 0), pskerr::BadParameter);
    EXPECT_FALSE(input->running());
}

TEST_F(EngineStart, StartsAndStopsAHundredTimes)
{
    for (int round = 0; round < 100; ++round) {
        ASSERT_EQ(fnStartSoundCard(messages.sink(), -1, 2), 0) << "round " << round;
        input->push(silence(1024 + round));
        fnStopSoundCard();
        ASSERT_FALSE(input->running()) << "round " << round;
    }
    // The messages of a stopped engine stop with it: none arrive once stop has returned.
    const std::size_t count = messages.all().size();
    input->push(silence(4096));
    EXPECT_EQ(messages.all().size(), count);
}

TEST_F(EngineStart, StartsAndStopsOnTheDemonstrationBand)
{
    pskcore::setAudioSeam(nullptr, output);
    pskSetDemoInput(true);
    for (int round = 0; round < 10; ++round) {
        ASSERT_EQ(fnStartSoundCard(messages.sink(), -1, 2), 0);
        fnStopSoundCard();
    }
    pskSetDemoInput(false);
}

TEST_F(EngineStart, AMissingInputFileIsAnInitialisationFailure)
{
    pskcore::setAudioSeam(nullptr, output);
    pskSetInputFile("/nonexistent/recording.wav");
    EXPECT_EQ(fnStartSoundCard(messages.sink(), -1, 2), pskerr::InitFailed);
    pskSetInputFile("");
}

TEST_F(EngineStart, SettingsPrecedeTheFirstStartAndHoldAcrossStopAndStart)
{
    fnSetRXFrequency(1234, 10, 0);
    fnSetRXFrequency(2345, 10, 1);
    EXPECT_EQ(fnGetRXFrequency(0), 1234);
    ASSERT_EQ(fnStartSoundCard(messages.sink(), -1, 2), 0);
    input->push(silence(4096));
    ASSERT_TRUE(messages.waitFor([&] { return !messages.of(pskmsg::NewData).empty(); }));
    EXPECT_EQ(fnGetRXFrequency(0), 1234);
    EXPECT_EQ(fnGetRXFrequency(1), 2345);
    fnStopSoundCard();
    EXPECT_EQ(fnGetRXFrequency(1), 2345);
    ASSERT_EQ(fnStartSoundCard(messages.sink(), -1, 2), 0);
    EXPECT_EQ(fnGetRXFrequency(0), 1234);
}

TEST_F(EngineStart, ACaptureDeviceThatDiesIsReported)
{
    ASSERT_EQ(fnStartSoundCard(messages.sink(), -1, 2), 0);
    input->failed = true;
    ASSERT_TRUE(messages.waitFor([&] { return !messages.of(pskmsg::TxStatus).empty(); }));
    EXPECT_EQ(messages.of(pskmsg::TxStatus).front().wParam, pskerr::InputNotOpen);
}

TEST(EngineSoundCard, AnAbsentDeviceNumberIsNoSuchDevice)
{
    MessageLog messages;
    EXPECT_EQ(fnStartSoundCard(messages.sink(), 9999, 2), pskerr::NoDevice);
    fnStopSoundCard();
}

TEST(EngineSoundCard, PortAudioFailuresBecomeEngineCodes)
{
    EXPECT_EQ(pskcore::engineErrorFor(paNoError), 0);
    EXPECT_EQ(pskcore::engineErrorFor(paInvalidDevice), pskerr::NoDevice);
    EXPECT_EQ(pskcore::engineErrorFor(paDeviceUnavailable), pskerr::DeviceBusy);
    EXPECT_EQ(pskcore::engineErrorFor(paInvalidSampleRate), pskerr::FormatRefused);
    EXPECT_EQ(pskcore::engineErrorFor(paSampleFormatNotSupported), pskerr::FormatRefused);
    EXPECT_EQ(pskcore::engineErrorFor(paInvalidChannelCount), pskerr::FormatRefused);
    EXPECT_EQ(pskcore::engineErrorFor(paUnanticipatedHostError), pskerr::InitFailed);
    EXPECT_EQ(pskcore::engineErrorFor(paNotInitialized), pskerr::InitFailed);
}

} // namespace
