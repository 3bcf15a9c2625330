#pragma once

#include "FrequencyAcquisition.h"
#include "CarrierLoop.h"

#include <optional>

namespace pskcore::receiver {

// The channel oscillator's frequency: where the operator tuned it, the jumps of acquisition onto a carrier the
// loop cannot reach yet, and the AFC's slow pull towards the carrier loop's residual frequency, all within the
// AFC limit (or, for two seconds after tuning, the capture range) around the anchor.
class FrequencyControl {
public:
    // Tunes to freqHz (clamped to the audio range) and opens the capture window (captureHz > 0) afresh.
    void tune(double freqHz, double captureHz);
    void setLimits(double afcLimitHz, double captureHz);
    double oscillatorHz() const { return m_oscillatorHz; }

    void pushBaseband(cf acquisitionPulse) { m_acquisition.push(acquisitionPulse); }
    // At a symbol instant: jumps onto a clear carrier the loop does not hold. True when the oscillator moved.
    // besideCarrier: the front end is cancelling a steady carrier in the channel.
    bool acquire(CarrierLoop& loop, bool locked, bool qpsk, bool besideCarrier);
    // After a symbol: moves the oscillator by a share of the loop's residual frequency; open, level: the squelch.
    // True when the oscillator moved.
    bool follow(CarrierLoop& loop, bool locked, bool open, int level);

private:
    static constexpr int kCaptureSymbols = 64;       // about two seconds
    // A waterfall pixel (12.7 Hz at the default width) and more: 15 Hz, with room for the AFC's pull onto an idle
    // tone before acquisition finds the carrier.
    static constexpr double kClickReachHz = 17.0;
    static constexpr int kSettleSymbols = 16;        // after a jump, before the next search
    static constexpr int kSearchEveryHeld = 16, kSearchEveryFree = 4;
    static constexpr double kJumpHeldHz = 2.0, kJumpFreeHz = 0.5;
    static constexpr double kQpskFalseLockHz = kSymbolRate / 4, kFalseLockToleranceHz = 2.0;
    static constexpr int kFalseLockCheckSymbols = 256; // about 8 s held
    static constexpr int kQpskTimesFound = 3;
    static constexpr double kConfirmHz = 1.0; // a line found again this close is the same
    static constexpr double kAfcShare = 0.1;         // of the loop's residual frequency, per symbol
    static constexpr double kAnchorShare = 0.02;     // a held signal carries the anchor along
    static constexpr int kAnchorLevel = 30;

    double limitHz() const;

    double m_afcLimitHz = 0;
    double m_captureHz = 0;
    double m_oscillatorHz = 1000.0;
    double m_anchorHz = 1000.0;   // where the AFC last had the signal: the limit applies around it
    double m_tunedHz = 1000.0;    // where the operator tuned
    int m_captureLeftSymbols = 0;
    long long m_symbolsSinceJump = 0;
    long long m_heldSymbols = 0; // strobes in a row with the signal held
    std::optional<double> m_lastFoundHz; // where the last search found a line, absolute
    int m_timesFound = 0;                // times running it has been found there
    FrequencyAcquisition m_acquisition;
};

} // namespace pskcore::receiver
