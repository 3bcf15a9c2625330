// The signal browser on a generated band of twenty stations: each station's CER and the mode found, what it
// prints from noise alone, and its processor time.
#include "BenchText.h"
#include "Reception.h"
#include "Sections.h"
#include "SyntheticBand.h"

#include "pskcore/dsp/BandBrowser.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

using namespace pskcore;

namespace {

constexpr std::size_t kBlock = 1024; // the engine's block
constexpr double kMatchHz = 10.0;    // a signal within this of a station is that station
constexpr double kShowAbove = 0.02;  // a station copied worse than this shows its text

double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Twenty stations from +20 to -10 dB: the three modes, drift, clock error, and two pairs 60 Hz apart.
std::vector<BandStation> twentyStations(std::size_t chars)
{
    const auto B = PskMode::Bpsk, U = PskMode::QpskUsb, L = PskMode::QpskLsb;
    struct Row {
        double freqHz;
        PskMode mode;
        double snrDb;
        double driftHzPerSecond;
        double clockPpm;
    };
    const Row rows[] = {
        {350, B, 20, 0, 0},      {410, B, -6, 0, 0},      {560, U, 10, 0, 0},     {720, B, -3, 0.3, 0},
        {880, B, 5, 0, 300},     {1040, L, 0, 0, 0},      {1200, B, -8, 0, 0},    {1350, B, 15, -0.2, 0},
        {1410, B, -6, 0, -250},  {1560, U, -4, 0, 0},     {1720, B, 0, 0, 0},     {1880, B, -10, 0, 0},
        {2040, L, 8, 0.2, 0},    {2200, B, -5, 0, 200},   {2360, B, 3, 0, 0},     {2520, U, 12, 0, -300},
        {2680, B, -2, -0.3, 0},  {2840, B, 6, 0, 0},      {3000, U, -6, 0, 0},    {3200, B, 1, 0.2, 150},
    };
    std::vector<BandStation> stations;
    unsigned offset = 0;
    for (const Row& r : rows) {
        const double startSeconds = double(offset % 7); // staggered starts over the first seconds
        stations.push_back({r.freqHz, r.mode, r.snrDb, benchText(chars, offset * 97), startSeconds,
                            r.driftHzPerSecond, r.clockPpm});
        ++offset;
    }
    return stations;
}

struct BrowseRun {
    std::map<int, std::string> text;  // per signal id
    std::map<int, double> freqHz;     // where each signal was last
    std::map<int, PskMode> mode;
    double cpuSeconds = 0;            // over [measureFrom, measureTo)
    std::size_t receiversMax = 0;
};

BrowseRun browse(const std::vector<float>& samples, std::size_t measureFrom = 0, std::size_t measureTo = 0)
{
    BandBrowser browser;
    BrowseRun run;
    std::vector<BrowserText> decoded;
    for (std::size_t pos = 0; pos < samples.size(); pos += kBlock) {
        const auto block = std::span(samples).subspan(pos, std::min(kBlock, samples.size() - pos));
        decoded.clear();
        const bool timed = pos >= measureFrom && pos < measureTo;
        const double before = timed ? threadSeconds() : 0;
        browser.process(block, decoded);
        if (timed) {
            browser.signals(); // as the engine fetches the list after every block
            run.cpuSeconds += threadSeconds() - before;
        }
        for (const auto& d : decoded) {
            run.text[d.id] += d.bytes;
            run.freqHz[d.id] = d.freqHz;
            run.mode[d.id] = d.mode;
        }
        run.receiversMax = std::max(run.receiversMax, browser.receiverCount());
    }
    return run;
}

const char* shortMode(PskMode m) { return m == PskMode::Bpsk ? "BPSK" : m == PskMode::QpskUsb ? "QPSK USB" : "QPSK LSB"; }

void stationTable(const BenchOptions& o)
{
    const std::size_t chars = o.chars.value_or(o.quick ? 150 : 400);
    const auto stations = twentyStations(chars);
    constexpr unsigned kSeed = 2015;
    const auto band = renderBand(stations, 0, kSeed);
    // Timed while every station is on the air.
    std::size_t allOn = 0, firstOff = band.samples.size();
    for (std::size_t i = 0; i < stations.size(); ++i) {
        allOn = std::max(allOn, std::size_t((stations[i].startSeconds + 1) * kSampleRate));
        firstOff = std::min(firstOff, band.keyedEnd[i]);
    }
    const BrowseRun run = browse(band.samples, allOn, firstOff);

    std::printf("\nSignal browser: %zu stations, %zu characters each, noise seed %u, %.0f s of audio\n\n"
                "| Hz | mode | SNR dB | drift Hz/s | clock ppm | mode found | CER |\n"
                "|---:|---|---:|---:|---:|---|---:|\n",
                stations.size(), chars, kSeed, double(band.samples.size()) / kSampleRate);
    std::vector<std::string> heard(stations.size());
    std::vector<std::string> found(stations.size(), "-");
    std::size_t stray = 0;
    for (const auto& [id, text] : run.text) {
        const double f = run.freqHz.at(id);
        std::size_t best = 0;
        double bestDistance = 1e9;
        for (std::size_t i = 0; i < stations.size(); ++i) {
            const double at = stations[i].freqHz + stations[i].driftHzPerSecond *
                                                       (double(band.keyedEnd[i]) / kSampleRate - stations[i].startSeconds);
            if (std::fabs(at - f) < bestDistance) {
                bestDistance = std::fabs(at - f);
                best = i;
            }
        }
        if (bestDistance > kMatchHz) {
            stray += text.size();
            continue;
        }
        heard[best] += text;
        found[best] = shortMode(run.mode.at(id));
    }
    ErrorCount good;
    for (std::size_t i = 0; i < stations.size(); ++i) {
        const BandStation& s = stations[i];
        const double rate = cer(s.text, heard[i]);
        if (s.snrDb >= -6)
            good.add(s.text, heard[i]);
        std::printf("| %.0f | %s | %+.0f | %+.1f | %+.0f | %s | %.2f %% |\n", s.freqHz, shortMode(s.mode), s.snrDb,
                    s.driftHzPerSecond, s.clockPpm, found[i].c_str(), 100 * rate);
        if (rate > kShowAbove)
            std::printf("    sent: %s\n    got:  %s\n", s.text.c_str(), heard[i].c_str());
    }
    const double seconds = double(firstOff - allOn) / kSampleRate;
    std::printf("\nStations at -6 dB or better, all together: CER %.2f %%. Characters printed away from every "
                "station: %zu.\nProcessor time with all %zu stations on the air: %.2f %% of one core (%.1f s of "
                "audio; at most %zu receivers at work).\n",
                100 * good.rate(), stray, stations.size(), 100 * run.cpuSeconds / seconds, seconds, run.receiversMax);
    std::fflush(stdout);
}

void noiseAlone(const BenchOptions& o)
{
    const double seconds = o.quick ? 120 : 600;
    constexpr unsigned kSeed = 2016;
    const auto band = renderBand({}, seconds, kSeed);
    const BrowseRun run = browse(band.samples, 0, band.samples.size());
    std::size_t printed = 0;
    for (const auto& [id, text] : run.text)
        printed += text.size();
    std::printf("Noise alone, %.0f s (seed %u): %zu characters printed by %zu signals; processor time %.2f %% of one "
                "core.\n",
                seconds, kSeed, printed, run.text.size(), 100 * run.cpuSeconds / seconds);
    std::fflush(stdout);
}

} // namespace

void bandBrowse(const BenchOptions& o)
{
    stationTable(o);
    noiseAlone(o);
}
