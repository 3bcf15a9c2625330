#pragma once

#include "ReceiverTypes.h"

namespace pskcore::receiver {

// Second-order decision-directed carrier loop at the symbol rate: a reference phasor that follows the carrier's
// phase and its residual frequency.
class CarrierLoop {
public:
    // The symbol (normalised to unit mean power) with the carrier removed.
    cf coherent(cf symbol);
    // Corrects the reference by the phase error of the symbol just made coherent, radians. narrowing 0-1 moves
    // the loop from its normal bandwidth, quick enough for a fading carrier, to a narrow one that a weak signal's
    // noisy decisions do not throw off the constellation.
    void track(double errorRad, double narrowing = 0.0);

    // Residual frequency the loop holds, Hz (rotation per symbol times the symbol rate).
    double offsetHz() const { return m_omega / (2 * kPi) * kSymbolRate; }
    // The oscillator has moved by hz: the loop's share of the frequency drops by as much.
    void shiftHz(double hz) { m_omega -= hz * 2 * kPi / kSymbolRate; }
    void clearFrequency() { m_omega = 0; }

private:
    static constexpr double kPhaseGain = 0.15;
    static constexpr double kFrequencyGain = 0.02;
    static constexpr double kNarrowPhaseGain = 0.07;
    static constexpr double kNarrowFrequencyGain = 0.005;
    static constexpr double kMaxOmega = 0.6; // radians per symbol, about 3 Hz

    cf m_reference{0, 0};
    cf m_unitReference{1, 0};
    double m_omega = 0; // residual rotation per symbol, radians
};

} // namespace pskcore::receiver
