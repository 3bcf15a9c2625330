#include "FrequencyAcquisition.h"


#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pskcore {
namespace {

constexpr double kLineOverMedian = 20.0; // the line must exceed 20 x the median bin power (noise: ~1e-6 chance)
constexpr double kBetterThanHeld = 10.0;  // a new line must be 10 x stronger than the one held
constexpr double kConfirmFactor = 2.0;     // QPSK: the fourth power must be twice as strong there
constexpr int kNoiseHalfSpan = 100;      // bins each side of zero used for the noise reference
constexpr double kIdleToneSpacingHz = 31.25; // the two tones of an idle PSK31 signal
constexpr double kToneOverFloor = 30.0;      // a steady tone stands this far above the bins around it
constexpr double kPartnerShare = 0.1;        // the other idle tone is within 10 dB of it

} // namespace


FrequencyAcquisition::FrequencyAcquisition() : m_fft(std::make_unique<receiver::WindowedFft>(kSize)), m_ring(kSize) {}
FrequencyAcquisition::~FrequencyAcquisition() = default;

void FrequencyAcquisition::push(std::complex<float> y)
{
    m_ring[m_pos] = y;
    m_pos = (m_pos + 1) % kSize;
    m_filled = std::min(m_filled + 1, kSize);
}

std::optional<double> FrequencyAcquisition::estimate(double minHz, double maxHz, bool qpsk,
                                                     std::optional<double> currentHz)
{
    if (m_filled < kSize / 2 || maxHz < minHz)
        return std::nullopt;
    // A loop sitting on one tone of an idle signal holds no carrier: the signal lies half the symbol rate away.
    if (currentHz && toneAt(*currentHz) == Tone::Idle)
        currentHz.reset();
    // PSK31 has no line at its carrier; a lone steady line there is a carrier alone, which is no signal to take.
    auto found = lineSearch(minHz, maxHz, qpsk, currentHz);
    if (found && toneAt(*found) == Tone::Lone)
        return std::nullopt;
    return found;
}

std::optional<double> FrequencyAcquisition::lineSearch(double minHz, double maxHz, bool qpsk,
                                                       std::optional<double> currentHz)
{
    if (!qpsk)
        return search(minHz, maxHz, 2, currentHz, kBetterThanHeld);
    // QPSK: the square has the cleaner line on the preamble and idle (plain reversals), but under data runs of
    // +-90 degree shifts put false lines in it; a line of the square is taken only where the fourth power,
    // steady under any QPSK data, confirms it.
    // On a weak signal the fourth power's line where the loop holds is low too: the candidate's own line must
    // also stand clear of the noise, or a false line of the square takes a held signal away.
    if (const auto offset = search(minHz, maxHz, 2, currentHz, kBetterThanHeld)) {
        transform(4);
        const int bin = int(std::lround(*offset * 4 / (kRateHz / kSize)));
        const double there = linePower(*offset * 4);
        const double held = currentHz ? linePower(*currentHz * 4) : 0.0;
        if (there > kConfirmFactor * held && there > kLineOverMedian * medianAround(bin))
            return offset;
    }
    return search(minHz, maxHz, 4, currentHz, kBetterThanHeld);
}

void FrequencyAcquisition::transform(int multiple)
{
    for (int i = 0; i < kSize; ++i) {
        const std::complex<float> y = m_ring[(m_pos + i) % kSize];
        const std::complex<float> y2 = y * y;
        // The fourth power is scaled back to power units to keep the numbers tame.
        const std::complex<float> p = multiple == 1 ? y : multiple == 4 ? y2 * y2 / std::max(1e-30f, std::abs(y2)) : y2;
        const std::complex<float> v = p * m_fft->window[i];
        m_fft->data[i][0] = v.real();
        m_fft->data[i][1] = v.imag();
    }
    fftwf_execute(m_fft->plan);
}

double FrequencyAcquisition::binPower(int k) const
{
    const int index = ((k % kSize) + kSize) % kSize;
    return double(m_fft->data[index][0]) * m_fft->data[index][0] + double(m_fft->data[index][1]) * m_fft->data[index][1];
}

double FrequencyAcquisition::linePower(double lineHz) const
{
    const int k = int(std::lround(lineHz / (kRateHz / kSize)));
    return std::max({binPower(k - 1), binPower(k), binPower(k + 1)});
}

std::optional<double> FrequencyAcquisition::search(double minHz, double maxHz, int multiple,
                                                   std::optional<double> currentHz, double betterThanHeld)
{
    transform(multiple);
    const double binHz = kRateHz / kSize;
    const int lo = int(std::ceil(minHz * multiple / binHz)), hi = int(std::floor(maxHz * multiple / binHz));
    if (hi - lo > kSize / 2 - 2)
        return std::nullopt;
    int best = lo;
    for (int k = lo; k <= hi; ++k)
        if (binPower(k) > binPower(best))
            best = k;
    const double median = medianAround(best);
    const double peak = binPower(best);
    if (!(peak > kLineOverMedian * median))
        return std::nullopt;
    // A loop that holds a signal keeps its frequency unless nothing of the signal's line is where it holds.
    if (currentHz && !(peak > betterThanHeld * linePower(*currentHz * multiple)))
        return std::nullopt;
    // Parabolic interpolation between the neighbouring bins.
    const double a = std::sqrt(binPower(best - 1)), b = std::sqrt(peak), c = std::sqrt(binPower(best + 1));
    const double denominator = a - 2 * b + c;
    const double delta = denominator < 0 ? std::clamp(0.5 * (a - c) / denominator, -0.5, 0.5) : 0.0;
    return (best + delta) * binHz / multiple;
}

double FrequencyAcquisition::medianAround(int lineBin) const
{
    std::vector<double> noise;
    for (int k = -kNoiseHalfSpan; k <= kNoiseHalfSpan; ++k)
        if (std::abs(k - lineBin) > 3)
            noise.push_back(binPower(k));
    std::nth_element(noise.begin(), noise.begin() + std::ptrdiff_t(noise.size() / 2), noise.end());
    return noise[noise.size() / 2];
}

double FrequencyAcquisition::toneOverFloor(double toneHz) const
{
    const int k = int(std::lround(toneHz / (kRateHz / kSize)));
    double floor = 0;
    int count = 0;
    for (int d = 4; d <= 10; ++d, count += 2)
        floor += binPower(k - d) + binPower(k + d);
    return linePower(toneHz) / std::max(1e-30, floor / count);
}

FrequencyAcquisition::Tone FrequencyAcquisition::toneAt(double toneHz)
{
    transform(1);
    if (toneOverFloor(toneHz) < kToneOverFloor)
        return Tone::None;
    const double power = linePower(toneHz);
    for (double side : {-1.0, 1.0})
        if (linePower(toneHz + side * kIdleToneSpacingHz) > kPartnerShare * power)
            return Tone::Idle;
    return Tone::Lone;
}

void FrequencyAcquisition::clear()
{
    std::fill(m_ring.begin(), m_ring.end(), std::complex<float>(0, 0));
    m_filled = 0;
}

} // namespace pskcore
