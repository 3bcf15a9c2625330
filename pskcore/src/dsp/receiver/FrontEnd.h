#pragma once

#include "CarrierCanceller.h"
#include "ReceiverTypes.h"

#include <array>

namespace pskcore::receiver {

// Mixes the 8 kHz input down from the channel frequency and decimates it to the 1 kHz baseband, where it gives
// the matched-filter output (the symbol pulse) and a one-symbol pulse for frequency acquisition, both cleared of a
// steady carrier beside the signal.
class FrontEnd {
public:
    FrontEnd();

    // Channel frequency, Hz: the oscillator follows it from the next sample on.
    void setFrequency(double freqHz);
    // Takes one input sample; true when a baseband sample is ready (every kDecimation inputs).
    bool push(float x);

    // The latest baseband sample: decimated low-pass output (carrier left in), matched-filter output, acquisition
    // pulse output.
    cf lowPassed() const { return m_lowPassed; }
    cf matched() const { return m_matched; }
    cf acquisitionPulse() const;
    // A steady carrier in the channel is being cancelled.
    bool cancellingCarrier() const { return m_canceller.active(); }

    static constexpr int kFrontTaps = 64;        // decimating low-pass, 8 ms
    static constexpr int kMatchedTaps = 2 * kSps; // a symbol pulse spans two symbols

private:
    static constexpr int kRenormaliseSamples = 1024; // keeps the oscillator's magnitude at 1

    double m_freqHz = 0;
    cd m_rotator{1.0, 0.0};
    cd m_step{1.0, 0.0};
    int m_rotatorCount = 0;
    std::array<cf, kFrontTaps * 2> m_front{}; // doubled rings for contiguous reads
    int m_frontPos = 0;
    int m_decimPhase = 0;
    std::array<cf, kMatchedTaps * 2> m_base{};
    int m_basePos = 0;
    CarrierCanceller m_canceller;
    cf m_lowPassed{0, 0};
    cf m_matched{0, 0};
};

} // namespace pskcore::receiver
