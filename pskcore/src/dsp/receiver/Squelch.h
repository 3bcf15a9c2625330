#pragma once

#include "ReceiverTypes.h"

#include <cstdint>

namespace pskcore::receiver {

// Opens on a signal from how closely the symbols sit on the constellation (noise averages 0, a clean signal 1),
// with hysteresis, and remembers its recent states so that a decoder with a delay can look back.
class Squelch {
public:
    // threshold 0-99 against level() (0 = always open); speed 0-200 sets the averaging (about 1 s at 0).
    void configure(int threshold, int speed);
    // Takes the closeness of one symbol (-1..1).
    void update(double closeness);
    // Records whether the symbol just taken may print.
    void record(bool printable) { m_history = (m_history << 1) | uint64_t(printable); }
    // What record() was given symbolsAgo symbols ago (0-63).
    bool printableAgo(int symbolsAgo) const { return (m_history >> symbolsAgo) & 1; }
    // Back to closed, as for a new signal.
    void clear();

    // 0-100: mean closeness 0.3 (never reached by noise for long) maps to 0, 0.9 (a clean signal) to 100.
    int level() const;
    bool open() const { return m_open; }
    // The carrier loop holds a signal.
    bool held() const { return m_quality >= kHeldQuality; }

private:
    static constexpr double kQualityAtZero = 0.3, kQualitySpan = 0.6;
    static constexpr double kHeldQuality = kQualityAtZero + kQualitySpan * kLockLevel / 100.0;
    static constexpr int kHysteresis = 3;

    int m_threshold = 10;
    int m_speed = 1;
    double m_quality = 0; // mean closeness, -1..1
    bool m_open = false;
    uint64_t m_history = 0; // newest in bit 0
};

} // namespace pskcore::receiver
