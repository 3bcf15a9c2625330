// PSK31 modem benchmark: character error rate against SNR (3000 Hz noise bandwidth) for BPSK31 and QPSK31 in
// white noise and through fading, decoding speed, the robustness cases (offset, drift, clock error, neighbour,
// IMD), noise alone, interference, click acquisition, S-meter, a dense text and the signal browser on a band.
// Fixed seeds: two runs print the same tables.
#include "BenchText.h"
#include "Impairments.h"
#include "Parallel.h"
#include "Reception.h"
#include "Recording.h"
#include "Sections.h"

#include "pskcore/dsp/Resampler.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

using namespace pskcore;

std::vector<int> snrSteps(const BenchOptions& o, int defaultHighDb, int defaultLowDb, int defaultStepDb)
{
    const int high = o.snrHighDb.value_or(defaultHighDb), low = o.snrLowDb.value_or(defaultLowDb);
    const int step = std::max(1, o.snrStepDb.value_or(defaultStepDb));
    std::vector<int> snrs;
    for (int snr = high; snr >= low; snr -= step)
        snrs.push_back(snr);
    return snrs;
}

void whiteNoiseTable(const BenchOptions& o)
{
    const PskMode modes[] = {PskMode::Bpsk, PskMode::QpskUsb, PskMode::QpskLsb};
    const std::string text = benchText(o.chars.value_or(o.quick ? 500 : 2000));
    std::vector<Signal> clean;
    for (PskMode mode : modes)
        clean.push_back(transmit(text, mode, kCarrierHz));
    const std::vector<int> snrs = o.quick ? snrSteps(o, -8, -14, 1) : snrSteps(o, -4, -15, 1);
    const int columns = 3;
    std::vector<double> result(snrs.size() * columns, 0);
    parallelFor(int(result.size()), o.threads, [&](int index) {
        const int row = index / columns, col = index % columns;
        Signal noisy = clean[std::size_t(col)];
        addNoise(noisy.samples, noisy.keyedPower, snrs[std::size_t(row)], 1000u + unsigned(index));
        result[std::size_t(index)] = cer(text, receive(noisy.samples, modes[col], kCarrierHz).text);
    });
    std::printf("\nCharacter error rate, %zu characters per point (SNR in 3000 Hz, AFC 10 Hz, squelch 10)\n\n",
                text.size());
    std::printf("| SNR dB | BPSK31 | QPSK31 USB | QPSK31 LSB |\n|---:|---:|---:|---:|\n");
    for (std::size_t r = 0; r < snrs.size(); ++r)
        std::printf("| %d | %.2f %% | %.2f %% | %.2f %% |\n", snrs[r], 100 * result[r * columns],
                    100 * result[r * columns + 1], 100 * result[r * columns + 2]);
    std::fflush(stdout);
}

void speed(const BenchOptions& o)
{
    const std::string text = benchText(o.quick ? 300 : 1000);
    Signal s = transmit(text, PskMode::Bpsk, kCarrierHz);
    addNoise(s.samples, s.keyedPower, -10, 7);
    for (PskMode mode : {PskMode::Bpsk, PskMode::QpskUsb}) {
        const auto start = std::chrono::steady_clock::now();
        const std::string got = receive(s.samples, mode, kCarrierHz).text;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double audio = double(s.samples.size()) / kSampleRate;
        std::printf("Speed %s: %.0f s of audio in %.2f s = %.0f x real time (one channel, one core)\n",
                    modeName(mode), audio, seconds, audio / seconds);
    }
}

namespace {

struct Case {
    std::string name;
    std::function<double()> run; // returns CER
};

} // namespace

