// Click acquisition: the channel tuned beside a signal with capture range 0 and the AFC at 10 Hz.
#include "BenchText.h"
#include "Impairments.h"
#include "Parallel.h"
#include "Reception.h"
#include "Recording.h"
#include "Sections.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

using namespace pskcore;

namespace {

constexpr double kClickOffsetsHz[] = {0, 2, -2, 5, -5, 8, -8, 10, -10, 12.7, -12.7, 15, -15, 20, -20};
constexpr double kNeighbourSpacingHz = 50; // beyond the click, on the side it lies
constexpr double kNeighbourBelowDb = 3;
constexpr std::size_t kClickChars = 200;
// Runs a cell, each with its own text and noise: whether the first characters are lost turns on the noise.
constexpr std::size_t kRuns = 4;

struct Condition {
    std::optional<double> snrDb; // nothing = clean
    bool neighbour;
};
constexpr Condition kConditions[] = {{-6.0, false}, {-6.0, true}, {std::nullopt, false}, {std::nullopt, true}};

} // namespace

void clickAcquisition(const BenchOptions& o)
{
    const std::size_t runs = o.quick ? 1 : kRuns;
    const std::size_t offsets = std::size(kClickOffsetsHz), conditions = std::size(kConditions);
    const std::size_t perMode = offsets * conditions * runs;
    std::vector<std::string> sent(o.modes.size() * perMode);
    std::vector<Reception> results(sent.size());
    std::vector<double> freqAtEndHz(results.size());
    const RxSettings click{10, 0, 10};
    parallelFor(int(results.size()), o.threads, [&](int job) {
        const std::size_t m = std::size_t(job) / perMode, k = std::size_t(job) / (conditions * runs) % offsets,
                          c = std::size_t(job) / runs % conditions, run = std::size_t(job) % runs;
        const double offsetHz = kClickOffsetsHz[k];
        sent[std::size_t(job)] = benchText(kClickChars, unsigned(7 + 2 * run));
        Signal s = transmit(sent[std::size_t(job)], o.modes[m], kCarrierHz);
        if (kConditions[c].neighbour) {
            const double side = offsetHz < 0 ? -1 : 1;
            const Signal n = transmit(benchText(kClickChars, unsigned(8 + 2 * run)), o.modes[m],
                                      kCarrierHz + side * kNeighbourSpacingHz);
            mixInto(s.samples, n.samples, std::pow(10.0, -kNeighbourBelowDb / 20));
        }
        if (kConditions[c].snrDb)
            addNoise(s.samples, s.keyedPower, *kConditions[c].snrDb, 71u + unsigned(job));
        results[std::size_t(job)] = receive(s.samples, o.modes[m], kCarrierHz + offsetHz, click,
                                             noteFrequencyAt(s.keyedEnd, freqAtEndHz[std::size_t(job)]));
    });
    std::printf("\nClick acquisition: tuned at signal + offset, capture range 0, AFC 10 Hz, %zu runs of %zu characters "
                "a cell; neighbour %.0f dB weaker, %.0f Hz from the signal beyond the click (above it for 0). Each "
                "cell: CER over the runs / the channel's frequency at the end of the transmission furthest from the "
                "signal\n",
                runs, kClickChars, kNeighbourBelowDb, kNeighbourSpacingHz);
    for (std::size_t m = 0; m < o.modes.size(); ++m) {
        std::printf("\n%s\n\n| offset Hz | -6 dB | -6 dB, neighbour | clean | clean, neighbour |\n"
                    "|---:|---:|---:|---:|---:|\n",
                    modeName(o.modes[m]));
        for (std::size_t k = 0; k < offsets; ++k) {
            std::printf("| %+.1f |", kClickOffsetsHz[k]);
            for (std::size_t c = 0; c < conditions; ++c) {
                ErrorCount errors;
                double furthestHz = 0;
                for (std::size_t run = 0; run < runs; ++run) {
                    const std::size_t j = m * perMode + (k * conditions + c) * runs + run;
                    errors.add(sent[j], results[j].text);
                    const double fromSignalHz = freqAtEndHz[j] - kCarrierHz;
                    if (std::fabs(fromSignalHz) > std::fabs(furthestHz))
                        furthestHz = fromSignalHz;
                }
                std::printf(" %.1f %% / %+.1f |", 100 * errors.rate(), furthestHz);
            }
            std::printf("\n");
        }
    }
    std::fflush(stdout);
}
