// The signal browser on generated bands: every station copied in its own mode, nothing from noise, and a
// signal listed from soon after its start until kRetireSeconds after its end.
#include "ModemFixtures.h"
#include "SyntheticBand.h"
#include "pskcore/dsp/BandBrowser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace pskcore;

namespace {

constexpr unsigned kSeed = 15;
constexpr std::size_t kBlock = 1000;

struct Heard {
    std::string text;
    double freqHz = 0;
    PskMode mode = PskMode::Bpsk;
};

// Runs the browser over samples; calls atBlock(browser, samplesSoFar) after each block.
template <typename F>
std::map<int, Heard> browse(BandBrowser& browser, const std::vector<float>& samples, F atBlock)
{
    std::map<int, Heard> heard;
    std::vector<BrowserText> decoded;
    for (std::size_t pos = 0; pos < samples.size(); pos += kBlock) {
        decoded.clear();
        browser.process(std::span(samples).subspan(pos, std::min(kBlock, samples.size() - pos)), decoded);
        for (const auto& d : decoded) {
            Heard& h = heard[d.id];
            h.text += d.bytes;
            h.freqHz = d.freqHz;
            h.mode = d.mode;
        }
        atBlock(browser, std::min(pos + kBlock, samples.size()));
    }
    return heard;
}

std::map<int, Heard> browse(BandBrowser& browser, const std::vector<float>& samples)
{
    return browse(browser, samples, [](const BandBrowser&, std::size_t) {});
}

const Heard* nearest(const std::map<int, Heard>& heard, double freqHz)
{
    const Heard* best = nullptr;
    for (const auto& [id, h] : heard)
        if (std::fabs(h.freqHz - freqHz) < 10 && (!best || h.text.size() > best->text.size()))
            best = &h;
    return best;
}

} // namespace

TEST(BandBrowser, CopiesEveryStationInItsOwnMode)
{
    const std::vector<BandStation> stations = {
        {500, PskMode::Bpsk, -6, "cq cq de f5abc f5abc pse k", 1.0},
        {560, PskMode::Bpsk, 10, "dl2msk de ea3ghz ur rst 599 599", 0.0},
        {1100, PskMode::QpskUsb, 0, "cq cq de g4fzn in qpsk31 k", 2.0},
        {1700, PskMode::QpskLsb, 5, "on7rb de sm5kja tnx fer qso 73", 0.5},
        {2300, PskMode::Bpsk, -3, "qrl? de i5tqr i5tqr k", 3.0, 0.2},
        {3000, PskMode::Bpsk, 3, "test de ok1abc ok1abc", 1.5, 0.0, 300},
    };
    const auto band = renderBand(stations, 0, kSeed);
    BandBrowser browser;
    const auto heard = browse(browser, band.samples);
    for (const auto& s : stations) {
        SCOPED_TRACE(::testing::Message() << s.freqHz << " Hz, seed " << kSeed);
        const Heard* h = nearest(heard, s.freqHz + s.driftHzPerSecond * 10);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->mode, s.mode);
        EXPECT_LE(fixtures::editDistance(s.text, h->text), s.text.size() / 50) << h->text;
    }
    // Nothing else printed.
    std::size_t printed = 0;
    for (const auto& [id, h] : heard)
        printed += h.text.size();
    std::size_t sent = 0;
    for (const auto& s : stations)
        sent += s.text.size();
    EXPECT_LE(printed, sent + sent / 50);
}

TEST(BandBrowser, NoiseAloneListsNothing)
{
    const auto band = renderBand({}, 120, kSeed);
    BandBrowser browser;
    std::size_t mostListed = 0;
    const auto heard = browse(browser, band.samples, [&](const BandBrowser& b, std::size_t) {
        mostListed = std::max(mostListed, b.signals().size());
    });
    EXPECT_TRUE(heard.empty()) << "seed " << kSeed;
    EXPECT_EQ(mostListed, 0u) << "seed " << kSeed;
}

TEST(BandBrowser, ListsASignalFromItsStartUntilItsEndAndThirtySecondsMore)
{
    constexpr double kStartSeconds = 2.0;
    const std::vector<BandStation> stations = {{1500, PskMode::Bpsk, 0, "cq cq de f5abc f5abc k", kStartSeconds}};
    const auto band = renderBand(stations, 60, kSeed);
    const double endSeconds = double(band.keyedEnd[0]) / kSampleRate;
    double firstListed = -1, lastListed = -1;
    BandBrowser browser;
    browse(browser, band.samples, [&](const BandBrowser& b, std::size_t at) {
        const auto list = b.signals();
        if (list.empty())
            return;
        EXPECT_EQ(list.size(), 1u);
        if (at <= band.keyedEnd[0])
            EXPECT_NEAR(list[0].freqHz, 1500, 2);
        if (firstListed < 0)
            firstListed = double(at) / kSampleRate;
        lastListed = double(at) / kSampleRate;
    });
    EXPECT_GE(firstListed, kStartSeconds);
    EXPECT_LE(firstListed, kStartSeconds + 3);
    EXPECT_GE(lastListed, endSeconds + BandBrowser::kRetireSeconds - 1);
    // The squelch closes about 2 s behind the signal, as a channel's does.
    EXPECT_LE(lastListed, endSeconds + BandBrowser::kRetireSeconds + 4);
}

TEST(BandBrowser, ResetForgetsEverySignal)
{
    const auto band = renderBand({{1000, PskMode::Bpsk, 10, "cq cq de f5abc", 0}}, 10, kSeed);
    BandBrowser browser;
    browse(browser, band.samples);
    ASSERT_FALSE(browser.signals().empty());
    browser.reset();
    EXPECT_TRUE(browser.signals().empty());
    EXPECT_EQ(browser.receiverCount(), 0u);
}

TEST(BandBrowser, RejectsABandOutsideTheAudio)
{
    EXPECT_THROW(BandBrowser({.lowHz = 50, .highHz = 3500}), std::invalid_argument);
    EXPECT_THROW(BandBrowser({.lowHz = 2000, .highHz = 1000}), std::invalid_argument);
    EXPECT_THROW(BandBrowser({.maxSignals = 0}), std::invalid_argument);
}
