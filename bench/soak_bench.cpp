// The running engine over a long run: 8 kHz audio (noise, with two stations coming and going on the two
// channels' frequencies and a third elsewhere) fed as fast as the engine takes it, both channels decoding,
// data messages fetched as the program fetches them. Prints resident memory and thread count at intervals:
// both must stay flat. Run by hand: soak_bench [--hours N] (default 24 hours of audio).
#include "pskcore/dsp/Modulator.h"
#include "pskcore/pskcore.h"
#include "pskcore/seams.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace pskcore;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::size_t kBlock = 1024;
constexpr std::size_t kSamplesPerNoiseReport = 8 * 1024; // the engine reports the noise every 8 blocks
constexpr std::size_t kMaxAhead = kSampleRate;           // within the engine's 2 s input queue
constexpr double kNoiseRms = 0.05;
constexpr int64_t kSamplesPerReport = int64_t(kSampleRate) * 3600; // a line per hour of audio

// A station: its transmission, then silence, over and over.
struct Station {
    std::vector<float> audio;
    std::size_t silence;
};

Station station(const char* text, double freqHz, PskMode mode, int repeats, double silenceS)
{
    Modulator tx;
    tx.setMode(mode);
    tx.setFrequency(freqHz);
    tx.setLevelDb(-20);
    tx.startText();
    for (int r = 0; r < repeats; ++r)
        for (const char* c = text; *c; ++c)
            tx.queueChar(static_cast<unsigned char>(*c));
    tx.stop();
    Station s{{}, std::size_t(silenceS * kSampleRate)};
    std::vector<float> block(4096);
    while (!tx.finished()) {
        const std::size_t n = tx.render(block);
        s.audio.insert(s.audio.end(), block.begin(), block.begin() + std::ptrdiff_t(n));
    }
    return s;
}

// Capture as fast as the engine consumes: at most a second ahead of what it has reported processed.
class FastSource : public AudioInput {
public:
    FastSource(std::atomic<int64_t>& processed, int64_t total) : m_processed(processed), m_total(total)
    {
        m_stations.push_back(station("CQ CQ de F4DXK F4DXK pse k ", 1000, PskMode::Bpsk, 6, 40));
        m_stations.push_back(station("EA3GHZ de DL2MSK ur 579 name Jens 73 ", 1500, PskMode::QpskUsb, 5, 25));
        m_stations.push_back(station("TEST de G0ABC ", 2300, PskMode::Bpsk, 10, 7));
    }
    ~FastSource() override { stop(); }
    int start(int, Deliver deliver) override
    {
        m_quit = false;
        m_thread = std::thread([this, deliver] { run(deliver); });
        return 0;
    }
    void stop() override
    {
        m_quit = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    int64_t delivered() const { return m_delivered; }

private:
    void run(const Deliver& deliver)
    {
        std::mt19937 rng(20261210);
        std::normal_distribution<float> noise(0.0f, float(kNoiseRms));
        std::vector<float> block(kBlock);
        std::vector<std::size_t> positions(m_stations.size(), 0);
        while (!m_quit && m_delivered < m_total) {
            if (m_delivered - m_processed.load() * int64_t(kSamplesPerNoiseReport) > int64_t(kMaxAhead)) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
                continue;
            }
            for (float& x : block)
                x = noise(rng);
            for (std::size_t s = 0; s < m_stations.size(); ++s) {
                const Station& st = m_stations[s];
                for (float& x : block) {
                    if (positions[s] < st.audio.size())
                        x += st.audio[positions[s]];
                    positions[s] = (positions[s] + 1) % (st.audio.size() + st.silence);
                }
            }
            deliver(block.data(), block.size());
            m_delivered += int64_t(block.size());
        }
    }

    std::atomic<int64_t>& m_processed;
    int64_t m_total;
    std::vector<Station> m_stations;
    std::thread m_thread;
    std::atomic<bool> m_quit{false};
    std::atomic<int64_t> m_delivered{0};
};

class NoOutput : public AudioOutput {
public:
    int check(int) override { return 0; }
    int start(int, Fill, Underflow) override { return 0; }
    void drain() override {}
    void abort() override {}
};

