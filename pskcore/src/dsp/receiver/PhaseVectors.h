#pragma once

#include "ReceiverTypes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace pskcore::receiver {

// The latest symbol-to-symbol phase changes, for the phase display.
class PhaseVectors {
public:
    void push(cf normalisedSymbol)
    {
        m_vectors[m_pos] = normalisedSymbol * std::conj(m_previous) / std::max(1e-6f, std::abs(m_previous));
        m_pos = (m_pos + 1) % kCount;
        m_previous = normalisedSymbol;
    }
    // As (x, y) pairs, -1000..1000, newest last.
    std::array<int32_t, 2 * 8> pairs() const
    {
        std::array<int32_t, 2 * kCount> out{};
        for (int i = 0; i < kCount; ++i) {
            const cf v = m_vectors[(m_pos + i) % kCount];
            out[2 * i] = int32_t(std::clamp(std::lround(v.real() * kScale), -1000L, 1000L));
            out[2 * i + 1] = int32_t(std::clamp(std::lround(v.imag() * kScale), -1000L, 1000L));
        }
        return out;
    }

private:
    static constexpr int kCount = 8;
    static constexpr float kScale = 800; // a unit change reads 800, leaving room for overshoot

    std::array<cf, kCount> m_vectors{};
    int m_pos = 0;
    cf m_previous{0, 0};
};

} // namespace pskcore::receiver
