#include "runtime/Engine.h"

#include "runtime/AudioFileReader.h"
#include "runtime/DemoBand.h"
#include "runtime/PacedIo.h"
#include "runtime/PortAudioIo.h"
#include "runtime/WavFiles.h"

#include <algorithm>
#include <cmath>

namespace pskcore {
namespace {

constexpr std::size_t kBlock = kFftSize / 2;          // a new spectrum, and a data message, per block
constexpr std::size_t kReplayBlock = kFftSize;        // fnRewindInput counts 2048-sample blocks
constexpr int kMaxReplayBlocks = 99;
constexpr std::size_t kHistory = kReplayBlock * kMaxReplayBlocks;
constexpr std::size_t kMaxQueuedInput = 2 * kSampleRate; // beyond this the worker is not keeping up
constexpr unsigned kReportEvery = 8;                  // noise and clock reports about once a second

PskMode modeFor(int mode) { return static_cast<PskMode>(std::clamp(mode, 0, 2)); }

// Copies values first..last (clamped to from) to the same indexes of data, which may be null.
template <std::size_t N>
void copyRange(const std::array<int32_t, N>& from, int32_t* data, int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, int(N) - 1);
    for (int k = first; data && k <= last; ++k)
        data[k] = from[std::size_t(k)];
}

// The recording is opened here (a header read: quick, and never blocking on a FIFO or a device) and read
// block by block on the pacing thread, so a long one neither fills the memory nor holds up the caller.
std::shared_ptr<AudioInput> fileInput(const std::string& path)
{
    struct Playback {
        AudioFileReader reader;
        std::vector<float> pending;
        std::size_t position = 0;
    };
    auto playback = std::make_shared<Playback>();
    std::string error;
    if (!playback->reader.open(path, error))
        return nullptr;
    return std::make_shared<PacedInput>([playback](std::span<float> out) {
        Playback& p = *playback;
        for (float& sample : out) {
            if (p.position == p.pending.size()) {
                p.pending.clear();
                p.position = 0;
                while (p.pending.empty() && p.reader.read(p.pending)) {
                }
            }
            sample = p.position < p.pending.size() ? p.pending[p.position++] : 0.0f;
        }
    });
}

std::shared_ptr<AudioInput> demoInput()
{
    auto band = std::make_shared<DemoBand>();
    return std::make_shared<PacedInput>([band](std::span<float> out) {
        std::fill(out.begin(), out.end(), 0.0f);
        band->render(out);
    });
}

// Plays nowhere, at the card's pace: a transmission on a machine without a playback device.
std::shared_ptr<AudioOutput> discardOutput()
{
    return std::make_shared<PacedOutput>([](std::span<const float>) {});
}

// At rateHz, converted from the engine's 8000 Hz as for a sound card that runs at that rate.
std::shared_ptr<AudioOutput> fileOutput(const std::string& path, int rateHz)
{
    auto writer = std::make_shared<WavWriter>();
    if (!writer->open(path, rateHz))
        return nullptr;
    if (rateHz == kSampleRate)
        return std::make_shared<PacedOutput>([writer](std::span<const float> samples) { writer->write(samples); });
    auto resampler = std::make_shared<Resampler>(double(rateHz) / kSampleRate);
    auto converted = std::make_shared<std::vector<float>>();
    return std::make_shared<PacedOutput>([writer, resampler, converted](std::span<const float> samples) {
        converted->clear();
        resampler->process(samples, *converted);
        writer->write(*converted);
    });
}

} // namespace

Engine& Engine::instance()
{
    static Engine engine;
    return engine;
}

Engine::Engine() = default;

Engine::~Engine() { stop(); }

// ---------------------------------------------------------------- start and stop

void Engine::chooseAudio(std::shared_ptr<AudioInput>& input, std::shared_ptr<AudioOutput>& output, bool& soundCardIn,
                         bool& soundCardOut)
{
    std::lock_guard lock(m_stateMutex);
    soundCardIn = false;
    soundCardOut = false;
    if (m_seamInput)
        input = m_seamInput;
    else if (!m_inputFile.empty())
        input = fileInput(m_inputFile);
    else if (m_demoInput)
        input = demoInput();
    else {
        input = std::make_shared<PortAudioInput>(m_inputDevice);
        soundCardIn = true;
    }
    if (m_seamOutput)
        output = m_seamOutput;
    else if (!m_outputFile.empty())
        output = fileOutput(m_outputFile, m_outputFileRateHz);
    else {
        output = std::make_shared<PortAudioOutput>(m_outputDevice);
        soundCardOut = true;
    }
}

