#include "TextSink.h"

namespace pskcore::receiver {

void TextSink::push(std::optional<int> bit, bool printable, bool carrierGone, std::string& decodedBytes)
{
    ++m_symbols;
    if (!bit)
        return;
    // A preamble (a run of idle zeros) starts a transmission: what was decoded before it was not text.
    m_zeroBits = *bit ? 0 : m_zeroBits + 1;
    if (m_zeroBits >= kPreambleBits)
        m_held.clear();
    const auto byte = m_varicode.pushBit(*bit);
    if (!byte)
        return;
    while (!m_held.empty() && m_symbols - m_held.front().second > kLookbackSymbols)
        m_held.pop_front();
    if (printable) {
        for (const auto& entry : m_held)
            decodedBytes.push_back(char(entry.first));
        m_held.clear();
        decodedBytes.push_back(char(*byte));
    } else if (!carrierGone) {
        m_held.emplace_back(*byte, m_symbols);
    }
}

} // namespace pskcore::receiver
