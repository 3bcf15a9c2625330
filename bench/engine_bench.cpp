// The running engine's cost and promptness: CPU use with both channels decoding and data messages fetched
// as the program fetches them, and the delay from the end of a character in the input to its character
// message. The input is fed at the sound card's pace from a recording made beforehand, so the figures are
// the engine's own. Run by hand: engine_bench [--seconds N].
#include "pskcore/dsp/ChannelDemodulator.h"
#include "pskcore/dsp/Modulator.h"
#include "pskcore/dsp/Varicode.h"
#include "pskcore/pskcore.h"
#include "pskcore/seams.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace pskcore;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRate = kSampleRate;
constexpr std::size_t kBlock = kSamplesPerSymbol; // the card delivers a symbol's worth at a time

const char* kTextOne = "CQ CQ de F4DXK F4DXK pse k. The quick brown fox jumps over the lazy dog 0123456789. ";
const char* kTextTwo = "EA3GHZ de DL2MSK ur RST 579 579, name Jens, QTH Hamburg. 73 and good DX, sk. ";

// A station's audio and, for each character, the sample where its trailing "00" ends: the earliest
// moment a decoder can know the character is complete.
struct Station {
    std::vector<float> audio;
    std::vector<std::pair<char, std::size_t>> ends;
};

Station station(const std::string& text, double freqHz, PskMode mode, std::size_t repeats)
{
    Modulator modulator;
    modulator.setFrequency(freqHz);
    modulator.setLevelDb(-14);
    modulator.setMode(mode);
    for (std::size_t r = 0; r < repeats; ++r)
        for (char c : text)
            modulator.queueChar(static_cast<uint8_t>(c));
    modulator.requestReturnToReceive();
    modulator.startText();
    Station s;
    std::vector<float> block(kBlock);
    for (std::size_t symbol = 0;; ++symbol) {
        const std::size_t made = modulator.render(block);
        s.audio.insert(s.audio.end(), block.begin(), block.begin() + std::ptrdiff_t(made));
        for (uint8_t byte : modulator.takeSentChars()) {
            const std::size_t bits = varicode::encode(byte).size() + 2;
            s.ends.push_back({char(byte), (symbol + bits) * kBlock});
        }
        if (made < block.size())
            break;
    }
    return s;
}

// The end is that of the "00" after the word, so the figures include the two separator symbols (64 ms).

