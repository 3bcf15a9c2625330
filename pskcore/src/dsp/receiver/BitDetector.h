#pragma once

#include "QpskViterbi.h"
#include "ReceiverTypes.h"

#include <optional>

namespace pskcore::receiver {

// Turns symbols into data bits: BPSK by coherent decisions, differentially decoded (no reversal = 1); QPSK by
// the soft-decision Viterbi decoder of the phase changes, kDepth symbols late.
class BitDetector {
public:
    BitDetector();
    void setMode(PskMode mode);
    // decision: the nearest constellation point of the coherent symbol; change: the phase change from the
    // previous symbol (angle = change, magnitude = confidence).
    std::optional<int> push(cf decision, cf change);
    // How many symbols late a bit comes out.
    int delaySymbols() const;

private:
    bool m_qpsk = false;
    cf m_previousDecision{1, 0};
    QpskViterbi m_viterbi;
};

} // namespace pskcore::receiver
