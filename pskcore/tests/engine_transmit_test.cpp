// Transmission through the engine functions on a pretend sound card the test plays by hand: keying order
// of the PTT lines and the audio, the preamble before queued text, the queue count, stop and abort.

#include "engine_fakes.h"

#include "pskcore/dsp/ChannelDemodulator.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace enginetest;

namespace {

constexpr std::size_t kSymbol = 256;
constexpr std::size_t kPreamble = 32 * kSymbol;

class EngineTransmit : public ::testing::Test {
protected:
    void SetUp() override
    {
        pskcore::setAudioSeam(input, output);
        pskcore::setModemLinesSeam(lines);
        ASSERT_EQ(fnSetComPort(1, 3), 1);
        fnSetTXFrequency(1000);
        ASSERT_EQ(fnStartSoundCard(messages.sink(), -1, 2), 0);
    }
    void TearDown() override
    {
        fnStopSoundCard();
        fnClearTXBuffer();
        fnSetComPort(1, 0);
        pskcore::setModemLinesSeam(nullptr);
        pskcore::setAudioSeam(nullptr, nullptr);
    }
    void queue(const std::string& text)
    {
        for (char c : text)
            fnSendTXCharacter(static_cast<uint8_t>(c), 0);
    }
    // Plays until the transmitter has nothing more to give; returns the samples played.
    std::size_t playToTheEnd()
    {
        std::size_t total = 0;
        for (std::size_t audio = kSymbol; audio == kSymbol && total < 60 * 8000;) {
            audio = output->pump(kSymbol);
            total += audio;
        }
        return total;
    }
    std::vector<int32_t> statuses()
    {
        std::vector<int32_t> codes;
        for (const Message& m : messages.of(pskmsg::TxStatus))
            codes.push_back(m.wParam);
        return codes;
    }
    bool statusSeen(int32_t code)
    {
        const auto codes = statuses();
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    }
    // Index of entry in the machine log, or -1.
    long at(const std::string& entry)
    {
        const auto log = machine.entries();
        const auto it = std::find(log.begin(), log.end(), entry);
        return it == log.end() ? -1 : long(it - log.begin());
    }