// Capture at the card's pace from a buffer, noting when each block arrived.
class PacedRecording : public AudioInput {
public:
    explicit PacedRecording(std::vector<float> audio) : m_audio(std::move(audio)) {}
    int start(int, Deliver deliver) override
    {
        m_quit = false;
        m_thread = std::thread([this, deliver] {
            auto next = Clock::now();
            for (std::size_t pos = 0; !m_quit && pos + kBlock <= m_audio.size(); pos += kBlock) {
                {
                    std::lock_guard lock(m_mutex);
                    m_arrivals.push_back(Clock::now());
                }
                deliver(m_audio.data() + pos, kBlock);
                next += std::chrono::microseconds(1'000'000 * kBlock / kRate);
                std::this_thread::sleep_until(next);
            }
            m_done = true;
        });
        return 0;
    }
    void stop() override
    {
        m_quit = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    bool done() const { return m_done; }
    Clock::time_point arrival(std::size_t block)
    {
        std::lock_guard lock(m_mutex);
        return block < m_arrivals.size() ? m_arrivals[block] : Clock::time_point::max();
    }

private:
    std::vector<float> m_audio;
    std::thread m_thread;
    std::atomic<bool> m_quit{false};
    std::atomic<bool> m_done{false};
    std::mutex m_mutex;
    std::vector<Clock::time_point> m_arrivals;
};

class NoPlayback : public AudioOutput {
public:
    int check(int) override { return 0; }
    int start(int, Fill, Underflow) override { return 0; }
    void drain() override {}
    void abort() override {}
};

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

struct Run {
    double cpuPercent = 0;
    double seconds = 0;
    std::size_t dataMessages = 0;
    std::vector<double> latencyMs; // channel 0
    std::vector<double> demodulatorMs; // the same, the demodulator alone, offline
    std::string decodedOne, decodedTwo;
};

Run run(PskMode mode, double seconds)
{
    const std::size_t repeats = std::size_t(seconds / 20) + 1;
    Station one = station(kTextOne, 1000, mode, repeats);
    Station two = station(kTextTwo, 1500, mode, repeats);
    const std::size_t length = std::min<std::size_t>(std::size_t(seconds * kRate), one.audio.size());
    std::vector<float> audio(length);
    std::mt19937 random(5);
    std::normal_distribution<float> noise(0.0f, 0.01f);
    for (std::size_t n = 0; n < length; ++n)
        audio[n] = one.audio[n] + (n < two.audio.size() ? two.audio[n] : 0.0f) + noise(random);

    Run result;
    // The demodulator's own share: the same input decoded offline a block at a time, each character timed
    // from its end to the end of the block that produced it.
    {
        ChannelDemodulator demod;
        demod.setMode(mode);
        demod.setFrequency(1000, 10);
        demod.setSquelch(20, 1);
        std::size_t sent = 0;
        std::string out;
        for (std::size_t pos = 0; pos + kBlock <= audio.size(); pos += kBlock) {
            out.clear();
            demod.process(std::span<const float>(audio.data() + pos, kBlock), out);
            for (char c : out) {
                while (sent < one.ends.size() && one.ends[sent].first != c)
                    ++sent;
                if (sent >= one.ends.size())
                    break;
                if (one.ends[sent].second <= pos + kBlock)
                    result.demodulatorMs.push_back(1000.0 * double(pos + kBlock - one.ends[sent].second) / kRate);
                ++sent;
            }
        }
    }

    auto input = std::make_shared<PacedRecording>(audio);
    setAudioSeam(input, std::make_shared<NoPlayback>());

    std::mutex mutex;
    std::condition_variable wake;
    bool dataPending = false;
    std::vector<std::pair<char, Clock::time_point>> received;
    auto sink = [&](int32_t message, int32_t wParam, int32_t lParam) {
        const auto now = Clock::now();
        std::lock_guard lock(mutex);
        if (message == pskmsg::NewData) {
            ++result.dataMessages;
            dataPending = true;
            wake.notify_one();
        } else if (message == pskmsg::Character && lParam == 0) {
            received.push_back({char(wParam), now});
            result.decodedOne += char(wParam);
        } else if (message == pskmsg::Character && lParam == 1) {
            result.decodedTwo += char(wParam);
        }
    };

    // The program's fetches on each data message.
    std::atomic<bool> quit{false};
    std::thread program([&] {
        std::vector<int32_t> fft(1024), sync(16), vectors(16);
        while (!quit) {
            {
                std::unique_lock lock(mutex);
                wake.wait_for(lock, std::chrono::milliseconds(100), [&] { return dataPending; });
                if (!dataPending)
                    continue;
                dataPending = false;
            }
            fnGetFFTData(fft.data(), 25, 896);
            fnGetSignalLevel(0);
            fnGetSignalLevel(1);
            fnGetRXFrequency(0);
            fnGetRXFrequency(1);
            fnGetSyncData(sync.data(), 0);
            fnGetVectorData(vectors.data(), 0);
        }
    });

    for (int c = 0; c < 2; ++c) {
        fnSetRXPSKMode(int(mode), c);
        fnSetAFCLimit(10, c);
        fnSetSquelchThreshold(20, 1, c);
    }
    fnSetRXFrequency(1000, 10, 0);
    fnSetRXFrequency(1500, 10, 1);
    fnSetFFTMode(1, 100, 1);

    const double cpuBefore = processCpuSeconds();
    const auto wallBefore = Clock::now();
    if (fnStartSoundCard(sink, -1, 2) != 0) {
        std::fprintf(stderr, "engine did not start\n");
        quit = true;
        program.join();
        return result;
    }
    while (!input->done())
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    fnStopSoundCard();
    result.seconds = std::chrono::duration<double>(Clock::now() - wallBefore).count();
    result.cpuPercent = 100.0 * (processCpuSeconds() - cpuBefore) / result.seconds;
    quit = true;
    program.join();
    setAudioSeam(nullptr, nullptr);

    // Match the decoded characters to the sent ones in order (a clean signal: one for one).
    std::size_t sent = 0;
    for (const auto& [c, when] : received) {
        while (sent < one.ends.size() && one.ends[sent].first != c)
            ++sent;
        if (sent >= one.ends.size())
            break;
        const std::size_t endSample = one.ends[sent].second;
        if (endSample <= length) {
            const auto arrived = input->arrival((endSample + kBlock - 1) / kBlock - 1);
            result.latencyMs.push_back(std::chrono::duration<double, std::milli>(when - arrived).count());
        }
        ++sent;
    }
    return result;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void report(const char* name, const Run& r)
{
    std::vector<double> latency = r.latencyMs;
    std::sort(latency.begin(), latency.end());
    auto at = [&](double q) { return latency.empty() ? 0.0 : latency[std::size_t(q * double(latency.size() - 1))]; };
    std::printf("%-8s  CPU %5.2f %% of one core over %.1f s, %zu data messages (%.1f/s)\n", name, r.cpuPercent,
                r.seconds, r.dataMessages, double(r.dataMessages) / r.seconds);
    std::printf("          latency end of character -> 0x7E9: median %.0f ms, 90%% %.0f ms, max %.0f ms (%zu chars)\n",
                at(0.5), at(0.9), at(1.0), latency.size());
    std::printf("          of which the demodulator's own delay (offline, 32 ms blocks): median %.0f ms\n",
                median(r.demodulatorMs));
    std::printf("          channel 1: \"%.60s...\"\n          channel 2: \"%.60s...\"\n", r.decodedOne.c_str(),
                r.decodedTwo.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    double seconds = 30;
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc)
            seconds = std::atof(argv[++i]);
    std::printf("Engine at the sound card's pace, two channels decoding, data fetched on every message\n");
    report("BPSK31", run(PskMode::Bpsk, seconds));
    report("QPSK31", run(PskMode::QpskUsb, seconds));
    return 0;
}
