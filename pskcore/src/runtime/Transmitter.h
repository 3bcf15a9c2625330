#pragma once

// The engine's transmitter: the text queue (in the modulator), the keying of the PTT lines and the output
// stream, and the filling of the playback buffers with clock-corrected audio.
//
// Threads: the caller's (the program's GUI thread) queues, keys and unkeys; the playback thread of the audio
// output pulls samples through fill(); the engine's worker ends a transmission whose last sample has been
// rendered (endIfCurrent) and asks whether the receiver must be muted. Locks, always taken in this order:
// m_lineMutex (the output stream, the PTT lines, on the air or not), then m_txMutex (the modulator and the
// output filling), then whatever the report callback takes.

#include "pskcore/dsp/Modulator.h"
#include "pskcore/dsp/Resampler.h"
#include "pskcore/pskcore.h"
#include "pskcore/seams.h"
#include "runtime/Keying.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pskcore {

class Transmitter {
public:
    // What happened on the air, reported in order for the worker to post.
    struct Event {
        // Failed: the transmission must end at once with the error code value (keying refused, rig silent).
        enum Kind { Started, Sent, Status, Ended, Failed } kind;
        int value = 0;           // Sent: the byte; Status: the status or error code
        unsigned generation = 0; // the transmission it belongs to (Ended, and errors of start)
    };
    // Called from the caller's or the playback thread, possibly under m_txMutex: it must not call back.
    using Report = std::function<void(std::span<const Event>)>;

    explicit Transmitter(Report report);

    // The output stream of the running engine (nullptr when stopped) and its device (-1 = default).
    void attach(std::shared_ptr<AudioOutput> output, int device);
    // Engine stop: ends any transmission at once, drops the queue and releases the output.
    void shutdown();

    // Carrier frequency, Hz, clamped to the audio range.
    void setFrequency(int hz);
    // Error of the output card's clock, ppm (+ = the card runs fast); the output is stretched to match.
    void setClockErrorPpm(int ppm);
    void setCwIdText(std::string text);
    void setCwIdSpeed(int n);
    // PTT on COM port n with lines 0 none, 1 RTS, 2 DTR, 3 both; false when the port cannot be opened.
    bool selectPttPort(int port, int lines) { return m_keying.selectPort(port, lines); }
    void setModemLines(std::shared_ptr<ModemLines> lines) { m_keying.setLines(std::move(lines)); }
    void setRig(const PskRigConfig& config) { m_keying.configure(config); }
    PskRigState rigState() const { return m_keying.rigState(); }
    // A transmission on the air longer than this is ended with pskerr::TxTimeLimit; 0: no limit.
    void setTimeLimitSeconds(int seconds);

    // Keys up with a text transmission in mode; on the air already, the queue simply goes on.
    void startText(PskMode mode) { start(mode); }
    // Keys up with the tune carrier (until stop or abort).
    void startTune() { start(std::nullopt); }
    // control 0: queue the byte character; control 1 (character 1): return to receive after the queue;
    // (character 2): CW identification after the queue.
    void send(int character, int control);
    // Ends after the queue (status "sending the rest" while text is left).
    void stop();
    // Ends at once; the queue is kept.
    void abort();
    void clearQueue();
    int charsRemaining();

    // Worker: the last sample of transmission generation has been rendered; unkey once the card played it.
    void endIfCurrent(unsigned generation);
    // True from keying until unkeying: a half-duplex station hears only itself meanwhile.
    bool keyed() const { return m_keyed; }

private:
    // Text in *mode, or the tune carrier without one.
    void start(std::optional<PskMode> mode);
    // Playback thread: the modulator's audio, clock-corrected, with what went on the air reported.
    std::size_t fill(float* out, std::size_t count);
    // Render count samples corrected for the card's clock into out; returns the audio samples written.
    std::size_t renderCorrected(float* out, std::size_t count);
    // Holding m_lineMutex: off the air after the card has played everything when drain, else at once.
    void endLocked(bool drain);
    void report(Event event) { m_report(std::span<const Event>(&event, 1)); }

    const Report m_report;

    // Keying: the output stream and the transmitter's keying go up and down together.
    std::mutex m_lineMutex;
    std::shared_ptr<AudioOutput> m_output;
    int m_device = -1;
    bool m_onAir = false;
    std::atomic<bool> m_keyed{false};
    Keying m_keying{[this](int code) { report({Event::Failed, code, 0}); }};

    // Shared by the caller and the playback thread.
    std::mutex m_txMutex;
    Modulator m_modulator;
    int m_outputPpm = 0; // setting
    std::size_t m_limitSamples = 0; // setting: the time limit in output samples, 0 none
    // State of the transmission on the air, renewed by start().
    unsigned m_generation = 0;
    bool m_startReported = false;
    bool m_endReported = false;
    std::size_t m_samplesOnAir = 0;
    Resampler m_outputResampler;
    std::vector<float> m_pending; // corrected samples not yet handed to the card
    std::vector<float> m_scratch;
    std::vector<Event> m_outbox;  // kept so the playback callback need not allocate
};

} // namespace pskcore
