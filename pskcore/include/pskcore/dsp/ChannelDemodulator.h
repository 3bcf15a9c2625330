#pragma once

#include "pskcore/dsp/Constants.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace pskcore {

// One PSK31 receive channel: mixes a channel of the 8 kHz input to baseband, filters, recovers symbol timing
// and carrier, detects BPSK (decision-feedback coherent) or QPSK (soft-decision Viterbi), decodes Varicode,
// tracks the frequency (AFC), squelches noise and measures level, IMD and clock error.
// No threads inside: the owner calls every member from one thread.
class ChannelDemodulator {
public:
    ChannelDemodulator();
    ~ChannelDemodulator();
    ChannelDemodulator(const ChannelDemodulator&) = delete;
    ChannelDemodulator& operator=(const ChannelDemodulator&) = delete;

    // Tunes the channel to freqHz (clamped to 100-3900 Hz). captureRangeHz (0-100) is how far from freqHz
    // the channel may jump at once to lock on a signal it finds there (0 = stay exactly where set).
    void setFrequency(double freqHz, double captureRangeHz);
    // Current carrier frequency, Hz (AFC moves it).
    double frequencyHz() const;
    // Detection mode; changing it clears the decoding state.
    void setMode(PskMode mode);
    PskMode mode() const;
    // How far the AFC may pull from where it last found the signal, Hz (0 = AFC off, max 100).
    void setAfcLimit(double hz);
    // Squelch: threshold 0-99 against the signal quality (0 = always open); speed 0-200, higher reacts faster.
    void setSquelch(int threshold, int speed);

    // Demodulates samples (8 kHz mono, full scale +-1) and appends the characters decoded to decodedBytes.
    void process(std::span<const float> samples, std::string& decodedBytes);

    // S-meter position 0-100 (signal quality: 0 = noise, 100 = clean signal).
    int signalLevel() const;
    // True while the squelch lets characters through.
    bool squelchOpen() const;
    // Averaged envelope over 16 positions of the symbol period, 0-1000 (peak = symbol centre).
    std::array<int32_t, 16> syncProfile() const;
    // The 8 latest symbol vectors as (x, y) pairs, -1000..1000, newest last.
    std::array<int32_t, 16> vectors() const;
    // An IMD reading in dB (negative) made on idle reversals since the last call, if any.
    std::optional<int> takeImdDb();
    // Clock error from the drift of the symbol timing, ppm, within about 100 ppm after 33 s of signal:
    // positive when the symbols span more of our samples than 256, i.e. our sound card runs that much fast
    // (Resampler::setPpm with this value corrects it). 0 until measured.
    double clockErrorPpm() const;

    // Clears the signal state (filters, timing, carrier, decoder); keeps the frequency where the AFC has
    // brought it, the mode, the AFC limit and the squelch.
    void reset();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace pskcore
