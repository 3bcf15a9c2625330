#pragma once

#include "pskcore/dsp/Constants.h"

#include <complex>
#include <cstdint>
#include <numbers>

namespace pskcore::receiver {

using cf = std::complex<float>;
using cd = std::complex<double>;

inline constexpr double kPi = std::numbers::pi;
inline constexpr int kDecimation = 8;                        // 8000 Hz -> 1000 Hz
inline constexpr int kBasebandRate = kSampleRate / kDecimation; // Hz
inline constexpr int kSps = kSamplesPerSymbol / kDecimation; // 32 baseband samples per symbol
inline constexpr double kMaxLimitHz = 100.0;                 // largest AFC limit or capture range

// Squelch level (0-100) above which the carrier loop is taken to hold a signal.
inline constexpr int kLockLevel = 25;

// A flag's value over the last 64 symbols, so that a decoder with a delay can look back.
class SymbolHistory {
public:
    void record(bool value) { m_bits = (m_bits << 1) | uint64_t(value); }
    // What record() was given symbolsAgo symbols ago (0-63).
    bool ago(int symbolsAgo) const { return (m_bits >> symbolsAgo) & 1; }
    // Clears what the last `symbols` records were given.
    void forget(int symbols)
    {
        if (symbols > 0)
            m_bits = symbols >= 64 ? 0 : m_bits & (~uint64_t(0) << symbols);
    }

private:
    uint64_t m_bits = 0; // newest in bit 0
};

inline double wrapPi(double a)
{
    while (a > kPi)
        a -= 2 * kPi;
    while (a < -kPi)
        a += 2 * kPi;
    return a;
}

} // namespace pskcore::receiver