// A field of /proc/self/status ("VmRSS", "Threads"), its number.
long procStatus(const char* field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0 && line[std::strlen(field)] == ':')
            return std::atol(line.c_str() + std::strlen(field) + 1);
    return -1;
}

struct Message {
    int32_t message, wParam, lParam;
};

} // namespace

int main(int argc, char** argv)
{
    double hours = 24;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--hours")
            hours = std::atof(argv[++i]);
    const auto totalSamples = int64_t(hours * 3600 * kSampleRate);

    std::atomic<int64_t> noiseReports{0};
    auto source = std::make_shared<FastSource>(noiseReports, totalSamples);
    setAudioSeam(source, std::make_shared<NoOutput>());

    // The program's side: messages posted to its thread, data fetched on each data message.
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Message> queue;
    const PskMessageSink sink = [&](int32_t m, int32_t w, int32_t l) {
        if (m == pskmsg::ImdOrNoise && l == 2)
            ++noiseReports;
        {
            std::lock_guard lock(mutex);
            queue.push_back({m, w, l});
        }
        wake.notify_one();
    };

    fnSetRXFrequency(1000, 10, 0);
    fnSetRXPSKMode(0, 0);
    fnSetRXFrequency(1500, 10, 1);
    fnSetRXPSKMode(1, 1);
    for (int c = 0; c < 2; ++c) {
        fnSetAFCLimit(10, c);
        fnSetSquelchThreshold(10, 1, c);
    }
    std::printf("soak: %.1f hours of audio, 2 channels; RSS and threads at start %ld kB, %ld\n", hours,
                procStatus("VmRSS"), procStatus("Threads"));
    std::printf("%8s %9s %9s %8s %12s %12s %10s\n", "audio h", "wall s", "RSS kB", "threads", "chars ch1",
                "chars ch2", "data msgs");
    const auto started = Clock::now();
    if (fnStartSoundCard(sink, -1, 2) != 0) {
        std::fprintf(stderr, "soak: the engine did not start\n");
        return 1;
    }
    std::array<int64_t, 2> chars{};
    int64_t dataMessages = 0;
    int64_t nextReport = kSamplesPerReport;
    std::array<int32_t, 1024> fft{};
    std::array<int32_t, 16> profile{};
    // The engine has taken everything once its noise reports cover all but the last partial report.
    const int64_t lastReport = totalSamples / int64_t(kSamplesPerNoiseReport) * int64_t(kSamplesPerNoiseReport);
    for (bool done = false; !done;) {
        std::deque<Message> messages;
        {
            std::unique_lock lock(mutex);
            wake.wait_for(lock, std::chrono::milliseconds(50), [&] { return !queue.empty(); });
            messages.swap(queue);
        }
        for (const Message& m : messages) {
            if (m.message == pskmsg::Character && (m.lParam == 0 || m.lParam == 1))
                ++chars[std::size_t(m.lParam)];
            if (m.message != pskmsg::NewData)
                continue;
            ++dataMessages;
            fnGetFFTData(fft.data(), 0, 1023);
            for (int c = 0; c < 2; ++c) {
                fnGetSyncData(profile.data(), c);
                fnGetVectorData(profile.data(), c);
                fnGetSignalLevel(c);
                fnGetRXFrequency(c);
            }
        }
        const int64_t processed = noiseReports.load() * int64_t(kSamplesPerNoiseReport);
        done = processed >= lastReport;
        if (processed >= nextReport || done) {
            std::printf("%8.2f %9.0f %9ld %8ld %12lld %12lld %10lld\n", double(processed) / kSampleRate / 3600,
                        std::chrono::duration<double>(Clock::now() - started).count(), procStatus("VmRSS"),
                        procStatus("Threads"), (long long)chars[0], (long long)chars[1], (long long)dataMessages);
            std::fflush(stdout);
            nextReport += kSamplesPerReport;
            // An operator clicks the stations again now and then.
            fnSetRXFrequency(1000, 10, 0);
            fnSetRXFrequency(1500, 10, 1);
        }
    }
    fnStopSoundCard();
    setAudioSeam(nullptr, nullptr);
    std::printf("after stop: RSS %ld kB, threads %ld\n", procStatus("VmRSS"), procStatus("Threads"));
    return 0;
}
