#pragma once

// An input sample as the DSP takes it: a NaN or an infinity (a failing driver, a corrupt float file) is
// silence, and a finite sample is bounded so that the squares and fourth powers taken downstream stay finite.
// Otherwise one such sample would stay in every filter and average for good and silence the receiver.

#include <algorithm>
#include <cmath>

namespace pskcore {

inline constexpr float kMaxInputMagnitude = 1000.0f; // far above full scale (1), far below any overflow

inline float finiteSample(float x)
{
    return std::isfinite(x) ? std::clamp(x, -kMaxInputMagnitude, kMaxInputMagnitude) : 0.0f;
}

} // namespace pskcore