void robustness(const BenchOptions& o)
{
    const std::size_t chars = o.quick ? 300 : 1000;
    const std::string text = benchText(chars, 3);
    const double snr = -6;
    std::vector<Case> cases;
    for (PskMode mode : {PskMode::Bpsk, PskMode::QpskUsb}) {
        const std::string m = modeName(mode);
        cases.push_back({m + ", 8 Hz off the tuned frequency (AFC 10)", [=] {
                             Signal s = transmit(text, mode, kCarrierHz + 8);
                             addNoise(s.samples, s.keyedPower, snr, 11);
                             return cer(text, receive(s.samples, mode, kCarrierHz).text);
                         }});
        cases.push_back({m + ", drift 0.5 Hz/s for 60 s (AFC 10)", [=] {
                             const std::string longText = benchText(220, 5);
                             Signal s = transmit(longText, mode, kCarrierHz,
                                                 [](double t) { return kCarrierHz + 0.5 * std::min(t, 60.0); });
                             addNoise(s.samples, s.keyedPower, snr, 12);
                             return cer(longText, receive(s.samples, mode, kCarrierHz).text);
                         }});
        for (double ppm : {300.0, -300.0}) {
            cases.push_back({m + ", clock error " + std::to_string(int(ppm)) + " ppm", [=] {
                                 Signal s = transmit(text, mode, kCarrierHz);
                                 Resampler clock(1.0 + ppm * 1e-6);
                                 std::vector<float> shifted;
                                 clock.process(s.samples, shifted);
                                 addNoise(shifted, s.keyedPower, snr, 13);
                                 return cer(text, receive(shifted, mode, kCarrierHz).text);
                             }});
        }
        cases.push_back({m + ", second signal 60 Hz away, same strength (both decoded)", [=] {
                             const std::string other = benchText(chars, 9);
                             Signal a = transmit(text, mode, kCarrierHz);
                             Signal b = transmit(other, mode, kCarrierHz + 60);
                             std::vector<float> sum = a.samples;
                             mixInto(sum, b.samples);
                             addNoise(sum, a.keyedPower, snr, 14);
                             const double ca = cer(text, receive(sum, mode, kCarrierHz).text);
                             const double cb = cer(other, receive(sum, mode, kCarrierHz + 60).text);
                             std::printf("    (%s: channel at %.0f Hz %.2f %%, at %.0f Hz %.2f %%)\n", modeName(mode),
                                         kCarrierHz, 100 * ca, kCarrierHz + 60, 100 * cb);
                             return std::max(ca, cb);
                         }});
    }
    std::vector<double> results(cases.size());
    parallelFor(int(cases.size()), o.threads, [&](int i) { results[std::size_t(i)] = cases[std::size_t(i)].run(); });
    std::printf("\nRobustness at %.0f dB SNR (%zu characters, worse channel for the neighbour case)\n\n", snr, chars);
    std::printf("| case | CER |\n|---|---:|\n");
    for (std::size_t i = 0; i < cases.size(); ++i)
        std::printf("| %s | %.2f %% |\n", cases[i].name.c_str(), 100 * results[i]);

    // IMD readings on idle with a known cubic compression of the envelope.
    std::printf("\nIMD on idle (SNR +10 dB):");
    for (double imdDb : {-20.0, -25.0, -30.0}) {
        Signal s = transmit("", PskMode::Bpsk, kCarrierHz, nullptr, true, 12.0);
        const double peak = std::pow(10.0, -12 / 20.0);
        const double r = std::pow(10.0, imdDb / 20), a = 4 * r / (1 + 3 * r);
        // x - (4a/3) x^3 on the passband is e (1 - a e^2) on the envelope (the 3 fc part is out of band).
        for (float& x : s.samples) {
            const double e = x / peak;
            x = float(peak * (e - 4 * a / 3 * e * e * e));
        }
        addNoise(s.samples, s.keyedPower, 10, 31);
        std::vector<int> readings;
        receive(s.samples, PskMode::Bpsk, kCarrierHz, {}, [&](ChannelDemodulator& rx, std::size_t) {
            if (auto imd = rx.takeImdDb())
                readings.push_back(*imd);
        });
        std::printf(" set %.0f dB -> read", imdDb);
        for (int v : readings)
            std::printf(" %d", v);
        std::printf(" dB;");
    }
    std::printf("\n");
}

void printedFromNoise(const BenchOptions& o)
{
    // Characters printed from noise alone with the squelch at its default, per noise seed: a single seed hides
    // the rare stretch of noise that opens it.
    const unsigned firstSeed = o.firstNoiseSeed.value_or(21), lastSeed = o.lastNoiseSeed.value_or(30);
    const unsigned seeds = lastSeed >= firstSeed ? lastSeed - firstSeed + 1 : 0;
    const PskMode modes[] = {PskMode::Bpsk, PskMode::QpskUsb, PskMode::QpskLsb};
    const int columns = 3;
    const double minutes = o.quick ? 2 : 10;
    std::vector<std::size_t> printed(seeds * columns, 0);
    parallelFor(int(printed.size()), o.threads, [&](int index) {
        const unsigned seed = firstSeed + unsigned(index / columns);
        std::vector<float> noise(std::size_t(minutes * 60 * kSampleRate), 0.0f);
        addNoise(noise, 0.01, 0, seed);
        printed[std::size_t(index)] = receive(noise, modes[index % columns], kCarrierHz).text.size();
    });
    std::printf("\nNoise alone, squelch 10, %.0f minutes: characters printed\n\n", minutes);
    std::printf("| noise seed | BPSK31 | QPSK31 USB | QPSK31 LSB |\n|---:|---:|---:|---:|\n");
    for (unsigned r = 0; r < seeds; ++r)
        std::printf("| %u | %zu | %zu | %zu |\n", firstSeed + r, printed[r * columns], printed[r * columns + 1],
                    printed[r * columns + 2]);
    std::fflush(stdout);
}

