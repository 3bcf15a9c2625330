// A steady carrier beside the signal and impulse clicks, at 0 dB SNR.
#include "BenchText.h"
#include "Impairments.h"
#include "Parallel.h"
#include "Reception.h"
#include "Recording.h"
#include "Sections.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace pskcore;

namespace {

constexpr double kSnrDb = 0;

std::size_t caseChars(const BenchOptions& o) { return o.quick ? 300 : 1000; }

} // namespace

void carrierInterference(const BenchOptions& o)
{
    constexpr double kCarrierOffsetsHz[] = {0, -30, 30}; // 0: no carrier, for reference
    constexpr double kCarrierAboveSignalDb = 10;
    const std::string text = benchText(caseChars(o), 4);
    const std::size_t offsets = std::size(kCarrierOffsetsHz);
    std::vector<Reception> results(o.modes.size() * offsets);
    std::vector<double> freqAtEndHz(results.size());
    parallelFor(int(results.size()), o.threads, [&](int job) {
        const std::size_t m = std::size_t(job) / offsets, k = std::size_t(job) % offsets;
        Signal s = transmit(text, o.modes[m], kCarrierHz);
        if (kCarrierOffsetsHz[k] != 0)
            addCarrier(s.samples, kCarrierHz + kCarrierOffsetsHz[k],
                       s.keyedPower * std::pow(10.0, kCarrierAboveSignalDb / 10));
        addNoise(s.samples, s.keyedPower, kSnrDb, 41u + unsigned(job));
        results[std::size_t(job)] =
            receive(s.samples, o.modes[m], kCarrierHz, {}, noteFrequencyAt(s.keyedEnd, freqAtEndHz[std::size_t(job)]));
    });
    std::printf("\nSteady carrier %.0f dB above the signal, %.0f dB SNR (%zu characters; tuned on the signal, AFC 10 Hz, "
                "capture 10 Hz; channel frequency at the end of the transmission and at the end of the file)\n\n"
                "| mode | carrier | CER | channel at end of signal | at end of file |\n|---|---|---:|---:|---:|\n",
                kCarrierAboveSignalDb, kSnrDb, text.size());
    for (std::size_t j = 0; j < results.size(); ++j) {
        const double offsetHz = kCarrierOffsetsHz[j % offsets];
        char carrier[32] = "none";
        if (offsetHz != 0)
            std::snprintf(carrier, sizeof carrier, "%+.0f Hz", offsetHz);
        std::printf("| %s | %s | %.2f %% | signal %+.1f Hz | signal %+.1f Hz |\n", modeName(o.modes[j / offsets]),
                    carrier, 100 * cer(text, results[j].text), freqAtEndHz[j] - kCarrierHz,
                    results[j].finalFreqHz - kCarrierHz);
    }
    std::fflush(stdout);
}

void impulseNoise(const BenchOptions& o)
{
    constexpr int kClicksPerSecond = 5;
    constexpr double kPeakOverRms = 40;
    const std::string text = benchText(caseChars(o), 6);
    const int variants = 2; // without and with clicks
    std::vector<double> results(o.modes.size() * variants);
    parallelFor(int(results.size()), o.threads, [&](int job) {
        const std::size_t m = std::size_t(job) / variants;
        const bool clicks = job % variants == 1;
        Signal s = transmit(text, o.modes[m], kCarrierHz);
        addNoise(s.samples, s.keyedPower, kSnrDb, 51u + unsigned(m));
        if (clicks) {
            const double rms = std::sqrt(meanPower(s.samples, 0, s.samples.size()));
            addClicks(s.samples, kClicksPerSecond, kPeakOverRms * rms, 61);
        }
        results[std::size_t(job)] = cer(text, receive(s.samples, o.modes[m], kCarrierHz).text);
    });
    std::printf("\nImpulse noise: %d clicks a second (8 samples, decaying, random sign), peak %.0f times the "
                "recording's RMS, %.0f dB SNR (%zu characters)\n\n| mode | without clicks | with clicks |\n"
                "|---|---:|---:|\n",
                kClicksPerSecond, kPeakOverRms, kSnrDb, text.size());
    for (std::size_t m = 0; m < o.modes.size(); ++m)
        std::printf("| %s | %.2f %% | %.2f %% |\n", modeName(o.modes[m]), 100 * results[m * variants],
                    100 * results[m * variants + 1]);
    std::fflush(stdout);
}