    MachineLog machine;
    std::shared_ptr<FakeInput> input = std::make_shared<FakeInput>();
    std::shared_ptr<FakeOutput> output = std::make_shared<FakeOutput>(machine);
    std::shared_ptr<FakeLines> lines = std::make_shared<FakeLines>(machine);
    MessageLog messages;
};

TEST_F(EngineTransmit, QueuedTextGoesOutAfterThePreambleAndTheLinesFrameTheAudio)
{
    queue("CQ de F4ABC");
    fnStartTX(0);
    EXPECT_EQ(fnGetTXCharsRemaining(), 11);

    // The whole preamble plays before the first character leaves the queue.
    for (std::size_t played = 0; played + kSymbol < kPreamble; played += kSymbol)
        ASSERT_EQ(output->pump(kSymbol), kSymbol);
    EXPECT_EQ(fnGetTXCharsRemaining(), 11);

    // Then the count goes down one by one to zero.
    std::vector<int> counts{fnGetTXCharsRemaining()};
    while (counts.back() > 0 && output->pump(kSymbol) == kSymbol) {
        if (fnGetTXCharsRemaining() != counts.back())
            counts.push_back(fnGetTXCharsRemaining());
    }
    std::vector<int> expected;
    for (int n = 11; n >= 0; --n)
        expected.push_back(n);
    EXPECT_EQ(counts, expected);

    fnSendTXCharacter(1, 1); // back to reception once the queue is sent
    playToTheEnd();
    ASSERT_TRUE(messages.waitFor([&] { return statusSeen(0); }));
    EXPECT_EQ(statuses(), (std::vector<int32_t>{1, 0}));
    EXPECT_EQ(messages.text(2), "CQ de F4ABC");

    // Lines up before the first sample, down only after the card has played the last one.
    EXPECT_LT(at("lines RTS DTR"), at("output open"));
    EXPECT_LT(at("output open"), at("first audio"));
    EXPECT_LT(at("first audio"), at("drained"));
    EXPECT_LT(at("drained"), at("lines down"));
    EXPECT_GE(at("lines down"), 0);

    // What was played is what was queued.
    pskcore::ChannelDemodulator demod;
    demod.setFrequency(1000, 10);
    std::string decoded;
    const auto audio = output->played();
    demod.process(audio, decoded);
    EXPECT_NE(decoded.find("CQ de F4ABC"), std::string::npos) << decoded;
}

TEST_F(EngineTransmit, StatusOrderAroundTheTransmittedCharacters)
{
    fnStartTX(0);
    queue("73");
    fnSendTXCharacter(1, 1);
    playToTheEnd();
    ASSERT_TRUE(messages.waitFor([&] { return statusSeen(0); }));
    std::string order;
    for (const Message& m : messages.all()) {
        if (m.message == pskmsg::TxStatus)
            order += "[" + std::to_string(m.wParam) + "]";
        if (m.message == pskmsg::Character && m.lParam == 2)
            order += char(m.wParam);
    }
    EXPECT_EQ(order, "[1]73[0]");
}

TEST_F(EngineTransmit, StopWithTextQueuedSendsTheRestThenEnds)
{
    queue("TEST TEST");
    fnStartTX(0);
    output->pump(kSymbol);
    fnStopTX();
    playToTheEnd();
    ASSERT_TRUE(messages.waitFor([&] { return statusSeen(0); }));
    EXPECT_EQ(statuses(), (std::vector<int32_t>{1, 3, 0}));
    EXPECT_EQ(messages.text(2), "TEST TEST");
}

TEST_F(EngineTransmit, AbortEndsAtOnceAndKeepsTheQueueUntilCleared)
{
    queue("a long text that will never be sent in full");
    fnStartTX(0);
    for (int n = 0; n < 40; ++n)
        output->pump(kSymbol);
    const int left = fnGetTXCharsRemaining();
    ASSERT_GT(left, 0);
    fnAbortTX();
    EXPECT_FALSE(output->open());
    EXPECT_LT(at("aborted"), at("lines down"));
    EXPECT_GE(at("aborted"), 0);
    EXPECT_EQ(fnGetTXCharsRemaining(), left);
    fnClearTXBuffer();
    EXPECT_EQ(fnGetTXCharsRemaining(), 0);
    ASSERT_TRUE(messages.waitFor([&] { return statusSeen(0); }));
}

TEST_F(EngineTransmit, StopTheEngineWhileTransmitting)
{
    queue("stopping in the middle of this");
    fnStartTX(0);
    for (int n = 0; n < 40; ++n)
        output->pump(kSymbol);
    fnStopSoundCard();
    EXPECT_FALSE(output->open());
    EXPECT_EQ(output->pump(kSymbol), 0u);
    EXPECT_LT(at("aborted"), at("lines down"));
    EXPECT_GE(at("aborted"), 0);
    EXPECT_EQ(fnGetTXCharsRemaining(), 0);

    // And it starts and transmits again.
    ASSERT_EQ(fnStartSoundCard(messages.sink(), -1, 2), 0);
    fnStartTX(3);
    EXPECT_TRUE(output->open());
    EXPECT_EQ(output->pump(kSymbol), kSymbol);
}

TEST_F(EngineTransmit, TuneCarrierEndsOnStop)
{
    fnStartTX(3);
    for (int n = 0; n < 10; ++n)
        ASSERT_EQ(output->pump(kSymbol), kSymbol);
    fnStopTX();
    playToTheEnd();
    ASSERT_TRUE(messages.waitFor([&] { return statusSeen(0); }));
    EXPECT_EQ(statuses(), (std::vector<int32_t>{1, 0}));
    EXPECT_GE(at("lines down"), 0);
}

TEST_F(EngineTransmit, APlaybackFailureIsReportedAndLeavesTheLinesDown)
{
    output->startResult = pskerr::OutputNotOpen;
    fnStartTX(0);
    ASSERT_TRUE(messages.waitFor([&] { return !statuses().empty(); }));
    EXPECT_EQ(statuses(), (std::vector<int32_t>{pskerr::OutputNotOpen}));
    EXPECT_EQ(machine.entries().back(), "lines down");
}

TEST_F(EngineTransmit, CwIdentificationIsKeyedAudio)
{
    fnSetCWIDString("de F4ABC");
    fnSetCWIDSpeed(1);
    fnStartTX(0);
    fnSendTXCharacter(2, 1);
    fnStopTX();
    const std::size_t played = playToTheEnd();
    ASSERT_TRUE(messages.waitFor([&] { return statusSeen(0); }));
    // Preamble, then some seconds of Morse at 37.5 words per minute.
    EXPECT_GT(played, kPreamble + 8000);
}

// A card whose clock runs 1 % fast plays our samples 1 % quicker: the corrected transmission is 1 % longer.
TEST_F(EngineTransmit, ClockCorrectionAppliesToTheOutput)
{
    auto length = [&] {
        fnStartTX(0);
        queue("ppm");
        fnSendTXCharacter(1, 1);
        const std::size_t played = playToTheEnd();
        messages.waitFor([&] { return statusSeen(0); });
        messages.clear();
        return double(played);
    };
    const double plain = length();
    fnSetClockErrorAdjustment(10000);
    const double corrected = length();
    fnSetClockErrorAdjustment(0);
    EXPECT_NEAR(corrected / plain, 1.01, 0.001);
}

struct LineChoice {
    int lines;
    const char* keyed;
};

class EnginePttLines : public EngineTransmit, public ::testing::WithParamInterface<LineChoice> {};

TEST_P(EnginePttLines, KeysTheChosenLinesOnly)
{
    ASSERT_EQ(fnSetComPort(2, GetParam().lines), 1);
    fnStartTX(3);
    output->pump(kSymbol);
    EXPECT_GE(at(GetParam().keyed), 0);
    EXPECT_GE(at("open /dev/ttyUSB0"), 0);
    fnAbortTX();
    EXPECT_EQ(machine.entries().back(), "lines down");
}

INSTANTIATE_TEST_SUITE_P(Lines, EnginePttLines,
                         ::testing::Values(LineChoice{1, "lines RTS"}, LineChoice{2, "lines DTR"},
                                           LineChoice{3, "lines RTS DTR"}));

TEST_F(EngineTransmit, ComPortChoice)
{
    EXPECT_EQ(fnSetComPort(3, 1), 0) << "only two ports are present";
    EXPECT_EQ(fnSetComPort(0, 1), 0);
    EXPECT_EQ(fnSetComPort(1, 4), 0);
    EXPECT_EQ(fnSetComPort(5, 0), 1) << "no lines: nothing to open";
    lines->openFails = true;
    EXPECT_EQ(fnSetComPort(2, 2), 0);
}

} // namespace