int32_t Engine::start(PskMessageSink sink, int device, int channels)
{
    std::lock_guard control(m_controlMutex);
    if (m_running)
        return 0;
    if (channels < 1 || channels > 2 || !sink)
        return pskerr::BadParameter;

    std::shared_ptr<AudioInput> input;
    std::shared_ptr<AudioOutput> output;
    bool soundCardIn = false;
    bool soundCardOut = false;
    chooseAudio(input, output, soundCardIn, soundCardOut);
    if (!input || !output)
        return pskerr::InitFailed;
    if (const int error = output->check(device); error != 0) {
        // A stand-in input needs no card at all: the transmission then plays nowhere; but never when the
        // operator named the device to transmit on.
        if (soundCardIn || !soundCardOut || error == pskerr::OutputDeviceAbsent)
            return error;
        output = discardOutput();
    }

    m_channels = channels;
    m_sink = std::move(sink);
    configureReceiver();
    {
        std::lock_guard lock(m_queueMutex);
        m_inputQueue.clear();
        m_txEvents.clear();
        m_quit = false;
    }
    m_dataPending = false;
    m_worker = std::thread(&Engine::workerLoop, this);

    if (const int error = input->start(device, [this](const float* s, std::size_t n) { deliverInput(s, n); });
        error != 0) {
        {
            std::lock_guard lock(m_queueMutex);
            m_quit = true;
        }
        m_wake.notify_all();
        m_worker.join();
        m_sink = nullptr;
        return error;
    }
    m_input = std::move(input);
    m_transmitter.attach(std::move(output), device);
    m_inputLive = true;
    m_running = true;
    return 0;
}

