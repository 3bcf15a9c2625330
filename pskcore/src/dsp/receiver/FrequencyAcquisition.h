#pragma once

#include "WindowedFft.h"

#include <complex>
#include <optional>
#include <memory>
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
    static constexpr double kBinHz = kRateHz / kSize;

    FrequencyAcquisition();
    ~FrequencyAcquisition();
    FrequencyAcquisition(const FrequencyAcquisition&) = delete;
    FrequencyAcquisition& operator=(const FrequencyAcquisition&) = delete;

    // Adds one baseband sample, filtered to about +-60 Hz (wide enough to keep both idle tones of a carrier
    // 10 Hz off at nearly equal weight, narrow enough to keep the fourth power's noise down).
    void push(std::complex<float> y);
    // The carrier offset from the oscillator, Hz, if a clear line lies between minHz and maxHz and, when
    // currentHz is given (the offset the carrier loop holds), it is much stronger than any line there:
    // a weak signal already held is never traded for a noise peak. held: the squelch holds a signal there.
    std::optional<double> estimate(double minHz, double maxHz, bool qpsk, std::optional<double> currentHz = {},
                                   bool held = false);
    // The oscillator moved by hz: the buffer is turned to the new frequency, so what it holds still counts.
    void shift(double hz);
    // Forgets the buffer (after a new tuning).
    void clear();

private:
    // Spectrum of the buffer (multiple 1), its square (2) or fourth power (4), into the FFT buffer.
    void transform(int multiple);
    double binPower(int k) const;
    // Median bin power near zero, leaving out the bins around a line: the noise reference.
    double medianAround(int lineBin) const;
    // Power of a line over the bins a little way around it.
    double toneOverFloor(double toneHz) const;
    std::optional<double> lineSearch(double minHz, double maxHz, bool qpsk, std::optional<double> currentHz);
    // Strongest of the three bins around a line at lineHz (in the transformed spectrum's units).
    double linePower(double lineHz) const;
    // Strongest bin of lo..hi away from the lines already passed over.
    std::optional<int> strongestBin(int lo, int hi, const std::vector<int>& passedOver) const;
    // The line's centre, between bins, from its neighbours.
    double interpolatedBin(int k) const;
    // The plain spectrum holds, near carrierHz, a tone of an idle signal (its partner the symbol rate away) that
    // is not one of the tones of an idle signal at carrierHz.
    bool idleToneAstray(double carrierHz) const;
    // The plain spectrum holds a steady tone at carrierHz.
    bool toneOnLine(double carrierHz) const;
    // A steady tone peaks at bin k of the plain spectrum; ...Near: at k or a bin either side.
    bool isSteadyTone(int k) const;
    bool hasSteadyToneNear(int k) const;
    // The plain spectrum holds an idle signal's two tones, half the symbol rate either side of carrierHz.
    bool idleTonesAround(double carrierHz) const;
    // The carrier of the strongest line of the multiple's spectrum that the plain spectrum does not doubt; when it
    // finds one, it leaves the plain spectrum in the buffer.
    std::optional<double> search(double minHz, double maxHz, int multiple, std::optional<double> currentHz,
                                 double betterThanHeld);

    std::unique_ptr<receiver::WindowedFft> m_fft;
    std::vector<std::complex<float>> m_ring;
    int m_pos = 0;
    int m_filled = 0;
};

} // namespace pskcore
