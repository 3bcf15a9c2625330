// Writes the demonstration band (several stations coming and going in noise) as raw 16-bit little-endian mono
// PCM on standard output, as an SDR program would send it, to feed pskcore-skim for a long run:
//     band_pcm --minutes 60 --rate 48000 | pskcore-skim --stdin --rate 48000
#include "runtime/DemoBand.h"

#include "pskcore/dsp/Resampler.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace pskcore;

int main(int argc, char** argv)
{
    double minutes = 60, rateHz = kSampleRate;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--minutes")
            minutes = std::max(0.0, std::atof(argv[i + 1]));
        else if (arg == "--rate")
            rateHz = std::clamp(std::atof(argv[i + 1]), double(kSampleRate), 384000.0);
    }
    DemoBand band;
    Resampler up(rateHz / kSampleRate);
    std::vector<float> block(kSampleRate), out;
    std::vector<unsigned char> bytes;
    for (long second = 0; second < long(minutes * 60); ++second) {
        std::fill(block.begin(), block.end(), 0.0f);
        band.render(block);
        out.clear();
        if (rateHz == kSampleRate)
            out = block;
        else
            up.process(block, out);
        bytes.clear();
        for (float x : out) {
            const auto v = int16_t(std::lround(std::clamp(x, -1.0f, 32767.0f / 32768.0f) * 32768.0f));
            bytes.push_back(uint8_t(v & 0xFF));
            bytes.push_back(uint8_t((v >> 8) & 0xFF));
        }
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
            return 1;
    }
    return 0;
}
