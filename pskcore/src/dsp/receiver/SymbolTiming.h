#pragma once

#include "ReceiverTypes.h"

#include <array>
#include <cstdint>

namespace pskcore::receiver {

// Finds the symbol instants from the envelope of the matched-filter output (its power profile over the symbol
// period) and yields each symbol, equalised against its neighbours, shortly before the next symbol's peak.
class SymbolTiming {
public:
    enum class Event { None, Strobe, Symbol };

    // Takes one matched-filter output at 1 kHz. held: a signal is held (settle slowly and smoothly rather than
    // quickly). Strobe: a symbol instant has just passed; Symbol: symbol() holds a new equalised symbol.
    Event push(cf matched, bool held);
    cf symbol() const { return m_symbol; }

    // Peak position within the symbol period, baseband samples, and its unwrapped sum (for the clock error).
    double peakSamples() const { return m_profilePhase; }
    double unwrappedPeakSamples() const { return m_unwrappedPhase; }
    // Averaged envelope over 16 positions of the symbol period, 0-1000, the sampling instant at position 8.
    std::array<int32_t, 16> syncProfile() const;

private:
    // The matched filter leaves each symbol with 1/6 of each neighbour (the pulses overlap by one symbol):
    // y_k = a_k + (a_{k-1} + a_{k+1}) / 6, the noise correlated the same way. Symbol k is decided from
    // y_{k-3}..y_k and from the filter output 10 ms before the peak of symbol k+1, which already holds enough
    // of a_{k+1} to cancel it: 22 ms after y_k instead of the 64 ms a symmetric inverse waits for y_{k+2}. The
    // taps minimise the mean-square error at Es/N0 = 7 dB (the edge of copy) and err as often as the symmetric
    // inverse; deciding without any look-ahead would err twice as often.
    static constexpr int kEarlySamples = 10;
    static constexpr int kEqualizerTaps = 4;
    static constexpr std::array<float, kEqualizerTaps> kEqualizer = {-0.00364f, 0.02451f, -0.15734f, 1.00949f};
    static constexpr float kEqualizerNext = -0.17623f;
    // Profile averaging and strobe correction: quick to find a new signal, then slow and steady once held.
    static constexpr float kProfileRateFree = 0.08f, kProfileRateHeld = 0.02f;
    static constexpr double kStrobeGainFree = 0.5, kStrobeGainHeld = 0.2;

    void strobe(cf matched, bool held);
    double peakFromProfile() const;

    std::array<float, kSps> m_profile{};
    long long m_count = 0;         // baseband samples so far
    double m_nextStrobe = kSps;    // in baseband samples (absolute)
    double m_profilePhase = 0;
    double m_unwrappedPhase = 0;
    cf m_lastMatched{0, 0};
    std::array<cf, kEqualizerTaps> m_strobes{}; // latest symbol samples, oldest first
    bool m_undecided = false;      // the latest strobe's symbol waits for the look-ahead sample
    cf m_symbol{0, 0};
};

} // namespace pskcore::receiver