// A port that refuses to key or to release the transmitter ends the transmission with the error: never a
// transmission on the air unkeyed, never one left keyed without a word.
struct KeyingFailure {
    const char* name;
    bool raiseFails;
    bool dropFails;
    int32_t error;
};

class EngineKeyingFailure : public EngineTransmit, public ::testing::WithParamInterface<KeyingFailure> {};

TEST_P(EngineKeyingFailure, EndsTheTransmissionWithTheError)
{
    lines->raiseFails = GetParam().raiseFails;
    lines->dropFails = GetParam().dropFails;
    queue("ab");
    fnStartTX(0);
    fnSendTXCharacter(1, 1);
    playToTheEnd();
    ASSERT_TRUE(messages.waitFor([&] { return statusSeen(GetParam().error); }));
    EXPECT_FALSE(output->open());
    if (GetParam().raiseFails)
        EXPECT_EQ(at("output open"), -1) << "no audio without keying";
    else
        EXPECT_GE(at("close"), 0) << "a port that cannot drop its lines is closed, hanging up";
}

INSTANTIATE_TEST_SUITE_P(Keying, EngineKeyingFailure,
                         ::testing::Values(KeyingFailure{"KeyRefused", true, false, pskerr::KeyFailed},
                                           KeyingFailure{"ReleaseRefused", false, true, pskerr::UnkeyFailed}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTransmit, TimeLimitEndsALongTransmission)
{
    constexpr int kLimitSeconds = 2;
    pskSetTxTimeLimit(kLimitSeconds);
    fnStartTX(3); // the tune carrier goes on until stopped
    const std::size_t played = playToTheEnd();
    pskSetTxTimeLimit(0);
    ASSERT_TRUE(messages.waitFor([&] { return statusSeen(pskerr::TxTimeLimit) && statusSeen(psktx::Ended); }));
    EXPECT_GE(played, std::size_t(kLimitSeconds * 8000));
    EXPECT_LE(played, std::size_t(kLimitSeconds * 8000) + kSymbol);
    EXPECT_GT(at("lines down"), at("drained"));
}
