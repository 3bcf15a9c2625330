#pragma once

#include "pskcore/dsp/ChannelDemodulator.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace pskcore::browser {

// One signal of the band: a receiver per mode (BPSK, QPSK upper and lower sideband), set up as a channel is.
// While the mode is unknown all three decode and their characters wait; the mode is told from the signal
// (BPSK's constellation closeness against QPSK's, and how well each sideband fits QPSK's code), the winner's
// waiting characters are delivered and it alone decodes on. Behind a transmission (squelch closed a while) or a
// change of mode, all three try again. No threads inside.
class SignalTrack {
public:
    // Tunes the receivers to freqHz.
    explicit SignalTrack(double freqHz);
    SignalTrack(const SignalTrack&) = delete;
    SignalTrack& operator=(const SignalTrack&) = delete;

    // Tunes every receiver afresh to freqHz, the mode unknown again.
    void retune(double freqHz);
    // True when QPSK text shows but fits neither sideband for a while: a false lock of the QPSK receivers,
    // which restartQpsk() mends once per transmission.
    bool qpskStuck() const { return m_stuck >= kStuckToRestart && !m_restarted; }
    // Restarts the QPSK receivers at freqHz on the recent input (history), their waiting characters replaced.
    void restartQpsk(double freqHz, std::span<const float> history);
    // Decodes samples; appends the characters delivered to text.
    void process(std::span<const float> samples, std::string& text);
    // Every 1024 samples or so: takes the mode decision from the receivers' measures; appends the characters
    // a decision delivers to text.
    void judge(std::string& text);

    double frequencyHz() const;
    PskMode mode() const;
    double snrDb() const;
    // The best squelch level (0-100) of the receivers at work.
    int signalLevel() const;
    // A receiver at work holds a signal (squelch open).
    bool open() const;
    // The receivers at work now (1 once the mode is known, else 3).
    int receiversAtWork() const { return m_decided ? 1 : kModes; }

private:
    static constexpr int kModes = 3;
    static constexpr double kCaptureHz = 10.0; // as the channels are tuned by the program
    static constexpr double kAfcLimitHz = 10.0;
    static constexpr int kSquelchLevel = 10;   // the channels' default
    static constexpr int kSquelchSpeed = 1;
    static constexpr int kVotesToDecide = 4;   // judgements in a row
    static constexpr int kClosedToRetry = 16;  // judgements with the squelch closed (about 2 s)
    // QPSK's code fit: near 1 on the right sideband, about 0.75 on the wrong one or on BPSK.
    static constexpr double kFitQpsk = 0.85;
    static constexpr double kFitMargin = 0.08;
    static constexpr double kFitLost = 0.8;
    static constexpr int kStuckToRestart = 12; // judgements (1.5 s)
    static constexpr std::size_t kMaxWaiting = 1024; // characters held per receiver while the mode is unknown

    // The mode the measures point to now, or -1.
    int vote() const;
    void decide(int mode, std::string& text);
    void retry();

    std::array<ChannelDemodulator, kModes> m_rx;
    std::array<std::string, kModes> m_waiting;
    bool m_decided = false;
    int m_mode = 0;
    int m_candidate = -1;
    int m_votes = 0;
    int m_closed = 0;
    int m_unfit = 0;
    int m_stuck = 0;
    bool m_restarted = false;
};

} // namespace pskcore::browser
