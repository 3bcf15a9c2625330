#include "BitDetector.h"

namespace pskcore::receiver {

BitDetector::BitDetector() { m_viterbi.reset(); }

void BitDetector::setMode(PskMode mode)
{
    m_qpsk = isQpsk(mode);
    m_viterbi.reset();
    m_viterbi.setLowerSideband(mode == PskMode::QpskLsb);
}

std::optional<int> BitDetector::push(cf decision, cf change)
{
    if (m_qpsk)
        return m_viterbi.push(change);
    const int bit = decision.real() == m_previousDecision.real() ? 1 : 0;
    m_previousDecision = decision;
    return bit;
}

int BitDetector::delaySymbols() const { return m_qpsk ? QpskViterbi::kDepth : 0; }

} // namespace pskcore::receiver
