#include "CarrierLoop.h"

#include <algorithm>
#include <cmath>

namespace pskcore::receiver {

cf CarrierLoop::coherent(cf symbol)
{
    m_unitReference = std::abs(m_reference) > 1e-6f ? m_reference / std::abs(m_reference) : cf(1, 0);
    return symbol * std::conj(m_unitReference);
}

void CarrierLoop::track(double errorRad)
{
    m_omega = std::clamp(m_omega + kFrequencyGain * errorRad, -kMaxOmega, kMaxOmega);
    const double turn = kPhaseGain * errorRad + m_omega;
    m_reference = m_unitReference * cf(std::polar(1.0, turn));
}

} // namespace pskcore::receiver
