// pskcore-decode: decodes PSK31 from an audio file, one channel per --freq (default: the strongest signal), or
// every signal found in it with --all.
#include "Options.h"
#include "QuietStderr.h"
#include "ToolText.h"
#include "runtime/AudioFileReader.h"

#include "pskcore/dsp/BandBrowser.h"
#include "pskcore/dsp/ChannelDemodulator.h"
#include "pskcore/dsp/Resampler.h"
#include "pskcore/dsp/Spectrum.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

using namespace pskcore;

namespace {

constexpr std::size_t kMaxChannels = 32; // each channel costs memory and time: a bound for a runaway script
constexpr const char* kUsage =
    "usage: pskcore-decode [--mode bpsk|qpsk-usb|qpsk-lsb] [--freq HZ]... [--afc HZ] [--squelch N] [--ppm N] "
    "[--json] FILE\n"
    "       pskcore-decode --all [--ppm N] [--json] FILE";

int fail(const std::string& message)
{
    // One line whatever the message holds (a file name may contain a line break).
    std::string line = message;
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    std::fprintf(stderr, "pskcore-decode: %s\n", line.c_str());
    return 2;
}

struct Channel {
    double startHz;
    ChannelDemodulator demodulator;
    std::string bytes;
};

// The carrier of the strongest PSK31 signal: the peak of the recording's mean spectrum summed over the
// width of a signal (the two idle tones +-15.6 Hz around a carrier both fall inside the sum).
class StrongestSignal {
public:
    void add(std::span<const float> samples)
    {
        while (!samples.empty()) {
            const std::size_t n = std::min(samples.size(), kHop - m_fill);
            m_spectrum.process(samples.first(n));
            samples = samples.subspan(n);
            m_fill += n;
            if (m_fill == kHop)
                accumulate();
        }
    }

    double carrierHz()
    {
        if (m_fill > 0)
            accumulate();
        const int lo = int(kMinAudioHz * kFftSize / kSampleRate), hi = int(kMaxAudioHz * kFftSize / kSampleRate);
        constexpr int kHalfWidth = 5; // bins, about 20 Hz
        double best = -1;
        int bestBin = (lo + hi) / 2;
        for (int k = lo + kHalfWidth; k <= hi - kHalfWidth; ++k) {
            double sum = 0;
            for (int j = -kHalfWidth; j <= kHalfWidth; ++j)
                sum += m_mean[std::size_t(k + j)];
            if (sum > best) {
                best = sum;
                bestBin = k;
            }
        }
        return double(bestBin) * kSampleRate / kFftSize;
    }

private:
    static constexpr std::size_t kHop = kFftSize / 2;
    static constexpr int kBins = kFftSize / 2;

    void accumulate()
    {
        m_spectrum.fill(m_bins.data(), 0, kBins - 1, 10000);
        for (int k = 0; k < kBins; ++k)
            m_mean[std::size_t(k)] += std::pow(10.0, (m_bins[std::size_t(k)] / 10000.0 - 1.0) * 10.0); // power
        m_fill = 0;
    }

    Spectrum m_spectrum;
    std::vector<double> m_mean = std::vector<double>(kBins, 0.0);
    std::vector<int32_t> m_bins = std::vector<int32_t>(kBins);
    std::size_t m_fill = 0;
};

// Reads the recording block by block, clock-corrected by ppm, into consume. False with error set when the
// file cannot be read, is truncated or fails part-way.
bool readRecording(const std::string& path, double ppm, const std::function<void(std::span<const float>)>& consume,
                   std::string& error)
{
    AudioFileReader reader;
    bool opened = false;
    {
        const QuietStderr quiet;
        opened = reader.open(path, error);
    }
    if (!opened)
        return false;
    Resampler clock;
    clock.setPpm(ppm);
    std::vector<float> block, corrected;
    for (bool more = reader.problem().empty(); more;) {
        block.clear();
        {
            const QuietStderr quiet;
            more = reader.read(block);
        }
        if (ppm != 0) {
            corrected.clear();
            clock.process(block, corrected);
            block.swap(corrected);
        }
        if (!block.empty())
            consume(block);
    }
    error = reader.problem();
    return error.empty();
}

// A frequency as printed, two decimals. JSON has no NaN or infinity: one that is not a number reads fallbackHz.
std::string hzText(double hz, double fallbackHz)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", std::isfinite(hz) ? hz : fallbackHz);
    return text;
}

// One decoded signal as a JSON object on one line; snrDb only for the signals --all found.
std::string jsonLine(std::size_t channel, PskMode mode, double startHz, double finalHz, const std::string& bytes,
                     std::optional<double> snrDb = std::nullopt)
{
    std::string line = "{\"channel\": " + std::to_string(channel) + ", \"mode\": \"" + modeName(mode) +
                       "\", \"start_hz\": " + hzText(startHz, startHz) + ", \"final_hz\": " + hzText(finalHz, startHz);
    if (snrDb) {
        char snr[32];
        std::snprintf(snr, sizeof snr, "%.1f", std::isfinite(*snrDb) ? *snrDb : 0.0);
        line += std::string(", \"snr_db\": ") + snr;
    }
    return line + ", \"text\": " + jsonString(printable(bytes)) + "}\n";
}

