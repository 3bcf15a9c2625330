// The transmitter on its own, without the engine's worker: the test plays the card and delivers the end
// reports itself, so it can deliver one late.

#include "engine_fakes.h"
#include "runtime/Transmitter.h"

#include <gtest/gtest.h>

using namespace enginetest;
using pskcore::Transmitter;

namespace {

constexpr std::size_t kSymbol = 256;

class TransmitterAlone : public ::testing::Test {
protected:
    void SetUp() override
    {
        tx.setModemLines(lines);
        ASSERT_TRUE(tx.selectPttPort(1, 1));
        tx.attach(output, -1);
    }
    void TearDown() override { tx.shutdown(); }

    // Plays until the transmitter has rendered its last sample; returns the generation its end report names.
    unsigned playUntilRendered()
    {
        for (int n = 0; n < 60 * 8000 / int(kSymbol) && output->pump(kSymbol) == kSymbol; ++n) {
        }
        std::lock_guard lock(mutex);
        for (const Transmitter::Event& event : events)
            if (event.kind == Transmitter::Event::Ended)
                return event.generation;
        ADD_FAILURE() << "no end report";
        return 0;
    }
    void clearEvents()
    {
        std::lock_guard lock(mutex);
        events.clear();
    }

    MachineLog machine;
    std::shared_ptr<FakeOutput> output = std::make_shared<FakeOutput>(machine);
    std::shared_ptr<FakeLines> lines = std::make_shared<FakeLines>(machine);
    std::mutex mutex;
    std::vector<Transmitter::Event> events;
    Transmitter tx{[this](std::span<const Transmitter::Event> reported) {
        std::lock_guard lock(mutex);
        events.insert(events.end(), reported.begin(), reported.end());
    }};
};

// A transmission that has rendered its end is replaced by a new one before its end report is handled:
// the late report must not unkey the new transmission.
TEST_F(TransmitterAlone, ALateEndReportLeavesTheNextTransmissionOnTheAir)
{
    tx.startText(pskcore::PskMode::Bpsk);
    tx.send('e', 0);
    tx.send(1, 1);
    const unsigned first = playUntilRendered();
    clearEvents();

    tx.startText(pskcore::PskMode::Bpsk);
    const auto keyedAgain = machine.entries();
    ASSERT_EQ(keyedAgain.back(), "output open");
    tx.endIfCurrent(first);
    EXPECT_TRUE(tx.keyed());
    EXPECT_TRUE(output->open());
    EXPECT_EQ(machine.entries(), keyedAgain) << "no line or stream moved";

    tx.send(1, 1);
    tx.endIfCurrent(playUntilRendered());
    EXPECT_FALSE(tx.keyed());
    EXPECT_FALSE(output->open());
    EXPECT_EQ(machine.entries().back(), "lines down");
}

} // namespace