void Engine::stop()
{
    std::lock_guard control(m_controlMutex);
    if (!m_running)
        return;
    m_transmitter.shutdown();
    // The worker goes first: it may be asking the input how it is.
    {
        std::lock_guard lock(m_queueMutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_worker.join();
    {
        std::lock_guard lock(m_stateMutex);
        m_browserList.clear();
    }
    m_inputLive = false;
    m_input->stop();
    m_input.reset();
    m_sink = nullptr;
    m_running = false;
}

// The worker's DSP objects from the settings, before the worker starts.
void Engine::configureReceiver()
{
    std::lock_guard lock(m_stateMutex);
    m_commands.clear();
    m_spectrum.reset();
    m_inputResampler.reset();
    m_inputResampler.setPpm(m_ppm);
    for (int c = 0; c < 2; ++c) {
        const ChannelSettings& s = m_channelSettings[std::size_t(c)];
        ChannelDemodulator& demod = m_demod[std::size_t(c)];
        demod.reset();
        demod.setMode(s.mode);
        demod.setFrequency(s.freqHz, s.captureRange);
        demod.setAfcLimit(s.afcLimit);
        demod.setSquelch(s.squelchLevel, s.squelchSpeed);
        m_rxFreqNow[std::size_t(c)] = s.freqHz;
        m_appliedFreqGeneration[std::size_t(c)] = m_rxFreqGeneration[std::size_t(c)];
    }
    m_snapshot = Snapshot{};
    m_browser.reset();
    m_browserRunning = m_browserOn;
    m_browserList.clear();
    m_history.clear();
    m_blockFill = 0;
    m_blockCount = 0;
    m_demodStale = false;
    m_inputFailureReported = false;
}

// ---------------------------------------------------------------- receive settings and data

// Runs change on the worker before its next samples; the caller holds m_stateMutex.
void Engine::command(std::function<void()> change)
{
    if (!m_running)
        return;
    m_commands.push_back(std::move(change));
    {
        std::lock_guard lock(m_queueMutex);
        m_commandsWaiting = true;
    }
    m_wake.notify_one();
}

void Engine::setRxFrequency(int hz, int captureRange, int channel)
{
    if (!validChannel(channel))
        return;
    std::lock_guard lock(m_stateMutex);
    const auto c = std::size_t(channel);
    const double freq = std::clamp(double(hz), kMinAudioHz, kMaxAudioHz);
    const double range = std::clamp(captureRange, 0, 100);
    m_channelSettings[c].freqHz = freq;
    m_channelSettings[c].captureRange = int(range);
    m_rxFreqNow[c] = freq;
    const unsigned generation = ++m_rxFreqGeneration[c];
    command([this, c, freq, range, generation] {
        m_demod[c].setFrequency(freq, range);
        m_appliedFreqGeneration[c] = generation;
    });
}

int Engine::rxFrequency(int channel)
{
    if (!validChannel(channel))
        return 0;
    std::lock_guard lock(m_stateMutex);
    return int(std::lround(m_rxFreqNow[std::size_t(channel)]));
}

void Engine::setRxMode(int mode, int channel)
{
    if (!validChannel(channel))
        return;
    std::lock_guard lock(m_stateMutex);
    const auto c = std::size_t(channel);
    const PskMode psk = modeFor(mode);
    if (m_channelSettings[c].mode == psk)
        return; // a change of mode restarts the decoder: don't for a repeat of the same one
    m_channelSettings[c].mode = psk;
    command([this, c, psk] { m_demod[c].setMode(psk); });
}

void Engine::setAfcLimit(int hz, int channel)
{
    if (!validChannel(channel))
        return;
    std::lock_guard lock(m_stateMutex);
    const auto c = std::size_t(channel);
    const int limit = std::clamp(hz, 0, 100);
    m_channelSettings[c].afcLimit = limit;
    command([this, c, limit] { m_demod[c].setAfcLimit(limit); });
}

void Engine::setSquelch(int level, int speed, int channel)
{
    if (!validChannel(channel))
        return;
    std::lock_guard lock(m_stateMutex);
    const auto c = std::size_t(channel);
    const int l = std::clamp(level, 0, 99), s = std::clamp(speed, 0, 200);
    m_channelSettings[c].squelchLevel = l;
    m_channelSettings[c].squelchSpeed = s;
    command([this, c, l, s] { m_demod[c].setSquelch(l, s); });
}

// Only the full scale matters to the program; averaging and the display mode are left at the engine's own.
void Engine::setFftMode(int, int fullScale, int)
{
    std::lock_guard lock(m_stateMutex);
    m_fftFullScale = std::clamp(fullScale, 1, 1000000);
}

int Engine::fftData(int32_t* data, int first, int last)
{
    m_dataPending = false;
    std::lock_guard lock(m_stateMutex);
    copyRange(m_snapshot.fft, data, first, last);
    return m_snapshot.saturated ? 1 : 0;
}

int Engine::rawData(int32_t* data, int first, int last)
{
    m_dataPending = false;
    std::lock_guard lock(m_stateMutex);
    copyRange(m_snapshot.raw, data, first, last);
    return 1;
}

int Engine::syncData(int32_t* data, int channel) { return profileData(&Snapshot::sync, data, channel); }

int Engine::vectorData(int32_t* data, int channel) { return profileData(&Snapshot::vectors, data, channel); }

int Engine::profileData(PerChannelValues Snapshot::*values, int32_t* data, int channel)
{
    m_dataPending = false;
    if (!validChannel(channel) || !data)
        return 0;
    std::lock_guard lock(m_stateMutex);
    std::copy_n((m_snapshot.*values)[std::size_t(channel)].begin(), kProfileValues, data);
    return 1;
}

int Engine::signalLevel(int channel)
{
    m_dataPending = false;
    if (!validChannel(channel))
        return 0;
    std::lock_guard lock(m_stateMutex);
    return m_snapshot.level[std::size_t(channel)];
}

void Engine::setClockError(int ppm)
{
    ppm = std::clamp(ppm, -10000, 10000);
    {
        std::lock_guard lock(m_stateMutex);
        m_ppm = ppm;
        command([this, ppm] {
            m_inputResampler.reset();
            m_inputResampler.setPpm(ppm);
        });
    }
    m_transmitter.setClockErrorPpm(ppm);
}

void Engine::rewind(int blocks)
{
    const std::size_t count = std::size_t(std::clamp(blocks, 0, kMaxReplayBlocks)) * kReplayBlock;
    std::lock_guard lock(m_stateMutex);
    command([this, count] {
        if (m_transmitter.keyed())
            return;
        const std::size_t n = std::min(count, m_history.size());
        for (auto& demod : m_demod)
            demod.reset();
        const std::span<const float> replay(m_history.data() + m_history.size() - n, n);
        for (std::size_t pos = 0; pos < replay.size(); pos += kBlock)
            demodulate(replay.subspan(pos, std::min(kBlock, replay.size() - pos)));
    });
}

// ---------------------------------------------------------------- transmission

void Engine::setTxFrequency(int hz) { m_transmitter.setFrequency(hz); }

void Engine::startTx(int mode)
{
    std::lock_guard control(m_controlMutex);
    if (!m_running || mode < 0 || mode > 3)
        return;
    if (mode == 3)
        m_transmitter.startTune();
    else
        m_transmitter.startText(modeFor(mode));
}

void Engine::sendTxCharacter(int character, int control) { m_transmitter.send(character, control); }
void Engine::stopTx() { m_transmitter.stop(); }
void Engine::abortTx() { m_transmitter.abort(); }
void Engine::clearTxBuffer() { m_transmitter.clearQueue(); }
int Engine::txCharsRemaining() { return m_transmitter.charsRemaining(); }
void Engine::setCwIdText(const char* text) { m_transmitter.setCwIdText(text ? text : ""); }
void Engine::setCwIdSpeed(int n) { m_transmitter.setCwIdSpeed(n); }

// ---------------------------------------------------------------- sound-card choice

void Engine::setBrowser(bool on)
{
    std::lock_guard lock(m_stateMutex);
    m_browserOn = on;
    if (!on)
        m_browserList.clear();
    command([this, on] {
        m_browserRunning = on;
        if (!on)
            m_browser.reset();
    });
}

std::vector<BrowserSignal> Engine::browserSignals()
{
    std::lock_guard lock(m_stateMutex);
    return m_browserList;
}

void Engine::setInputFile(std::string path)
{
    std::lock_guard lock(m_stateMutex);
    m_inputFile = std::move(path);
}

void Engine::setOutputFile(std::string path)
{
    std::lock_guard lock(m_stateMutex);
    m_outputFile = std::move(path);
}

void Engine::setOutputFileRate(int rateHz)
{
    std::lock_guard lock(m_stateMutex);
    m_outputFileRateHz = rateHz > 0 ? rateHz : kSampleRate;
}

void Engine::setAudioDevices(std::string input, std::string output)
{
    std::lock_guard lock(m_stateMutex);
    m_inputDevice = std::move(input);
    m_outputDevice = std::move(output);
}

void Engine::setDemoInput(bool on)
{
    std::lock_guard lock(m_stateMutex);
    m_demoInput = on;
}

void Engine::setAudioSeam(std::shared_ptr<AudioInput> input, std::shared_ptr<AudioOutput> output)
{
    std::lock_guard lock(m_stateMutex);
    m_seamInput = std::move(input);
    m_seamOutput = std::move(output);
}

// ---------------------------------------------------------------- the worker

void Engine::post(int32_t message, int32_t wParam, int32_t lParam)
{
    if (m_sink)
        m_sink(message, wParam, lParam);
}

void Engine::pushTxEvents(std::span<const TxEvent> events)
{
    {
        std::lock_guard lock(m_queueMutex);
        m_txEvents.insert(m_txEvents.end(), events.begin(), events.end());
    }
    m_wake.notify_one();
}

void Engine::deliverInput(const float* samples, std::size_t count)
{
    bool overrun = false;
    {
        std::lock_guard lock(m_queueMutex);
        m_inputQueue.insert(m_inputQueue.end(), samples, samples + count);
        if (m_inputQueue.size() > kMaxQueuedInput) {
            m_inputQueue.erase(m_inputQueue.begin(),
                               m_inputQueue.begin() + std::ptrdiff_t(m_inputQueue.size() - kMaxQueuedInput / 2));
            overrun = true;
        }
    }
    if (overrun) {
        const TxEvent tooSlow{TxEvent::Status, psktx::TooSlow, 0};
        pushTxEvents(std::span(&tooSlow, 1));
    }
    else
        m_wake.notify_one();
}

void Engine::workerLoop()
{
    std::vector<float> input;
    std::vector<TxEvent> events;
    std::vector<std::function<void()>> commands;
    for (;;) {
        {
            std::unique_lock lock(m_queueMutex);
            m_wake.wait_for(lock, std::chrono::seconds(1), [this] {
                return m_quit || !m_inputQueue.empty() || !m_txEvents.empty() || m_commandsWaiting;
            });
            if (m_quit)
                return;
            input.swap(m_inputQueue);
            events.swap(m_txEvents);
            m_commandsWaiting = false;
        }
        {
            std::lock_guard lock(m_stateMutex);
            commands.swap(m_commands);
        }
        for (auto& change : commands)
            change();
        commands.clear();
        for (const TxEvent& event : events)
            handleTxEvent(event);
        events.clear();
        if (!input.empty())
            processInput(input);
        input.clear();
        checkInput();
    }
}

// A capture device that dies (unplugged, driver failure) is reported once, as reading is impossible.
void Engine::checkInput()
{
    const auto now = std::chrono::steady_clock::now();
    if (!m_inputLive || now - m_lastHealthCheck < std::chrono::seconds(1))
        return;
    m_lastHealthCheck = now;
    if (m_input->healthy() || m_inputFailureReported)
        return;
    m_inputFailureReported = true;
    post(pskmsg::TxStatus, pskerr::InputNotOpen, 0);
}

void Engine::handleTxEvent(const TxEvent& event)
{
    switch (event.kind) {
    case TxEvent::Started:
        post(pskmsg::TxStatus, psktx::Started, 0);
        break;
    case TxEvent::Sent:
        post(pskmsg::Character, event.value, 2);
        break;
    case TxEvent::Status:
        if (event.value == psktx::TooSlow) { // once in a while is enough
            const auto now = std::chrono::steady_clock::now();
            if (now - m_lastSlowReport < std::chrono::seconds(1))
                break;
            m_lastSlowReport = now;
        }
        post(pskmsg::TxStatus, event.value, 0);
        break;
    case TxEvent::Ended:
        m_transmitter.endIfCurrent(event.generation);
        break;
    case TxEvent::Failed:
        m_transmitter.abort();
        post(pskmsg::TxStatus, event.value, 0);
        break;
    }
}

void Engine::processInput(std::span<const float> samples)
{
    int ppm;
    {
        std::lock_guard lock(m_stateMutex);
        ppm = m_ppm;
    }
    std::span<const float> corrected = samples;
    if (ppm != 0) {
        m_corrected.clear();
        m_inputResampler.process(samples, m_corrected);
        corrected = m_corrected;
    }
    while (!corrected.empty()) {
        const std::size_t n = std::min(corrected.size(), kBlock - m_blockFill);
        const auto piece = corrected.first(n);
        corrected = corrected.subspan(n);

        m_history.insert(m_history.end(), piece.begin(), piece.end());
        if (m_history.size() > 2 * kHistory)
            m_history.erase(m_history.begin(), m_history.end() - std::ptrdiff_t(kHistory));
        m_spectrum.process(piece);
        if (m_transmitter.keyed()) {
            m_demodStale = true; // a half-duplex station hears only itself while it transmits
        } else {
            if (m_demodStale) {
                for (auto& demod : m_demod)
                    demod.reset();
                m_demodStale = false;
            }
            demodulate(piece);
            if (m_browserRunning) {
                m_browserText.clear();
                m_browser.process(piece, m_browserText);
            }
        }
        m_blockFill += n;
        if (m_blockFill == kBlock) {
            m_blockFill = 0;
            finishBlock();
        }
    }
}

void Engine::demodulate(std::span<const float> samples)
{
    for (int c = 0; c < m_channels; ++c) {
        m_decoded.clear();
        m_demod[std::size_t(c)].process(samples, m_decoded);
        for (char byte : m_decoded)
            post(pskmsg::Character, static_cast<uint8_t>(byte), c);
    }
}

void Engine::finishBlock()
{
    {
        std::lock_guard lock(m_stateMutex);
        m_snapshot.saturated = m_spectrum.fill(m_snapshot.fft.data(), 0, kBins - 1, m_fftFullScale);
        m_snapshot.raw = m_spectrum.rawSamples();
        if (m_browserRunning)
            m_browserList = m_browser.signals();
        for (std::size_t c = 0; c < 2; ++c) {
            m_snapshot.sync[c] = m_demod[c].syncProfile();
            m_snapshot.vectors[c] = m_demod[c].vectors();
            m_snapshot.level[c] = int(c) < m_channels ? m_demod[c].snrLevel() : 0;
            // A frequency the caller has just set stays what the caller reads until the channel has it.
            if (m_appliedFreqGeneration[c] == m_rxFreqGeneration[c])
                m_rxFreqNow[c] = m_demod[c].frequencyHz();
        }
    }
    if (!m_dataPending.exchange(true))
        post(pskmsg::NewData, 0, 0);

    for (int c = 0; c < m_channels; ++c) {
        if (const auto imd = m_demod[std::size_t(c)].takeImdDb())
            post(pskmsg::ImdOrNoise, *imd, c);
    }
    if (++m_blockCount % kReportEvery == 0) {
        post(pskmsg::ImdOrNoise, int32_t(std::lround(m_spectrum.noiseFloorDb())), 2);
        for (int c = 0; c < m_channels; ++c) {
            if (m_demod[std::size_t(c)].squelchOpen())
                post(pskmsg::ClockError, int32_t(std::lround(m_demod[std::size_t(c)].clockErrorPpm())), c);
        }
    }
}

} // namespace pskcore
