// Character error rate against SNR through the Watterson channel, beside white noise.
#include "BenchText.h"
#include "Impairments.h"
#include "Parallel.h"
#include "Reception.h"
#include "Recording.h"
#include "Sections.h"

#include <algorithm>
#include <cstdio>

using namespace pskcore;

namespace {

// Fading comes in bursts of seconds: the characters of a point are split over independent fading runs.
constexpr std::size_t kCharsPerRun = 500;
constexpr std::size_t kDefaultChars = 2000;

} // namespace

void fadingTable(const BenchOptions& o)
{
    if (o.fading.empty())
        return;
    const std::vector<int> snrs = snrSteps(o, 30, 0, 5);
    const std::size_t chars = o.chars.value_or(o.quick ? 500 : kDefaultChars);
    const std::size_t runs = std::max<std::size_t>(1, (chars + kCharsPerRun / 2) / kCharsPerRun);
    const std::size_t charsPerRun = (chars + runs - 1) / runs;

    std::vector<std::string> texts(runs);
    std::vector<std::vector<Signal>> clean(o.modes.size(), std::vector<Signal>(runs));
    for (std::size_t r = 0; r < runs; ++r) {
        texts[r] = benchText(charsPerRun, unsigned(r));
        for (std::size_t m = 0; m < o.modes.size(); ++m)
            clean[m][r] = transmit(texts[r], o.modes[m], kCarrierHz);
    }

    // One job per (condition, mode, run) fades once and decodes at every SNR; the fading of a run is the
    // same at every SNR and in both modes, so the columns differ by the receiver only.
    const std::size_t conditions = o.fading.size(), modes = o.modes.size();
    const int jobs = int(conditions * modes * runs);
    std::vector<std::vector<ErrorCount>> perJob(static_cast<std::size_t>(jobs));
    parallelFor(jobs, o.threads, [&](int job) {
        const std::size_t c = std::size_t(job) / (modes * runs), m = std::size_t(job) / runs % modes,
                          r = std::size_t(job) % runs;
        Signal faded = clean[m][r];
        applyFading(faded.samples, o.fading[c], 7000u + unsigned(c * 100 + r));
        const double power = meanPower(faded.samples, faded.keyedBegin, faded.keyedEnd);
        auto& counts = perJob[std::size_t(job)];
        counts.resize(snrs.size());
        for (std::size_t s = 0; s < snrs.size(); ++s) {
            std::vector<float> noisy = faded.samples;
            addNoise(noisy, power, snrs[s], 9000u + unsigned(r * 1000 + s * 10 + m));
            counts[s].add(texts[r], receive(noisy, o.modes[m], kCarrierHz).text);
        }
    });

    std::printf("\nCharacter error rate through fading, %zu characters per point in %zu independent fading run%s "
                "(SNR on the mean faded power in 3000 Hz; AFC 10 Hz, squelch 10)\n",
                runs * charsPerRun, runs, runs > 1 ? "s" : "");
    for (std::size_t m = 0; m < modes; ++m) {
        std::printf("\n%s\n\n| SNR dB |", modeName(o.modes[m]));
        for (const auto& condition : o.fading)
            std::printf(" %s |", condition.name.c_str());
        std::printf("\n|---:|");
        for (std::size_t c = 0; c < conditions; ++c)
            std::printf("---:|");
        std::printf("\n");
        for (std::size_t s = 0; s < snrs.size(); ++s) {
            std::printf("| %d |", snrs[s]);
            for (std::size_t c = 0; c < conditions; ++c) {
                ErrorCount total;
                for (std::size_t r = 0; r < runs; ++r) {
                    const ErrorCount& e = perJob[(c * modes + m) * runs + r][s];
                    total.errors += e.errors;
                    total.sent += e.sent;
                }
                std::printf(" %.2f %% |", 100 * total.rate());
            }
            std::printf("\n");
        }
    }
    std::fflush(stdout);
}
