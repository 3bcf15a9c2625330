#pragma once

// The running engine behind the public functions: settings, the sound card and its stand-ins, the
// processing thread that feeds the spectrum and the two channels and posts the messages, and the wiring of
// the transmitter to them.
//
// Threads: the caller's (the program's GUI thread), the capture thread of the audio input, the playback
// thread of the audio output during a transmission, and the engine's worker. The DSP objects of reception
// belong to the worker alone: the caller's changes reach them as commands. The transmitter documents its
// own threads; what it reports reaches the worker as events, which the worker posts in order.

#include "pskcore/dsp/BandBrowser.h"
#include "pskcore/dsp/ChannelDemodulator.h"
#include "pskcore/dsp/Resampler.h"
#include "pskcore/dsp/Spectrum.h"
#include "pskcore/pskcore.h"
#include "pskcore/seams.h"
#include "runtime/Transmitter.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace pskcore {

class Engine {
public:
    static Engine& instance();
    ~Engine();

    int32_t start(PskMessageSink sink, int device, int channels);
    void stop();

    void setRxFrequency(int hz, int captureRange, int channel);
    int rxFrequency(int channel);
    void setRxMode(int mode, int channel);
    void setAfcLimit(int hz, int channel);
    void setSquelch(int level, int speed, int channel);
    void setFftMode(int average, int fullScale, int mode);
    int fftData(int32_t* data, int first, int last);
    int rawData(int32_t* data, int first, int last);
    int syncData(int32_t* data, int channel);
    int vectorData(int32_t* data, int channel);
    int signalLevel(int channel);
    void setClockError(int ppm);
    void rewind(int blocks);

    void setTxFrequency(int hz);
    void startTx(int mode);
    void sendTxCharacter(int character, int control);
    void stopTx();
    void abortTx();
    void clearTxBuffer();
    int txCharsRemaining();
    void setCwIdText(const char* text);
    void setCwIdSpeed(int n);

    bool setComPort(int port, int lines) { return m_transmitter.selectPttPort(port, lines); }
    void setModemLines(std::shared_ptr<ModemLines> lines) { m_transmitter.setModemLines(std::move(lines)); }
    void setRig(const PskRigConfig& config) { m_transmitter.setRig(config); }
    PskRigState rigState() const { return m_transmitter.rigState(); }
    void setTxTimeLimit(int seconds) { m_transmitter.setTimeLimitSeconds(seconds); }

    // The signal browser runs beside the channels on the same input while on; the list is its latest state.
    void setBrowser(bool on);
    std::vector<BrowserSignal> browserSignals();

    void setInputFile(std::string path);
    void setOutputFile(std::string path);
    void setOutputFileRate(int rateHz);
    void setAudioDevices(std::string input, std::string output);
    void setDemoInput(bool on);
    void setAudioSeam(std::shared_ptr<AudioInput> input, std::shared_ptr<AudioOutput> output);

private:
    Engine();

    struct ChannelSettings {
        double freqHz;
        int captureRange = 10;
        PskMode mode = PskMode::Bpsk;
        int afcLimit = 0;
        int squelchLevel = 0;
        int squelchSpeed = 1;
    };
    // What the get functions hand out: spectrum bins (and as many raw samples), and per channel the values
    // of the sync profile and of the vector display.
    static constexpr int kBins = kFftSize / 2;
    static constexpr std::size_t kProfileValues = 16;
    using PerChannelValues = std::array<std::array<int32_t, kProfileValues>, 2>;
    // What the get functions read: the worker's latest results.
    struct Snapshot {
        std::array<int32_t, kBins> fft{};
        bool saturated = false;
        std::array<int32_t, kBins> raw{};
        PerChannelValues sync{};
        PerChannelValues vectors{};
        std::array<int, 2> level{};
    };
    using TxEvent = Transmitter::Event;

    bool validChannel(int channel) const { return channel == 0 || channel == 1; }
    void command(std::function<void()> change);
    // syncData and vectorData: a channel's values of the snapshot, 1 when copied.
    int profileData(PerChannelValues Snapshot::*values, int32_t* data, int channel);
    void post(int32_t message, int32_t wParam, int32_t lParam);
    // Hands events to the worker; from any thread.
    void pushTxEvents(std::span<const TxEvent> events);
    void deliverInput(const float* samples, std::size_t count);
    void chooseAudio(std::shared_ptr<AudioInput>& input, std::shared_ptr<AudioOutput>& output, bool& soundCardIn,
                     bool& soundCardOut);
    void configureReceiver();

    void workerLoop();
    void processInput(std::span<const float> samples);
    void demodulate(std::span<const float> samples);
    void finishBlock();
    void handleTxEvent(const TxEvent& event);
    void checkInput();

    // Start and stop, one at a time.
    std::mutex m_controlMutex;
    bool m_running = false;
    int m_channels = 2;
    PskMessageSink m_sink;
    std::shared_ptr<AudioInput> m_input;
    std::atomic<bool> m_inputLive{false}; // m_input started: the worker may ask it whether it still runs

    // Settings, the snapshot and the pending commands.
    std::mutex m_stateMutex;
    std::array<ChannelSettings, 2> m_channelSettings{ChannelSettings{1000.0}, ChannelSettings{1500.0}};
    std::array<double, 2> m_rxFreqNow{1000.0, 1500.0};
    std::array<unsigned, 2> m_rxFreqGeneration{};      // frequencies set by the caller
    std::array<unsigned, 2> m_appliedFreqGeneration{}; // ... and those the worker has applied
    int m_fftFullScale = 100;
    int m_ppm = 0;
    std::string m_inputFile;
    std::string m_outputFile;
    int m_outputFileRateHz = 8000;
    std::string m_inputDevice;  // by name; empty: the default device
    std::string m_outputDevice;
    bool m_demoInput = false;
    std::shared_ptr<AudioInput> m_seamInput;
    std::shared_ptr<AudioOutput> m_seamOutput;
    Snapshot m_snapshot;
    bool m_browserOn = false;
    std::vector<BrowserSignal> m_browserList;
    std::vector<std::function<void()>> m_commands;
    std::atomic<bool> m_dataPending{false};

    // Input samples and transmit events waiting for the worker.
    std::mutex m_queueMutex;
    std::condition_variable m_wake;
    std::vector<float> m_inputQueue;
    std::vector<TxEvent> m_txEvents;
    bool m_commandsWaiting = false;
    bool m_quit = false;
    std::thread m_worker;

    // Reception DSP: the worker's own.
    Resampler m_inputResampler;
    Spectrum m_spectrum;
    std::array<ChannelDemodulator, 2> m_demod;
    BandBrowser m_browser;
    bool m_browserRunning = false;
    std::vector<BrowserText> m_browserText; // its characters: the list keeps the latest of each signal
    std::vector<float> m_history; // the latest input for replay, clock-corrected
    std::size_t m_blockFill = 0;
    unsigned m_blockCount = 0;
    bool m_demodStale = false;    // the channels heard our own transmission: reset before decoding again
    std::chrono::steady_clock::time_point m_lastHealthCheck{};
    bool m_inputFailureReported = false;
    std::vector<float> m_corrected;
    std::string m_decoded;
    std::chrono::steady_clock::time_point m_lastSlowReport{};

    // Reports through m_txEvents: declared after the queue it fills.
    Transmitter m_transmitter{[this](std::span<const TxEvent> events) { pushTxEvents(events); }};
};

} // namespace pskcore
