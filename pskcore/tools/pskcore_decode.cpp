// pskcore-decode: decodes PSK31 from an audio file, one channel per --freq (default: the strongest signal).
#include "Options.h"
#include "WavIo.h"

#include "pskcore/Cp1252.h"
#include "pskcore/dsp/ChannelDemodulator.h"
#include "pskcore/dsp/Resampler.h"
#include "pskcore/dsp/Spectrum.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace pskcore;

namespace {

constexpr const char* kUsage =
    "usage: pskcore-decode [--mode bpsk|qpsk-usb|qpsk-lsb] [--freq HZ]... [--afc HZ] [--squelch N] [--ppm N] "
    "[--json] FILE";

int fail(const std::string& message)
{
    std::fprintf(stderr, "pskcore-decode: %s\n", message.c_str());
    return 2;
}

struct Channel {
    double startHz;
    ChannelDemodulator demodulator;
    std::string bytes;
};

// The carrier of the strongest PSK31 signal: the peak of the file's mean spectrum summed over the
// width of a signal (the two idle tones +-15.6 Hz around a carrier both fall inside the sum).
double strongestSignalHz(const std::vector<float>& samples)
{
    Spectrum spectrum;
    constexpr int kBins = kFftSize / 2;
    std::vector<double> mean(kBins, 0.0);
    std::vector<int32_t> bins(kBins);
    for (std::size_t pos = 0; pos < samples.size(); pos += kFftSize / 2) {
        const std::size_t n = std::min<std::size_t>(kFftSize / 2, samples.size() - pos);
        spectrum.process(std::span<const float>(samples).subspan(pos, n));
        spectrum.fill(bins.data(), 0, kBins - 1, 10000);
        for (int k = 0; k < kBins; ++k)
            mean[k] += std::pow(10.0, (bins[k] / 10000.0 - 1.0) * 10.0); // back to power
    }
    const int lo = int(kMinAudioHz * kFftSize / kSampleRate), hi = int(kMaxAudioHz * kFftSize / kSampleRate);
    constexpr int kHalfWidth = 5; // bins, about 20 Hz
    double best = -1;
    int bestBin = (lo + hi) / 2;
    for (int k = lo + kHalfWidth; k <= hi - kHalfWidth; ++k) {
        double sum = 0;
        for (int j = -kHalfWidth; j <= kHalfWidth; ++j)
            sum += mean[k + j];
        if (sum > best) {
            best = sum;
            bestBin = k;
        }
    }
    return double(bestBin) * kSampleRate / kFftSize;
}

// Decoded bytes as terminal text: CR (or LF, or CR LF) is a line break; other control codes are dropped.
std::string printable(const std::string& bytes)
{
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r')
            text += '\n';
        else if (c == '\n') {
            if (i == 0 || bytes[i - 1] != '\r')
                text += '\n';
        } else if (c == '\t' || c >= 0x20)
            text += char(c);
    }
    return cp1252::toUtf8(text);
}

std::string jsonString(const std::string& utf8)
{
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += char(c);
            }
        }
    }
    return out + "\"";
}

const char* modeName(PskMode mode)
{
    return mode == PskMode::Bpsk ? "bpsk" : mode == PskMode::QpskUsb ? "qpsk-usb" : "qpsk-lsb";
}

} // namespace

int main(int argc, char** argv)
{
    PskMode mode = PskMode::Bpsk;
    std::vector<double> freqs;
    double afcHz = 10, ppm = 0;
    int squelch = 10;
    bool json = false;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc)
                return std::nullopt;
            return std::string(argv[++i]);
        };
        if (arg == "--json") {
            json = true;
        } else if (arg == "--mode" || arg == "--freq" || arg == "--afc" || arg == "--squelch" || arg == "--ppm") {
            const auto v = value();
            if (!v)
                return fail(arg + " needs a value");
            if (arg == "--mode") {
                const auto m = parseMode(*v);
                if (!m)
                    return fail("--mode must be bpsk, qpsk-usb or qpsk-lsb, not '" + *v + "'");
                mode = *m;
            } else if (arg == "--freq") {
                const auto f = parseNumber(*v, kMinAudioHz, kMaxAudioHz);
                if (!f)
                    return fail("--freq must be a frequency from 100 to 3900 Hz, not '" + *v + "'");
                freqs.push_back(*f);
            } else if (arg == "--afc") {
                const auto a = parseNumber(*v, 0, 100);
                if (!a)
                    return fail("--afc must be from 0 to 100 Hz, not '" + *v + "'");
                afcHz = *a;
            } else if (arg == "--squelch") {
                const auto q = parseNumber(*v, 0, 99);
                if (!q || *q != int(*q))
                    return fail("--squelch must be a whole number from 0 to 99, not '" + *v + "'");
                squelch = int(*q);
            } else {
                const auto p = parseNumber(*v, -10000, 10000);
                if (!p)
                    return fail("--ppm must be from -10000 to 10000, not '" + *v + "'");
                ppm = *p;
            }
        } else if (arg == "-h" || arg == "--help") {
            std::printf("%s\n", kUsage);
            return 0;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return fail("unknown option '" + arg + "' (" + kUsage + ")");
        } else if (path.empty()) {
            path = arg;
        } else {
            return fail("only one input file may be given");
        }
    }
    if (path.empty())
        return fail(std::string("no input file (") + kUsage + ")");

    std::vector<float> samples;
    std::string error;
    if (!readAudio8k(path, samples, error))
        return fail(error);
    if (ppm != 0) {
        Resampler clock;
        clock.setPpm(ppm);
        std::vector<float> corrected;
        clock.process(samples, corrected);
        samples.swap(corrected);
    }
    if (freqs.empty())
        freqs.push_back(strongestSignalHz(samples));

    std::vector<Channel> channels(freqs.size());
    for (std::size_t c = 0; c < freqs.size(); ++c) {
        Channel& ch = channels[c];
        ch.startHz = freqs[c];
        ch.demodulator.setMode(mode);
        // As a click on the waterfall does: no capture range of its own, the AFC's reach.
        ch.demodulator.setFrequency(freqs[c], 0);
        ch.demodulator.setAfcLimit(afcHz);
        ch.demodulator.setSquelch(squelch, 1);
    }
    // Two seconds of silence after the recording let the QPSK decoder (and the equaliser) hand out the last
    // characters, which it decides some symbols late.
    samples.resize(samples.size() + 2 * kSampleRate, 0.0f);
    constexpr std::size_t kBlock = 2048;
    for (std::size_t pos = 0; pos < samples.size(); pos += kBlock) {
        const auto block = std::span<const float>(samples).subspan(pos, std::min(kBlock, samples.size() - pos));
        for (Channel& ch : channels)
            ch.demodulator.process(block, ch.bytes);
    }

    if (json) {
        for (std::size_t c = 0; c < channels.size(); ++c) {
            const Channel& ch = channels[c];
            std::printf("{\"channel\": %zu, \"mode\": \"%s\", \"start_hz\": %.2f, \"final_hz\": %.2f, \"text\": %s}\n",
                        c, modeName(mode), ch.startHz, ch.demodulator.frequencyHz(),
                        jsonString(printable(ch.bytes)).c_str());
        }
    } else {
        for (std::size_t c = 0; c < channels.size(); ++c) {
            if (channels.size() > 1)
                std::printf("%s[%.2f Hz] ", c ? "\n" : "", channels[c].startHz);
            std::fputs(printable(channels[c].bytes).c_str(), stdout);
        }
        if (channels.size() > 1)
            std::fputs("\n", stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 2;
}
