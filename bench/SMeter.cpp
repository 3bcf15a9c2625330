// S-meter readings (snrLevel) against SNR, beside the squelch level (signalLevel).
#include "BenchText.h"
#include "Impairments.h"
#include "Parallel.h"
#include "Reception.h"
#include "Recording.h"
#include "Sections.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

using namespace pskcore;

namespace {

constexpr std::optional<double> kSnrsDb[] = {std::nullopt, -15, -10, -5, 0, 5, 10, 15, 20, 25}; // nothing = noise alone
constexpr double kSettleSeconds = 5;
constexpr std::size_t kSMeterChars = 200;

struct Readings {
    double mean = 0, meanDb = 0, meanSquelch = 0;
    int low = 100, high = 0;
};

} // namespace

void sMeter(const BenchOptions& o)
{
    const std::string text = benchText(kSMeterChars, 2);
    const Signal clean = transmit(text, PskMode::Bpsk, kCarrierHz);
    std::vector<Readings> results(std::size(kSnrsDb));
    parallelFor(int(results.size()), o.threads, [&](int job) {
        const auto snrDb = kSnrsDb[job];
        std::vector<float> samples = clean.samples;
        if (!snrDb)
            std::fill(samples.begin(), samples.end(), 0.0f);
        addNoise(samples, clean.keyedPower, snrDb.value_or(0), 81u + unsigned(job));
        const std::size_t from = clean.keyedBegin + std::size_t(kSettleSeconds * kSampleRate);
        Readings& r = results[std::size_t(job)];
        long sum = 0, squelchSum = 0, count = 0;
        double sumDb = 0;
        receive(samples, PskMode::Bpsk, kCarrierHz, {}, [&](ChannelDemodulator& rx, std::size_t end) {
            if (end < from || end > clean.keyedEnd)
                return;
            const int level = rx.snrLevel();
            sum += level;
            sumDb += rx.snrDb();
            squelchSum += rx.signalLevel();
            ++count;
            r.low = std::min(r.low, level);
            r.high = std::max(r.high, level);
        });
        if (count) {
            r.mean = double(sum) / double(count);
            r.meanDb = sumDb / double(count);
            r.meanSquelch = double(squelchSum) / double(count);
        }
    });
    std::printf("\nS-meter (snrLevel 0-100: 0 at -20 dB, 100 at +30 dB SNR), BPSK31, read every %zu samples from %.0f s "
                "into the transmission to its end (%zu characters); the estimate in dB and the squelch level "
                "(signalLevel) beside it\n\n| SNR dB | mean | min | max | estimate dB | squelch level |\n"
                "|---:|---:|---:|---:|---:|---:|\n",
                kRxBlock, kSettleSeconds, text.size());
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (kSnrsDb[i])
            std::printf("| %+.0f |", *kSnrsDb[i]);
        else
            std::printf("| noise alone |");
        std::printf(" %.1f | %d | %d | %+.1f | %.1f |\n", results[i].mean, results[i].low, results[i].high,
                    results[i].meanDb, results[i].meanSquelch);
    }
    std::fflush(stdout);
}
