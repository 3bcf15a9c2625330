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

struct Condition {
    std::optional<double> snrDb; // nothing = clean
    bool neighbour;
};
constexpr Condition kConditions[] = {{-6.0, false}, {-6.0, true}, {std::nullopt, false}, {std::nullopt, true}};

} // namespace

void clickAcquisition(const BenchOptions& o)
{
    const std::string text = benchText(kClickChars, 7);
    const std::string other = benchText(kClickChars, 8);
    const std::size_t offsets = std::size(kClickOffsetsHz), conditions = std::size(kConditions);
    const std::size_t perMode = offsets * conditions;
    std::vector<Reception> results(o.modes.size() * perMode);
    std::vector<double> freqAtEndHz(results.size());
    const RxSettings click{10, 0, 10};
    parallelFor(int(results.size()), o.threads, [&](int job) {
        const std::size_t m = std::size_t(job) / perMode, k = std::size_t(job) / conditions % offsets,
                          c = std::size_t(job) % conditions;
        const double offsetHz = kClickOffsetsHz[k];
        Signal s = transmit(text, o.modes[m], kCarrierHz);
        if (kConditions[c].neighbour) {
            const double side = offsetHz < 0 ? -1 : 1;
            const Signal n = transmit(other, o.modes[m], kCarrierHz + side * kNeighbourSpacingHz);
            mixInto(s.samples, n.samples, std::pow(10.0, -kNeighbourBelowDb / 20));
        }
        if (kConditions[c].snrDb)
            addNoise(s.samples, s.keyedPower, *kConditions[c].snrDb, 71u + unsigned(job));
        results[std::size_t(job)] = receive(s.samples, o.modes[m], kCarrierHz + offsetHz, click,
                                             noteFrequencyAt(s.keyedEnd, freqAtEndHz[std::size_t(job)]));
    });
    std::printf("\nClick acquisition: tuned at signal + offset, capture range 0, AFC 10 Hz, %zu characters; "
                "neighbour %.0f dB weaker, %.0f Hz from the signal beyond the click (above it for 0). "
                "Each cell: CER / channel frequency at the end of the transmission, from the signal\n",
                text.size(), kNeighbourBelowDb, kNeighbourSpacingHz);
    for (std::size_t m = 0; m < o.modes.size(); ++m) {
        std::printf("\n%s\n\n| offset Hz | -6 dB | -6 dB, neighbour | clean | clean, neighbour |\n"
                    "|---:|---:|---:|---:|---:|\n",
                    modeName(o.modes[m]));
        for (std::size_t k = 0; k < offsets; ++k) {
            std::printf("| %+.1f |", kClickOffsetsHz[k]);
            for (std::size_t c = 0; c < conditions; ++c) {
                const std::size_t j = m * perMode + k * conditions + c;
                std::printf(" %.1f %% / %+.1f |", 100 * cer(text, results[j].text), freqAtEndHz[j] - kCarrierHz);
            }
            std::printf("\n");
        }
    }
    std::fflush(stdout);
}