namespace {

constexpr const char* kUsage =
    "usage: pskbench [--quick] [--chars N] [--threads N] [--snr HIGH LOW] [--step DB] [--mode bpsk|qpsk|both]\n"
    "                [--only-cer] [--no-cer] [--seeds FIRST LAST]\n"
    "                [--white] [--speed] [--robust] [--noise] [--fading good|moderate|poor|flat[:SPREAD]|white|all[,...]]\n"
    "                [--interference] [--impulse] [--click] [--smeter] [--dense] [--browser]\n"
    "Without a section flag every section runs; with one or more, only those.\n";

bool parseFading(const std::string& list, std::vector<FadingCondition>& out)
{
    std::stringstream items(list);
    for (std::string item; std::getline(items, item, ',');) {
        if (item == "all") {
            const auto all = allFadingConditions();
            out.insert(out.end(), all.begin(), all.end());
        } else if (auto condition = fadingCondition(item)) {
            out.push_back(*condition);
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    BenchOptions o;
    BenchOptions selected; // the sections named on the command line
    selected.white = selected.speed = selected.robust = selected.noise = false;
    selected.interference = selected.impulse = selected.click = selected.smeter = selected.dense = false;
    selected.browser = false;
    selected.fading.clear();
    bool anySelected = false, noWhite = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quick") {
            o.quick = true;
        } else if (arg == "--chars" && i + 1 < argc) {
            o.chars = std::size_t(std::max(50, std::atoi(argv[++i])));
        } else if (arg == "--threads" && i + 1 < argc) {
            o.threads = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--snr" && i + 2 < argc) {
            o.snrHighDb = std::atoi(argv[++i]);
            o.snrLowDb = std::atoi(argv[++i]);
        } else if (arg == "--seeds" && i + 2 < argc) {
            o.firstNoiseSeed = unsigned(std::max(0, std::atoi(argv[++i])));
            o.lastNoiseSeed = unsigned(std::max(0, std::atoi(argv[++i])));
        } else if (arg == "--step" && i + 1 < argc) {
            o.snrStepDb = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--mode" && i + 1 < argc) {
            const std::string mode = argv[++i];
            if (mode == "bpsk")
                o.modes = {PskMode::Bpsk};
            else if (mode == "qpsk")
                o.modes = {PskMode::QpskUsb};
            else if (mode == "both")
                o.modes = {PskMode::Bpsk, PskMode::QpskUsb};
            else
                return std::fprintf(stderr, "%s", kUsage), 2;
        } else if (arg == "--only-cer" || arg == "--white") {
            selected.white = anySelected = true;
        } else if (arg == "--no-cer") {
            noWhite = true;
        } else if (arg == "--speed") {
            selected.speed = anySelected = true;
        } else if (arg == "--robust") {
            selected.robust = anySelected = true;
        } else if (arg == "--noise") {
            selected.noise = anySelected = true;
        } else if (arg == "--fading" && i + 1 < argc) {
            if (!parseFading(argv[++i], selected.fading))
                return std::fprintf(stderr, "%s", kUsage), 2;
            anySelected = true;
        } else if (arg == "--interference") {
            selected.interference = anySelected = true;
        } else if (arg == "--impulse") {
            selected.impulse = anySelected = true;
        } else if (arg == "--click") {
            selected.click = anySelected = true;
        } else if (arg == "--smeter") {
            selected.smeter = anySelected = true;
        } else if (arg == "--dense") {
            selected.dense = anySelected = true;
        } else if (arg == "--browser") {
            selected.browser = anySelected = true;
        } else {
            std::fprintf(stderr, "%s", kUsage);
            return 2;
        }
    }
    if (anySelected) {
        o.white = selected.white;
        o.speed = selected.speed;
        o.robust = selected.robust;
        o.noise = selected.noise;
        o.fading = selected.fading;
        o.interference = selected.interference;
        o.impulse = selected.impulse;
        o.click = selected.click;
        o.smeter = selected.smeter;
        o.dense = selected.dense;
        o.browser = selected.browser;
    }
    if (noWhite)
        o.white = false;

    if (o.white)
        whiteNoiseTable(o);
    if (o.speed)
        speed(o);
    if (o.robust)
        robustness(o);
    if (o.noise)
        printedFromNoise(o);
    fadingTable(o);
    if (o.interference)
        carrierInterference(o);
    if (o.impulse)
        impulseNoise(o);
    if (o.click)
        clickAcquisition(o);
    if (o.smeter)
        sMeter(o);
    if (o.dense)
        denseCopy(o);
    if (o.browser)
        bandBrowse(o);
    return 0;
}
