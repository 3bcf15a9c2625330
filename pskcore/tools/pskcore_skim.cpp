// pskcore-skim: a headless PSK31 skimmer. Reads live audio from a sound device chosen by name, or raw 16-bit
// little-endian mono PCM on standard input (what SDR programs send through a pipe), finds and decodes every
// PSK31 signal of the band, and writes one JSON line per completed line of text of a signal (or its text so
// far every 10 seconds). Stops cleanly on SIGINT or SIGTERM, end of input, or a failed write.
#include "Options.h"
#include "QuietStderr.h"
#include "SkimLines.h"

#include "pskcore/dsp/BandBrowser.h"
#include "pskcore/dsp/Resampler.h"

#include <portaudio.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

using namespace pskcore;

namespace {

constexpr const char* kUsage = "usage: pskcore-skim (--stdin | --device NAME) [--rate HZ]\n"
                               "       pskcore-skim --list-devices\n";
constexpr double kMinRateHz = 8000, kMaxRateHz = 384000;
constexpr std::size_t kReadFrames = 2048;
constexpr std::size_t kBlock = 1024; // as the engine hands its input on

volatile std::sig_atomic_t g_stop = 0;

void onStopSignal(int) { g_stop = 1; }

int fail(const std::string& message)
{
    std::string line = message;
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    std::fprintf(stderr, "pskcore-skim: %s\n", line.c_str());
    return 2;
}

std::string utcNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// Where the audio comes from: each read appends samples (full scale +-1) at the source's rate; false at the
// end of the input or on a failure (error set then).
using AudioRead = std::function<bool(std::vector<float>& out, std::string& error)>;

AudioRead standardInput()
{
    return [carry = std::string()](std::vector<float>& out, std::string& error) mutable {
        char buffer[kReadFrames * 2];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0)
            return errno == EINTR ? true : (error = std::string("cannot read standard input: ") + std::strerror(errno), false);
        if (n == 0)
            return false;
        carry.append(buffer, std::size_t(n));
        const std::size_t whole = carry.size() / 2 * 2;
        for (std::size_t i = 0; i < whole; i += 2) {
            const auto value = int16_t(uint16_t(uint8_t(carry[i])) | uint16_t(uint8_t(carry[i + 1])) << 8);
            out.push_back(float(value) / 32768.0f);
        }
        carry.erase(0, whole);
        return true;
    };
}

std::string lower(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// PortAudio for the time the tool runs.
class PortAudioSession {
public:
    PortAudioSession() : m_error(initialise()) {}
    ~PortAudioSession()
    {
        if (m_stream) {
            Pa_StopStream(m_stream);
            Pa_CloseStream(m_stream);
        }
        if (m_error == paNoError)
            Pa_Terminate();
    }
    PortAudioSession(const PortAudioSession&) = delete;
    PortAudioSession& operator=(const PortAudioSession&) = delete;

    bool ok() const { return m_error == paNoError; }

    void listInputs() const
    {
        for (PaDeviceIndex i = 0; i < Pa_GetDeviceCount(); ++i)
            if (const PaDeviceInfo* info = Pa_GetDeviceInfo(i); info && info->maxInputChannels > 0)
                std::printf("%s (%.0f Hz)\n", info->name, info->defaultSampleRate);
    }

    // The input device whose name is name, or failing that the only one whose name contains it (any case).
    PaDeviceIndex find(const std::string& name) const
    {
        PaDeviceIndex found = paNoDevice;
        int partial = 0;
        for (PaDeviceIndex i = 0; i < Pa_GetDeviceCount(); ++i) {
            const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
            if (!info || info->maxInputChannels < 1)
                continue;
            if (name == info->name)
                return i;
            if (lower(info->name).find(lower(name)) != std::string::npos) {
                found = i;
                ++partial;
            }
        }
        return partial == 1 ? found : paNoDevice;
    }

    // Opens the device in mono at rateHz (0: its default rate); the rate taken, or 0 with error set.
    double open(PaDeviceIndex device, double rateHz, std::string& error)
    {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
        const double rate = rateHz > 0 ? rateHz : info->defaultSampleRate;
        PaStreamParameters params{};
        params.device = device;
        params.channelCount = 1;
        params.sampleFormat = paFloat32;
        params.suggestedLatency = info->defaultHighInputLatency;
        const QuietStderr quiet;
        PaError e = Pa_OpenStream(&m_stream, &params, nullptr, rate, kReadFrames, paNoFlag, nullptr, nullptr);
        if (e == paNoError)
            e = Pa_StartStream(m_stream);
        if (e != paNoError) {
            error = std::string("cannot open '") + info->name + "': " + Pa_GetErrorText(e);
            return 0;
        }
        return rate;
    }

    AudioRead reader()
    {
        return [this](std::vector<float>& out, std::string& error) {
            float buffer[kReadFrames];
            const PaError e = Pa_ReadStream(m_stream, buffer, kReadFrames);
            if (e != paNoError && e != paInputOverflowed) {
                error = std::string("the sound device failed: ") + Pa_GetErrorText(e);
                return false;
            }
            out.insert(out.end(), buffer, buffer + kReadFrames);
            return true;
        };
    }

private:
    static PaError initialise()
    {
        const QuietStderr quiet;
        return Pa_Initialize();
    }

    PaError m_error;
    PaStream* m_stream = nullptr;
};

// A failed write (a closed pipe, a full disk) ends the run.
bool writeRecords(const std::vector<SkimLines::Record>& records)
{
    for (const auto& r : records) {
        const std::string line = skimJson(r, utcNow());
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size())
            return false;
    }
    return records.empty() || std::fflush(stdout) == 0;
}

