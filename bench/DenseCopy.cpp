// A text dense with call signs, reports and numbers: copied exactly or not.
#include "BenchText.h"
#include "Impairments.h"
#include "Parallel.h"
#include "Reception.h"
#include "Recording.h"
#include "Sections.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace pskcore;

void denseCopy(const BenchOptions& o)
{
    constexpr double kSnrDb = -6;
    constexpr unsigned kSeeds = 3;
    const std::string text = callSignText();
    std::vector<Reception> results(o.modes.size() * kSeeds);
    parallelFor(int(results.size()), o.threads, [&](int job) {
        const std::size_t m = std::size_t(job) / kSeeds;
        Signal s = transmit(text, o.modes[m], kCarrierHz);
        addNoise(s.samples, s.keyedPower, kSnrDb, 91u + unsigned(job));
        results[std::size_t(job)] = receive(s.samples, o.modes[m], kCarrierHz);
    });
    std::printf("\nDense text (call signs, reports, numbers; %zu characters) at %.0f dB SNR, %u noise seeds\n\n"
                "| mode | seed | CER | exact copy |\n|---|---:|---:|---|\n",
                text.size(), kSnrDb, kSeeds);
    for (std::size_t j = 0; j < results.size(); ++j) {
        const std::string& got = results[j].text;
        std::printf("| %s | %zu | %.2f %% | %s |\n", modeName(o.modes[j / kSeeds]), j % kSeeds, 100 * cer(text, got),
                    got == text ? "yes" : "no");
        if (got != text)
            std::printf("    got: %s\n", got.c_str());
    }
    std::fflush(stdout);
}
