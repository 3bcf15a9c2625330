// Starting and stopping the engine: every refusal leaves nothing running, and a hundred starts and stops
// in a row leave no thread or memory behind (the suite also runs under AddressSanitizer).

#include "engine_fakes.h"

#include "ModemFixtures.h"
#include "pskcore/dsp/Resampler.h"

#include "../src/runtime/PortAudioIo.h"

#include <gtest/gtest.h>
#include <portaudio.h>
#include <sndfile.h>

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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

namespace {

// Starts the engine on another thread; should the start block (a FIFO opened for reading or writing waits
// for its other end), unblocks it by opening that other end, and says so.
bool startReturnsAtOnce(MessageLog& messages, const std::string& fifo, int& result)
{
    std::promise<int> started;
    auto done = started.get_future();
    std::thread starter([&] { started.set_value(fnStartSoundCard(messages.sink(), -1, 2)); });
    const bool returned = done.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    if (!returned) {
        const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        for (int fd : {writer, reader})
            if (fd >= 0)
                ::close(fd);
    }
    starter.join();
    result = done.get();
    return returned;
}

} // namespace

class EngineSpecialFile : public EngineStart, public ::testing::WithParamInterface<bool> {};

TEST_P(EngineSpecialFile, AFifoIsRefusedWithoutBlocking)
{
    const bool asInput = GetParam();
    const std::string fifo = ::testing::TempDir() + "engine_" + std::to_string(::getpid()) + ".fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    pskcore::setAudioSeam(asInput ? nullptr : input, asInput ? output : nullptr);
    (asInput ? pskSetInputFile : pskSetOutputFile)(fifo);
    int result = 0;
    EXPECT_TRUE(startReturnsAtOnce(messages, fifo, result));
    EXPECT_EQ(result, pskerr::InitFailed);
    (asInput ? pskSetInputFile : pskSetOutputFile)("");
    ::unlink(fifo.c_str());
}

INSTANTIATE_TEST_SUITE_P(Sides, EngineSpecialFile, ::testing::Values(true, false),
                         [](const auto& info) { return std::string(info.param ? "Input" : "Output"); });

TEST_F(EngineStart, PlaysARecordingAtAnotherRateFromItsFile)
{
    // Stereo at 44100 Hz: the file is mixed and resampled as it plays.
    const auto t = pskcore::fixtures::transmit("from the file", pskcore::PskMode::Bpsk, 1000);
    pskcore::Resampler up(44100.0 / 8000.0);
    std::vector<float> high, stereo;
    up.process(t.samples, high);
    for (float x : high)
        stereo.insert(stereo.end(), {x, x});
    const std::string file = ::testing::TempDir() + "engine_" + std::to_string(::getpid()) + ".flac";
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(file.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr);
    sf_writef_float(f, stereo.data(), sf_count_t(high.size()));
    sf_close(f);

    pskcore::setAudioSeam(nullptr, output);
    pskSetInputFile(file);
    fnSetRXFrequency(1000, 10, 0);
    fnSetSquelchThreshold(10, 1, 0);
    ASSERT_EQ(fnStartSoundCard(messages.sink(), -1, 1), 0);
    EXPECT_TRUE(messages.waitFor([&] { return messages.text(0) == "from the file"; }, std::chrono::seconds(60)))
        << messages.text(0);
    fnStopSoundCard();
    pskSetInputFile("");
    std::remove(file.c_str());
}

namespace {

long residentKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

} // namespace

TEST_F(EngineStart, ALongRecordingIsPlayedWithoutLoadingIt)
{
    // Half an hour at 8 kHz (silence compresses to almost nothing) is 58 MB as floats.
    const std::string file = ::testing::TempDir() + "engine_long_" + std::to_string(::getpid()) + ".flac";
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(file.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr);
    const std::vector<float> minute(8000 * 60, 0.0f);
    for (int m = 0; m < 30; ++m)
        sf_write_float(f, minute.data(), sf_count_t(minute.size()));
    sf_close(f);

    pskcore::setAudioSeam(nullptr, output);
    pskSetInputFile(file);
    const long before = residentKb();
    ASSERT_EQ(fnStartSoundCard(messages.sink(), -1, 2), 0);
    EXPECT_TRUE(messages.waitFor([&] { return !messages.of(pskmsg::NewData).empty(); }));
    const long after = residentKb();
    fnStopSoundCard();
    pskSetInputFile("");
    std::remove(file.c_str());
    EXPECT_LT(after - before, 16 * 1024) << "before " << before << " kB, after " << after << " kB";
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