int skim(const AudioRead& read, double rateHz)
{
    BandBrowser browser;
    SkimLines lines;
    Resampler resampler(double(kSampleRate) / rateHz);
    std::vector<float> input, samples;
    std::vector<BrowserText> decoded;
    std::vector<SkimLines::Record> records;
    std::size_t consumed = 0; // samples at 8000 Hz
    std::string error;
    while (!g_stop) {
        input.clear();
        if (!read(input, error))
            break;
        if (rateHz == kSampleRate)
            samples.insert(samples.end(), input.begin(), input.end());
        else
            resampler.process(input, samples);
        std::size_t pos = 0;
        for (; pos + kBlock <= samples.size(); pos += kBlock) {
            decoded.clear();
            records.clear();
            browser.process(std::span(samples).subspan(pos, kBlock), decoded);
            consumed += kBlock;
            const double now = double(consumed) / kSampleRate;
            lines.add(decoded, now, records);
            lines.tick(browser.signals(), now, records);
            if (!writeRecords(records))
                return fail(std::string("cannot write the output: ") + std::strerror(errno));
        }
        samples.erase(samples.begin(), samples.begin() + std::ptrdiff_t(pos));
    }
    records.clear();
    lines.flush(records);
    if (!writeRecords(records))
        return fail(std::string("cannot write the output: ") + std::strerror(errno));
    return error.empty() ? 0 : fail(error);
}

} // namespace

int main(int argc, char** argv)
{
    bool fromStdin = false, list = false;
    std::string device;
    double rateHz = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::printf("%s", kUsage);
            return 0;
        } else if (arg == "--version") {
            std::printf("%s\n", versionLine("pskcore-skim").c_str());
            return 0;
        } else if (arg == "--stdin") {
            fromStdin = true;
        } else if (arg == "--list-devices") {
            list = true;
        } else if ((arg == "--device" || arg == "--rate") && i + 1 < argc) {
            const std::string value = argv[++i];
            if (arg == "--device") {
                device = value;
            } else {
                const auto rate = parseNumber(value, kMinRateHz, kMaxRateHz);
                if (!rate)
                    return fail("--rate must be from 8000 to 384000 Hz, not '" + value + "'");
                rateHz = *rate;
            }
        } else {
            return fail("unknown option or missing value '" + arg + "' (" + std::string(kUsage, 0, std::strlen(kUsage) - 1) + ")");
        }
    }
    if (list + fromStdin + !device.empty() != 1)
        return fail("give one of --stdin, --device NAME or --list-devices");

    struct sigaction action{};
    action.sa_handler = onStopSignal; // no SA_RESTART: a blocked read returns and the loop sees the flag
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    if (fromStdin)
        return skim(standardInput(), rateHz > 0 ? rateHz : kSampleRate);

    PortAudioSession audio;
    if (!audio.ok())
        return fail("cannot start PortAudio");
    if (list) {
        audio.listInputs();
        return 0;
    }
    const PaDeviceIndex index = audio.find(device);
    if (index == paNoDevice)
        return fail("no single input device named '" + device + "' (see --list-devices)");
    std::string error;
    const double rate = audio.open(index, rateHz, error);
    if (rate <= 0)
        return fail(error);
    return skim(audio.reader(), rate);
}
