#pragma once

// An input sample as the DSP takes it: a NaN, an infinity or a value a thousand times full scale (a failing
// driver, a corrupt float file) is no audio and counts as silence. Otherwise one such sample would stay in
// every filter and average for good (or overflow the squares and fourth powers taken downstream) and
// silence the receiver.

#include <cmath>

namespace pskcore {

inline constexpr float kMaxInputMagnitude = 1000.0f; // 60 dB above full scale (1), far below any overflow

inline float finiteSample(float x) { return std::fabs(x) <= kMaxInputMagnitude ? x : 0.0f; }

} // namespace pskcore
