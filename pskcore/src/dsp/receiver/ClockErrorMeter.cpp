#include "ClockErrorMeter.h"

#include "ReceiverTypes.h"

namespace pskcore::receiver {

void ClockErrorMeter::update(double unwrappedPeakSamples, bool held, bool lost)
{
    if (held) {
        m_history.push_back(unwrappedPeakSamples);
        if (m_history.size() > kSymbols)
            m_history.pop_front();
        if (m_history.size() == kSymbols) {
            const double slope = (m_history.back() - m_history.front()) / (kSymbols - 1.0) / kSps;
            m_ppm += kSmoothing * (slope * 1e6 - m_ppm);
        }
    } else if (lost) {
        m_history.clear();
    }
}

} // namespace pskcore::receiver
