#include "QpskViterbi.h"

#include <algorithm>

namespace pskcore {

int QpskViterbi::shiftDegrees(int reg)
{
    const int x0 = reg & 1, x1 = (reg >> 1) & 1, x2 = (reg >> 2) & 1, x3 = (reg >> 3) & 1, x4 = (reg >> 4) & 1;
    const int g0 = x0 ^ x1 ^ x2 ^ x4;
    const int g1 = x0 ^ x3 ^ x4;
    return (180 + 90 * (g0 + 2 * g1)) % 360;
}

std::optional<int> QpskViterbi::push(std::complex<float> change)
{
    // Correlation of the measured change with the four possible shifts: 0, 90, 180, 270 degrees.
    const float re = change.real(), im = m_lsb ? -change.imag() : change.imag();
    const float score[4] = {re, im, -re, -im};
    std::array<float, 16> metric;
    std::array<uint64_t, 16> path;
    for (int next = 0; next < 16; ++next) {
        // next = the newest four bits; its predecessors differ in the bit that leaves the register.
        const int bit = next & 1;
        float best = -1e30f;
        uint64_t bestPath = 0;
        for (int oldest = 0; oldest < 2; ++oldest) {
            const int prev = (next >> 1) | (oldest << 3);
            const int reg = (prev << 1 | bit) & 0x1F;
            const float candidate = m_metric[prev] + score[shiftDegrees(reg) / 90];
            if (candidate > best) {
                best = candidate;
                bestPath = m_path[prev];
            }
        }
        metric[next] = best;
        path[next] = (bestPath << 1) | uint64_t(bit);
    }
    // Keep the metrics bounded.
    const float top = *std::max_element(metric.begin(), metric.end());
    // The metrics were normalised to a best of 0 last symbol, so top is this symbol's gain on the best path.
    m_lastGain = top;
    m_gainMean += (top - m_gainMean) / kFitSymbols;
    m_magnitudeMean += (std::abs(change) - m_magnitudeMean) / kFitSymbols;
    for (int s = 0; s < 16; ++s)
        m_metric[s] = metric[s] - top;
    m_path = path;
    if (m_filled < kDepth) {
        ++m_filled;
        return std::nullopt;
    }
    const int bestState = int(std::max_element(m_metric.begin(), m_metric.end()) - m_metric.begin());
    return int((m_path[bestState] >> (kDepth - 1)) & 1);
}

void QpskViterbi::reset()
{
    // The trellis starts on the idle reversals: the all-zero state.
    m_metric.fill(-1000.0f);
    m_metric[0] = 0.0f;
    m_path.fill(0);
    m_filled = 0;
    m_gainMean = 0;
    m_magnitudeMean = 0;
    m_lastGain = 0;
}

} // namespace pskcore