// Every signal of the recording through the signal browser: its text, where it started and ended, its mode
// and its mean SNR while it printed.
struct FoundSignal {
    double startHz = 0;
    double finalHz = 0;
    PskMode mode = PskMode::Bpsk;
    double snrSum = 0;
    std::size_t snrCount = 0;
    std::string bytes;
};

std::optional<std::vector<FoundSignal>> decodeAll(const std::string& path, double ppm, std::string& error)
{
    BandBrowser browser;
    std::map<int, FoundSignal> found;
    std::vector<BrowserText> decoded;
    const auto browse = [&](std::span<const float> block) {
        decoded.clear();
        browser.process(block, decoded);
        for (const BrowserText& d : decoded) {
            auto [it, fresh] = found.try_emplace(d.id);
            FoundSignal& f = it->second;
            if (fresh)
                f.startHz = d.freqHz;
            f.finalHz = d.freqHz;
            f.mode = d.mode;
            f.snrSum += d.snrDb;
            ++f.snrCount;
            f.bytes += d.bytes;
        }
    };
    if (!readRecording(path, ppm, browse, error))
        return std::nullopt;
    browse(std::vector<float>(2 * kSampleRate, 0.0f)); // the decoders' last characters, as below
    std::vector<FoundSignal> list;
    for (auto& [id, f] : found)
        list.push_back(std::move(f));
    std::sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a.startHz < b.startHz; });
    return list;
}

// A full disk or a closed pipe is a failure the caller must see.
int writeOut(const std::string& out)
{
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0)
        return fail(std::string("cannot write the output: ") + std::strerror(errno));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    PskMode mode = PskMode::Bpsk;
    std::vector<double> freqs;
    double afcHz = 10, ppm = 0;
    int squelch = 10;
    bool json = false, all = false, tuned = false;
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
        } else if (arg == "--all") {
            all = true;
        } else if (arg == "--mode" || arg == "--freq" || arg == "--afc" || arg == "--squelch" || arg == "--ppm") {
            const auto v = value();
            if (!v)
                return fail(arg + " needs a value");
            tuned = tuned || arg != "--ppm";
            if (arg == "--mode") {
                const auto m = parseMode(*v);
                if (!m)
                    return fail("--mode must be bpsk, qpsk-usb or qpsk-lsb, not '" + *v + "'");
                mode = *m;
            } else if (arg == "--freq") {
                const auto f = parseNumber(*v, kMinAudioHz, kMaxAudioHz);
                if (!f)
                    return fail("--freq must be a frequency from 100 to 3900 Hz, not '" + *v + "'");
                if (freqs.size() == kMaxChannels)
                    return fail("at most " + std::to_string(kMaxChannels) + " --freq may be given");
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
        } else if (arg == "--version") {
            std::printf("%s\n", versionLine("pskcore-decode").c_str());
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
    if (all && tuned)
        return fail("--all finds every signal and its mode: --mode, --freq, --afc and --squelch do not go with it");

    std::string error;
    if (all) {
        const auto list = decodeAll(path, ppm, error);
        if (!list)
            return fail(error);
        std::string out;
        for (std::size_t c = 0; c < list->size(); ++c) {
            const FoundSignal& f = (*list)[c];
            if (json)
                out += jsonLine(c, f.mode, f.startHz, f.finalHz, f.bytes, f.snrSum / double(f.snrCount));
            else
                out += "[" + hzText(f.finalHz, f.startHz) + " Hz " + modeName(f.mode) + "] " + printable(f.bytes) + "\n";
        }
        return writeOut(out);
    }
    if (freqs.empty()) {
        StrongestSignal strongest;
        if (!readRecording(path, ppm, [&](std::span<const float> block) { strongest.add(block); }, error))
            return fail(error);
        freqs.push_back(strongest.carrierHz());
    }

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
    const auto demodulate = [&](std::span<const float> block) {
        for (Channel& ch : channels)
            ch.demodulator.process(block, ch.bytes);
    };
    if (!readRecording(path, ppm, demodulate, error))
        return fail(error);
    // Two seconds of silence after the recording let the QPSK decoder (and the equaliser) hand out the last
    // characters, which it decides some symbols late.
    demodulate(std::vector<float>(2 * kSampleRate, 0.0f));

    std::string out;
    if (json) {
        for (std::size_t c = 0; c < channels.size(); ++c) {
            const Channel& ch = channels[c];
            out += jsonLine(c, mode, ch.startHz, ch.demodulator.frequencyHz(), ch.bytes);
        }
    } else {
        for (std::size_t c = 0; c < channels.size(); ++c) {
            if (channels.size() > 1)
                out += (c ? "\n[" : "[") + hzText(channels[c].startHz, channels[c].startHz) + " Hz] ";
            out += printable(channels[c].bytes);
        }
        if (channels.size() > 1)
            out += "\n";
    }
    return writeOut(out);
}
