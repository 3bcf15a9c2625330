#include "TextSink.h"

#include <algorithm>

namespace pskcore::receiver {

void TextSink::push(std::optional<int> bit, std::span<const uint8_t> characters, bool open, bool faded,
                    std::string& decodedBytes)
{
    ++m_symbols;
    for (const uint8_t byte : characters) {
        std::erase_if(m_held, [&](const auto& entry) { return m_symbols > entry.second; });
        if (open && !faded) {
            for (const auto& entry : m_held)
                decodedBytes.push_back(char(entry.first));
            m_held.clear();
            decodedBytes.push_back(char(byte));
        } else if (open || !faded) {
            m_held.emplace_back(byte, m_symbols + (open ? kFadeSymbols : kLookbackSymbols));
        }
    }
    // After the characters: a decoder that must release what it holds when a preamble shows hands them over
    // with the preamble's last bit.
    if (bit) {
        // A preamble (a run of idle zeros) starts a transmission: what was decoded before it was not text.
        m_zeroBits = *bit ? 0 : m_zeroBits + 1;
        if (m_zeroBits >= kPreambleBits)
            m_held.clear();
    }
}

} // namespace pskcore::receiver
