#pragma once

#include <array>
#include <complex>
#include <cstdint>
#include <optional>

namespace pskcore {

// Soft-decision Viterbi decoder of the QPSK31 rate-1/2, K = 5 code (generators 0x17 and 0x19), fed with the
// measured phase change of each symbol. Decisions come out kDepth symbols late.
class QpskViterbi {
public:
    static constexpr int kDepth = 40; // traceback, symbols (8 K)

    // lsb: the rotation sense is reversed (lower sideband).
    void setLowerSideband(bool lsb) { m_lsb = lsb; }
    // Feeds the phase change of one symbol as a complex value (angle = change, magnitude = confidence);
    // returns the data bit decided kDepth symbols ago once the decoder is that deep.
    std::optional<int> push(std::complex<float> change);
    void reset();
    // How well the phase changes fit the code, averaged over about kFitSymbols: the best path's gain per symbol
    // over the changes' magnitude (1 = every change on the path's shift; the wrong sideband, or a BPSK signal's
    // text, fits far less). 0 before any symbol.
    float fit() const { return m_magnitudeMean > 0 ? m_gainMean / m_magnitudeMean : 0.0f; }
    // The best path's gain on the last symbol (the part of its change that fits the code).
    float lastGain() const { return m_lastGain; }

    // Phase change, degrees (0, 90, 180 or 270, upper sideband sense), for an encoder register.
    static int shiftDegrees(int reg);

private:
    static constexpr float kFitSymbols = 32.0f;

    std::array<float, 16> m_metric{};
    float m_gainMean = 0;
    float m_magnitudeMean = 0;
    float m_lastGain = 0;
    std::array<uint64_t, 16> m_path{};
    int m_filled = 0;
    bool m_lsb = false;
};

} // namespace pskcore
