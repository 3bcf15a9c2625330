#include "SymbolDecoder.h"

#include <bit>

namespace pskcore::receiver {

SymbolDecoder::SymbolDecoder() { m_viterbi.reset(); }

void SymbolDecoder::setMode(PskMode mode)
{
    m_qpsk = isQpsk(mode);
    m_viterbi.reset();
    m_viterbi.setLowerSideband(mode == PskMode::QpskLsb);
    m_bpsk.reset();
    m_varicode.reset();
    m_recentBits = 0;
    m_idleSymbols = 0;
    m_restSymbols = 0;
    m_pending.clear();
}

std::optional<int> SymbolDecoder::push(const SoftSymbol& symbol, std::vector<uint8_t>& bytes,
                                       std::vector<uint8_t>& settled)
{
    if (m_qpsk) {
        const auto bit = m_viterbi.push(symbol.change);
        if (!bit)
            return bit;
        noteCarrier(*bit);
        const bool resting = rest();
        if (const auto byte = m_varicode.pushBit(*bit); byte && !resting)
            bytes.push_back(*byte);
        return bit;
    }
    const int bit = symbol.bit;
    // A steady carrier is not text, but the sequence decoder must explain every bit as text or idle and would
    // force characters out of it. What it releases during a run of unchanged symbols waits for the run to end.
    if (noteCarrier(bit)) {
        m_bpsk.reset();
        m_pending.clear();
    }
    if (rest())
        return bit;
    const auto released = m_bpsk.push(symbol.coherentLlr, symbol.differentialLlr);
    m_pending.insert(m_pending.end(), released.begin(), released.end());
    if (!bit) {
        bytes.insert(bytes.end(), m_pending.begin(), m_pending.end());
        m_pending.clear();
    }
    if (m_idleSymbols == kIdleFlushSymbols) {
        const auto flushed = m_bpsk.flush();
        settled.insert(settled.end(), flushed.begin(), flushed.end());
    }
    return bit;
}

bool SymbolDecoder::noteCarrier(int bit)
{
    m_recentBits = (m_recentBits << 1) | uint32_t(bit);
    m_idleSymbols = bit ? 0 : m_idleSymbols + 1;
    if (kCarrierWindowSymbols - std::popcount(m_recentBits) > kCarrierMostReversals)
        return false;
    m_restSymbols = kRestAfterCarrierSymbols;
    return true;
}

bool SymbolDecoder::rest()
{
    if (m_restSymbols <= 0)
        return false;
    m_restSymbols = m_idleSymbols >= kIdleFlushSymbols ? 0 : m_restSymbols - 1;
    return true;
}

int SymbolDecoder::delaySymbols() const { return m_qpsk ? QpskViterbi::kDepth : 0; }

} // namespace pskcore::receiver
