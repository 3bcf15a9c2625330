#pragma once

#include "ReceiverTypes.h"

namespace pskcore::receiver {

// Opens on a signal from how closely the symbols sit on the constellation (noise averages 0, a clean signal 1),
// with hysteresis.
class Squelch {
public:
    // threshold 0-99 against level() (0 = always open); speed 0-200 sets the averaging (about 1 s at 0).
    void configure(int threshold, int speed);
    // Takes the closeness of one symbol (-1..1) and its power against the mean symbol power: a faded symbol,
    // mostly noise, counts for less, so a fading signal keeps the squelch open while noise alone still
    // averages 0.
    void update(double closeness, double relativePower);
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
    // A faded symbol counts for as little as this, so the squelch still closes behind a signal that ends; a
    // fade's peak counts no more than an average symbol.
    static constexpr double kMinWeight = 0.25;

    int m_threshold = 10;
    int m_speed = 1;
    double m_quality = 0; // mean closeness, -1..1
    bool m_open = false;
};

} // namespace pskcore::receiver
