#pragma once

#include <complex>
#include <optional>
#include <vector>

namespace pskcore {

// Finds a PSK31 carrier near the channel oscillator before the carrier loop can lock: the square (BPSK)
// or fourth power (QPSK) of the baseband signal has a spectral line at 2 (or 4) times the carrier offset.
// Works on the last 1.024 s of 1 kHz baseband; stays silent unless the line stands well clear of the noise,
// so noise alone never moves the channel. No threads inside.
class FrequencyAcquisition {
public:
    static constexpr int kSize = 1024;  // samples at the 1 kHz baseband rate
    static constexpr double kRateHz = 1000.0;

    FrequencyAcquisition();
    ~FrequencyAcquisition();
    FrequencyAcquisition(const FrequencyAcquisition&) = delete;
    FrequencyAcquisition& operator=(const FrequencyAcquisition&) = delete;

    // Adds one baseband sample (low-passed, not yet matched-filtered).
    void push(std::complex<float> y, bool qpsk);
    // The carrier offset from the oscillator, Hz, if a clear line lies between minHz and maxHz.
    std::optional<double> estimate(double minHz, double maxHz, bool qpsk);
    // Forgets the buffer (after the oscillator has moved).
    void clear();

private:
    struct Fft;
    Fft* m_fft;
    std::vector<std::complex<float>> m_ring;
    int m_pos = 0;
    int m_filled = 0;
};

} // namespace pskcore
