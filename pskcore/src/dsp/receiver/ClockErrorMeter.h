#pragma once

#include <deque>

namespace pskcore::receiver {

// Sound-card clock error from the drift of the symbol timing of a held signal, ppm.
class ClockErrorMeter {
public:
    // Takes the unwrapped timing peak (baseband samples) of one symbol; held: the signal is held well enough to
    // measure, lost: it is gone (the history starts again).
    void update(double unwrappedPeakSamples, bool held, bool lost);
    void clearHistory() { m_history.clear(); }
    double ppm() const { return m_ppm; }

private:
    static constexpr std::size_t kSymbols = 1024; // measured over 33 s
    static constexpr double kSmoothing = 0.02;

    std::deque<double> m_history;
    double m_ppm = 0;
};

} // namespace pskcore::receiver
