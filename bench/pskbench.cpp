// PSK31 modem benchmark: character error rate against SNR (3000 Hz noise bandwidth) for BPSK31 and QPSK31,
// decoding speed, and the robustness cases (offset, drift, clock error, neighbour, noise alone, IMD).
// Fixed seeds: two runs print the same table.
#include "BenchText.h"

#include "pskcore/dsp/ChannelDemodulator.h"
#include "pskcore/dsp/Modulator.h"
#include "pskcore/dsp/Resampler.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace pskcore;

namespace {

struct Options {
    bool quick = false;
    std::size_t chars = 2000;
    int threads = 2;
    bool cer = true, robust = true, speed = true;
    int snrHigh = -4, snrLow = -15;
};

struct Signal {
    std::vector<float> samples;
    double keyedPower = 0; // mean x^2 over the keyed interval
};

constexpr double kCarrierHz = 1000.0;
constexpr double kNoiseBandwidthHz = 3000.0; // the bandwidth the SNR figures are quoted in
constexpr std::size_t kRxBlock = 512;          // samples handed to the receiver at a time
constexpr std::size_t kLeadSamples = kSampleRate / 2;

// The transmission of text at carrier hz, with silence before and after; freqAt(t) may move the carrier.
Signal transmit(const std::string& text, PskMode mode, double hz,
                const std::function<double(double)>& freqAt = nullptr, bool idleOnly = false,
                double idleSeconds = 0)
{
    Modulator tx;
    tx.setMode(mode);
    tx.setFrequency(hz);
    tx.setLevelDb(-12);
    tx.startText();
    for (unsigned char c : text)
        tx.queueChar(c);
    if (!idleOnly)
        tx.stop();
    Signal signal;
    signal.samples.assign(kLeadSamples, 0.0f);
    std::vector<float> block(64);
    double energy = 0;
    std::size_t keyed = 0;
    const std::size_t idleLimit = std::size_t(idleSeconds * kSampleRate);
    for (;;) {
        if (freqAt)
            tx.setFrequency(freqAt(double(keyed) / kSampleRate));
        const std::size_t n = tx.render(block);
        for (std::size_t i = 0; i < n; ++i)
            energy += double(block[i]) * block[i];
        keyed += n;
        signal.samples.insert(signal.samples.end(), block.begin(), block.begin() + std::ptrdiff_t(n));
        if (n < block.size() || (idleOnly && keyed >= idleLimit))
            break;
    }
    signal.samples.insert(signal.samples.end(), 2 * kSampleRate, 0.0f);
    signal.keyedPower = energy / double(std::max<std::size_t>(keyed, 1));
    return signal;
}

// White Gaussian noise for snrDb in 3000 Hz against a signal of the given power (the noise spans 0-4000 Hz).
void addNoise(std::vector<float>& samples, double signalPower, double snrDb, unsigned seed)
{
    const double noisePower = signalPower / std::pow(10.0, snrDb / 10) * (kSampleRate / 2.0) / kNoiseBandwidthHz;
    std::mt19937 rng(seed);
    std::normal_distribution<float> gauss(0.0f, float(std::sqrt(noisePower)));
    for (float& x : samples)
        x += gauss(rng);
}

std::string decode(const std::vector<float>& samples, PskMode mode, double hz, double afcLimit = 10,
                   double capture = 10, int squelch = 10)
{
    ChannelDemodulator rx;
    rx.setMode(mode);
    rx.setFrequency(hz, capture);
    rx.setAfcLimit(afcLimit);
    rx.setSquelch(squelch, 1);
    std::string text;
    for (std::size_t pos = 0; pos < samples.size(); pos += kRxBlock)
        rx.process(std::span<const float>(samples).subspan(pos, std::min(kRxBlock, samples.size() - pos)), text);
    return text;
}

std::size_t editDistance(const std::string& a, const std::string& b)
{
    std::vector<std::size_t> row(b.size() + 1), next(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        next[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j)
            next[j] = std::min({row[j] + 1, next[j - 1] + 1, row[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        row.swap(next);
    }
    return row[b.size()];
}

double cer(const std::string& sent, const std::string& got)
{
    return double(editDistance(sent, got)) / double(sent.size());
}

void parallelFor(int count, int threads, const std::function<void(int)>& job)
{
    std::atomic<int> next{0};
    std::vector<std::thread> pool;
    for (int t = 0; t < std::max(1, threads); ++t)
        pool.emplace_back([&] {
            for (int i; (i = next++) < count;)
                job(i);
        });
    for (auto& th : pool)
        th.join();
}

const char* modeName(PskMode mode)
{
    switch (mode) {
    case PskMode::Bpsk: return "BPSK31";
    case PskMode::QpskUsb: return "QPSK31 USB";
    case PskMode::QpskLsb: return "QPSK31 LSB";
    }
    return "?";
}

void cerTable(const Options& o)
{
    const PskMode modes[] = {PskMode::Bpsk, PskMode::QpskUsb, PskMode::QpskLsb};
    const std::string text = benchText(o.chars);
    std::vector<Signal> clean;
    for (PskMode mode : modes)
        clean.push_back(transmit(text, mode, kCarrierHz));
    std::vector<int> snrs;
    for (int snr = o.snrHigh; snr >= o.snrLow; --snr)
        snrs.push_back(snr);
    const int columns = 3;
    std::vector<double> result(snrs.size() * columns, 0);
    parallelFor(int(result.size()), o.threads, [&](int index) {
        const int row = index / columns, col = index % columns;
        Signal noisy = clean[std::size_t(col)];
        addNoise(noisy.samples, noisy.keyedPower, snrs[std::size_t(row)], 1000u + unsigned(index));
        result[std::size_t(index)] = cer(text, decode(noisy.samples, modes[col], kCarrierHz));
    });
    std::printf("\nCharacter error rate, %zu characters per point (SNR in 3000 Hz, AFC 10 Hz, squelch 10)\n\n",
                text.size());
    std::printf("| SNR dB | BPSK31 | QPSK31 USB | QPSK31 LSB |\n|---:|---:|---:|---:|\n");
    for (std::size_t r = 0; r < snrs.size(); ++r)
        std::printf("| %d | %.2f %% | %.2f %% | %.2f %% |\n", snrs[r], 100 * result[r * columns],
                    100 * result[r * columns + 1], 100 * result[r * columns + 2]);
    std::fflush(stdout);
}

void speed(const Options& o)
{
    const std::string text = benchText(o.quick ? 300 : 1000);
    Signal s = transmit(text, PskMode::Bpsk, kCarrierHz);
    addNoise(s.samples, s.keyedPower, -10, 7);
    for (PskMode mode : {PskMode::Bpsk, PskMode::QpskUsb}) {
        const auto start = std::chrono::steady_clock::now();
        const std::string got = decode(s.samples, mode, kCarrierHz);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double audio = double(s.samples.size()) / kSampleRate;
        std::printf("Speed %s: %.0f s of audio in %.2f s = %.0f x real time (one channel, one core)\n",
                    modeName(mode), audio, seconds, audio / seconds);
    }
}

struct Case {
    std::string name;
    std::function<double()> run; // returns CER
};

void robustness(const Options& o)
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
                             return cer(text, decode(s.samples, mode, kCarrierHz));
                         }});
        cases.push_back({m + ", drift 0.5 Hz/s for 60 s (AFC 10)", [=] {
                             const std::string longText = benchText(220, 5);
                             Signal s = transmit(longText, mode, kCarrierHz,
                                                 [](double t) { return kCarrierHz + 0.5 * std::min(t, 60.0); });
                             addNoise(s.samples, s.keyedPower, snr, 12);
                             return cer(longText, decode(s.samples, mode, kCarrierHz));
                         }});
        for (double ppm : {300.0, -300.0}) {
            cases.push_back({m + ", clock error " + std::to_string(int(ppm)) + " ppm", [=] {
                                 Signal s = transmit(text, mode, kCarrierHz);
                                 Resampler clock(1.0 + ppm * 1e-6);
                                 std::vector<float> shifted;
                                 clock.process(s.samples, shifted);
                                 addNoise(shifted, s.keyedPower, snr, 13);
                                 return cer(text, decode(shifted, mode, kCarrierHz));
                             }});
        }
        cases.push_back({m + ", second signal 60 Hz away, same strength (both decoded)", [=] {
                             const std::string other = benchText(chars, 9);
                             Signal a = transmit(text, mode, kCarrierHz);
                             Signal b = transmit(other, mode, kCarrierHz + 60);
                             std::vector<float> sum(std::max(a.samples.size(), b.samples.size()), 0.0f);
                             for (std::size_t i = 0; i < a.samples.size(); ++i)
                                 sum[i] += a.samples[i];
                             for (std::size_t i = 0; i < b.samples.size(); ++i)
                                 sum[i] += b.samples[i];
                             addNoise(sum, a.keyedPower, snr, 14);
                             const double ca = cer(text, decode(sum, mode, kCarrierHz));
                             const double cb = cer(other, decode(sum, mode, kCarrierHz + 60));
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

    // Noise alone: characters printed with the squelch at its default.
    const double minutes = o.quick ? 2 : 10;
    std::printf("\nNoise alone, squelch 10, %.0f minutes:", minutes);
    for (PskMode mode : {PskMode::Bpsk, PskMode::QpskUsb}) {
        std::vector<float> noise(std::size_t(minutes * 60 * kSampleRate), 0.0f);
        addNoise(noise, 0.01, 0, 21);
        const std::string got = decode(noise, mode, kCarrierHz);
        std::printf(" %s %zu characters;", modeName(mode), got.size());
    }
    std::printf("\n");

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
        ChannelDemodulator rx;
        rx.setFrequency(kCarrierHz, 10);
        rx.setAfcLimit(10);
        std::string text;
        std::vector<int> readings;
        for (std::size_t pos = 0; pos < s.samples.size(); pos += kRxBlock) {
            rx.process(std::span<const float>(s.samples).subspan(pos, std::min(kRxBlock, s.samples.size() - pos)), text);
            if (auto imd = rx.takeImdDb())
                readings.push_back(*imd);
        }
        std::printf(" set %.0f dB -> read", imdDb);
        for (int v : readings)
            std::printf(" %d", v);
        std::printf(" dB;");
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quick") {
            o.quick = true;
            o.chars = 500;
            o.snrHigh = -8;
            o.snrLow = -14;
        } else if (arg == "--chars" && i + 1 < argc) {
            o.chars = std::size_t(std::max(50, std::atoi(argv[++i])));
        } else if (arg == "--threads" && i + 1 < argc) {
            o.threads = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--snr" && i + 2 < argc) {
            o.snrHigh = std::atoi(argv[++i]);
            o.snrLow = std::atoi(argv[++i]);
        } else if (arg == "--only-cer") {
            o.robust = o.speed = false;
        } else if (arg == "--no-cer") {
            o.cer = false;
        } else {
            std::fprintf(stderr, "usage: pskbench [--quick] [--chars N] [--threads N] [--snr HIGH LOW] "
                                 "[--only-cer] [--no-cer]\n");
            return 2;
        }
    }
    if (o.cer)
        cerTable(o);
    if (o.speed)
        speed(o);
    if (o.robust)
        robustness(o);
    return 0;
}
