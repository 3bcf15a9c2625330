#include "CarrierLoop.h"

#include <algorithm>
#include <cmath>

namespace pskcore::receiver {

cf CarrierLoop::coherent(cf symbol)
{
    m_unitReference = std::abs(m_reference) > 1e-6f ? m_reference / std::abs(m_reference) : cf(1, 0);
    return symbol * std::conj(m_unitReference);
}

void CarrierLoop::track(double errorRad, double narrowing)
{
    const double phaseGain = kPhaseGain + narrowing * (kNarrowPhaseGain - kPhaseGain);
    const double frequencyGain = kFrequencyGain + narrowing * (kNarrowFrequencyGain - kFrequencyGain);
    m_omega = std::clamp(m_omega + frequencyGain * errorRad, -kMaxOmega, kMaxOmega);
    const double turn = phaseGain * errorRad + m_omega;
    m_reference = m_unitReference * cf(std::polar(1.0, turn));
}

} // namespace pskcore::receiver
