#pragma once

#include "pskcore/dsp/Constants.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace pskcore {

// One PSK31 receive channel: mixes a channel of the 8 kHz input to baseband, matched-filters and equalises,
// recovers symbol timing and carrier, detects BPSK (coherent, differentially decoded) or QPSK (soft-decision
// Viterbi), decodes Varicode, tracks the frequency (AFC), squelches noise and measures quality, IMD and
// clock error. Decoding is deterministic: a reset channel fed the same samples gives the same text.
// No threads inside: the owner calls every member from one thread.
class ChannelDemodulator {
public:
    ChannelDemodulator();
    ~ChannelDemodulator();
    ChannelDemodulator(const ChannelDemodulator&) = delete;
    ChannelDemodulator& operator=(const ChannelDemodulator&) = delete;

    // Tunes the channel to freqHz (clamped to 100-3900 Hz) and starts acquiring afresh (squelch closed).
    // captureRangeHz (0-100): for the next two seconds the channel may jump that far to a signal it finds,
    // even with the AFC off. With the AFC on it reaches at least 15 Hz (a waterfall pixel) whatever the capture
    // range, so a click beside a trace finds it.
    void setFrequency(double freqHz, double captureRangeHz);
    // Current carrier frequency, Hz (AFC moves it).
    double frequencyHz() const;
    // Detection mode; changing it clears the Varicode and Viterbi state.
    void setMode(PskMode mode);
    PskMode mode() const;
    // AFC limit, Hz (0 = AFC off, max 100): how far from where the signal was last held the AFC may pull.
    // A held signal carries that point along, so slow drift is followed further.
    void setAfcLimit(double hz);
    // Squelch: threshold 0-99 against signalLevel() (0 = always open); speed 0-200 sets the quality average
    // (about 1 s at 0, 0.9 s at the usual 1, a few symbols at 200).
    void setSquelch(int threshold, int speed);

    // Demodulates samples (8 kHz mono, full scale +-1, any block size) and appends the characters decoded to
    // decodedBytes (Windows-1252). QPSK characters come out about 1.3 s (40 symbols) late.
    void process(std::span<const float> samples, std::string& decodedBytes);

    // Squelch level 0-100: how closely the symbols sit on the constellation (noise 0, clean signal 100; it
    // reaches 100 from about -5 dB SNR on).
    int signalLevel() const;
    // S-meter position 0-100: the channel's signal-to-noise ratio in 3 kHz, 0 at -20 dB (and on noise alone),
    // 100 at +30 dB, 2 points per dB; estimated blind from the symbols and averaged over about 2 s.
    int snrLevel() const;
    // The same estimate in dB (-25 when nothing stands above the noise).
    double snrDb() const;
    // QPSK: how well the phase changes fit the convolutional code over about 1 s, 0-1 (near 1 on a clean signal
    // of this mode and sideband; much less on the other sideband or on BPSK text; idle fits both sidebands).
    // BPSK: 0.
    double codeFit() const;
    // True while the squelch lets characters through.
    bool squelchOpen() const;
    // Averaged envelope over 16 positions of the symbol period, 0-1000 (peak = symbol centre).
    std::array<int32_t, 16> syncProfile() const;
    // The 8 latest symbol phase changes as (x, y) pairs, -1000..1000, newest last (a reversal points to -x).
    std::array<int32_t, 16> vectors() const;
    // An IMD reading in dB (negative), made on at least 2 s of strong idle reversals, since the last call.
    std::optional<int> takeImdDb();
    // Clock error from the drift of the symbol timing, ppm, within about 100 ppm after 33 s of signal:
    // positive when the symbols span more of our samples than 256, i.e. our sound card runs that much fast
    // (Resampler::setPpm with this value corrects it). 0 until measured.
    double clockErrorPpm() const;

    // Clears the signal state (filters, timing, carrier, decoder); keeps the frequency where the AFC has
    // brought it, the mode, the AFC limit and the squelch.
    void reset();

private:
    struct Config;
    struct State;
    std::unique_ptr<Config> m_config;
    std::unique_ptr<State> m_state;
};

} // namespace pskcore
