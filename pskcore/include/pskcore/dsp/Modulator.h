#pragma once

#include "pskcore/dsp/Constants.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

namespace pskcore {

// The PSK31 transmitter: turns queued characters into audio (preamble of reversals, text, idle reversals
// while the queue is empty, after the text a flush of idle reversals then a tail of steady carrier), the
// tune carrier and the CW identification.
// Pull model: the owner calls render() for each audio buffer. No threads or locks inside: the owner
// serialises calls (the runtime holds a mutex around it).
class Modulator {
public:
    Modulator();

    // Carrier frequency, Hz, 100-3900, sub-hertz resolution; takes effect at once, phase continuous.
    void setFrequency(double hz);
    double frequencyHz() const;
    // Mode of the next startText().
    void setMode(PskMode mode);
    // Output level of the carrier's peak, dBFS (<= 0); default -6.
    void setLevelDb(double levelDb);
    // CW identification text (letters, digits, / ? = . and space; others skipped).
    void setCwIdText(std::string text);
    // CW identification speed: 37.5 / n words per minute, n = 1..4 (clamped).
    void setCwIdSpeed(int n);

    // Starts a text transmission with a preamble of reversals; keeps the queue.
    void startText();
    // Starts the steady tune carrier (ends with stop() or abort()).
    void startTune();
    // Queues one character (Windows-1252 byte).
    void queueChar(uint8_t byte);
    // Control code (1,1): once the queue before it is sent, send the flush and the tail and end.
    void requestReturnToReceive();
    // Control code (2,1): once the queue before it is sent, send the flush and the CW identification.
    void requestCwId();
    // Ends after the queue (flush and tail, then finished); ends tune at once.
    void stop();
    // Ends at once, without tail; the queue is kept (clearQueue() drops it).
    void abort();
    // Drops the queued characters and control codes.
    void clearQueue();
    // Characters queued and not yet started on the air.
    int charsRemaining() const;

    // Fills out with audio (8 kHz, full scale +-1); returns the samples written, fewer than out.size() only
    // when the transmission ends in this buffer (the rest of out is zeroed). Returns 0 when not transmitting.
    std::size_t render(std::span<float> out);
    // True when not transmitting (never started, or the transmission has ended).
    bool finished() const;
    // Bytes that went on the air since the last call, in order (their first symbol was rendered).
    std::vector<uint8_t> takeSentChars();

private:
    enum class Phase { Off, Preamble, Text, Flush, Tail, CwId, Tune, RampDown };
    struct Item {
        int control;  // 0 = character, 1 = return to receive, 2 = CW identification
        uint8_t byte;
    };

    void beginSymbol();
    bool nextBit(int& bit);
    // Ends the text with the flush of idle reversals, then goes on to next (Tail or CwId).
    bool endText(Phase next, int& bit);
    void applyBit(int bit);
    void beginCwId();
    void endOrContinueAfterCwId();

    double m_freqHz = 1000.0;
    double m_carrierPhase = 0.0;   // radians, kept in [0, 2 pi)
    double m_amplitude = 0.5;      // carrier peak, full scale 1
    PskMode m_mode = PskMode::Bpsk;
    PskMode m_txMode = PskMode::Bpsk;
    std::string m_cwIdText;
    int m_cwIdSpeed = 1;

    Phase m_state = Phase::Off;
    std::deque<Item> m_queue;
    bool m_stopRequested = false;
    std::vector<uint8_t> m_sent;

    Phase m_afterFlush = Phase::Tail;
    int m_symbolsLeft = 0;         // preamble, flush or tail symbols still to send
    std::string m_bits;            // bits of the character being sent, then its "00"
    std::size_t m_bitPos = 0;
    int m_encoder = 0;             // QPSK encoder register, newest bit in bit 0
    double m_prevI = 0, m_prevQ = 0; // baseband phasor at the start of the symbol
    double m_curI = 0, m_curQ = 0;   // baseband phasor at its end
    int m_sampleInSymbol = kSamplesPerSymbol;

    std::vector<float> m_cwEnvelope; // CW identification keying, one value per sample
    std::size_t m_cwPos = 0;
};

} // namespace pskcore
