#include "FrequencyAcquisition.h"

#include "pskcore/dsp/Constants.h"

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
constexpr double kFalseLockToleranceHz = 2.0; // a QPSK loop's false lock, a quarter of the symbol rate off
constexpr int kMaxCandidates = 3;            // lines tried in turn, strongest first
constexpr int kLineHalfWidthBins = 3;        // a line passed over takes its neighbouring bins with it
// Steady tones within this reach of a carrier are its own idle tones, or tell that no carrier is there.
constexpr double kToneReachHz = 22.0;
constexpr double kIdleToneToleranceHz = 2.0;
constexpr double kSteadyToneOverFloor = 16.0; // a steady tone stands this far above the bins around it

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
                                                     std::optional<double> currentHz, bool held)
{
    if (m_filled < kSize / 2 || maxHz < minHz)
        return std::nullopt;
    // A loop sitting on one tone of an idle signal, or on the cross product of two, holds no carrier. (Not asked
    // of a loop the squelch holds: a strong signal's own spectrum has peaks enough to pass for such tones.)
    if (currentHz && !held) {
        transform(1);
        if (idleToneAstray(*currentHz))
            currentHz.reset();
    }
    return lineSearch(minHz, maxHz, qpsk, currentHz);
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
        // On the preamble or idle, the signal's two tones either side of the line leave no doubt (search() left
        // the plain spectrum in the buffer).
        if (idleTonesAround(*offset))
            return offset;
        transform(4);
        const int bin = int(std::lround(*offset * 4 / kBinHz));
        const double there = linePower(*offset * 4);
        // A loop in the false lock a quarter of the symbol rate off sits on the fourth power's envelope line,
        // close to the carrier's own in strength: what it holds is no carrier to weigh against.
        const bool falseLock =
            currentHz && std::fabs(std::fabs(*offset - *currentHz) - kSymbolRate / 4) < kFalseLockToleranceHz;
        const double held = currentHz && !falseLock ? linePower(*currentHz * 4) : 0.0;
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
    const int k = int(std::lround(lineHz / kBinHz));
    return std::max({binPower(k - 1), binPower(k), binPower(k + 1)});
}

std::optional<double> FrequencyAcquisition::search(double minHz, double maxHz, int multiple,
                                                   std::optional<double> currentHz, double betterThanHeld)
{
    transform(multiple);
    const int lo = int(std::ceil(minHz * multiple / kBinHz)), hi = int(std::floor(maxHz * multiple / kBinHz));
    if (hi - lo > kSize / 2 - 2)
        return std::nullopt;
    // The strongest lines, strongest first, each clear of the noise and of what the loop holds.
    const double heldPower = currentHz ? linePower(*currentHz * multiple) : 0.0;
    std::vector<int> lines;
    std::vector<double> candidatesHz;
    while (int(lines.size()) < kMaxCandidates) {
        const auto best = strongestBin(lo, hi, lines);
        if (!best)
            break;
        const double peak = binPower(*best);
        if (!(peak > kLineOverMedian * medianAround(*best)))
            break;
        lines.push_back(*best);
        // A loop that holds a signal keeps its frequency unless nothing of the signal's line is where it holds.
        if (currentHz && !(peak > betterThanHeld * heldPower))
            break;
        candidatesHz.push_back(interpolatedBin(*best) * kBinHz / multiple);
    }
    if (candidatesHz.empty())
        return std::nullopt;
    // Two idle signals side by side put lines of their cross products between them, often stronger than either
    // signal's own, and noise may lift the square of one idle tone over the carrier's line: there an idle
    // signal's tone lies where this carrier's would not. PSK31 has no steady tone on its carrier: a line with one
    // is a carrier alone, which is no signal to take. A lone carrier beside the line is no reason to doubt it.
    transform(1);
    for (double carrierHz : candidatesHz)
        if (!toneOnLine(carrierHz) && !idleToneAstray(carrierHz))
            return carrierHz;
    return std::nullopt;
}

std::optional<int> FrequencyAcquisition::strongestBin(int lo, int hi, const std::vector<int>& passedOver) const
{
    std::optional<int> best;
    for (int k = lo; k <= hi; ++k) {
        const bool near = std::any_of(passedOver.begin(), passedOver.end(),
                                      [k](int line) { return std::abs(k - line) <= kLineHalfWidthBins; });
        if (!near && (!best || binPower(k) > binPower(*best)))
            best = k;
    }
    return best;
}

double FrequencyAcquisition::interpolatedBin(int k) const
{
    // Parabolic interpolation between the neighbouring bins.
    const double a = std::sqrt(binPower(k - 1)), b = std::sqrt(binPower(k)), c = std::sqrt(binPower(k + 1));
    const double denominator = a - 2 * b + c;
    return k + (denominator < 0 ? std::clamp(0.5 * (a - c) / denominator, -0.5, 0.5) : 0.0);
}

bool FrequencyAcquisition::idleToneAstray(double carrierHz) const
{
    const int partnerBins = int(std::lround(kIdleToneSpacingHz / kBinHz));
    const int first = int(std::ceil((carrierHz - kToneReachHz) / kBinHz));
    const int last = int(std::floor((carrierHz + kToneReachHz) / kBinHz));
    for (int k = first; k <= last; ++k) {
        const double fromCarrierHz = std::fabs(k * kBinHz - carrierHz);
        if (std::fabs(fromCarrierHz - kIdleToneSpacingHz / 2) > kIdleToneToleranceHz && isSteadyTone(k)
            && (hasSteadyToneNear(k - partnerBins) || hasSteadyToneNear(k + partnerBins)))
            return true;
    }
    return false;
}

bool FrequencyAcquisition::toneOnLine(double carrierHz) const
{
    const int first = int(std::ceil((carrierHz - kIdleToneToleranceHz) / kBinHz));
    for (int k = first; k * kBinHz <= carrierHz + kIdleToneToleranceHz; ++k)
        if (isSteadyTone(k))
            return true;
    return false;
}

bool FrequencyAcquisition::hasSteadyToneNear(int k) const
{
    return isSteadyTone(k - 1) || isSteadyTone(k) || isSteadyTone(k + 1);
}

bool FrequencyAcquisition::idleTonesAround(double carrierHz) const
{
    for (double side : {-1.0, 1.0})
        if (!hasSteadyToneNear(int(std::lround((carrierHz + side * kIdleToneSpacingHz / 2) / kBinHz))))
            return false;
    return true;
}

bool FrequencyAcquisition::isSteadyTone(int k) const
{
    // Its own peak, not the skirt of a stronger tone beside it, and well above the bins around it.
    const double power = binPower(k);
    for (int d = 1; d <= 2; ++d)
        if (binPower(k - d) > power || binPower(k + d) > power)
            return false;
    return toneOverFloor(k * kBinHz) >= kSteadyToneOverFloor;
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
    const int k = int(std::lround(toneHz / kBinHz));
    double floor = 0;
    int count = 0;
    for (int d = 4; d <= 10; ++d, count += 2)
        floor += binPower(k - d) + binPower(k + d);
    return linePower(toneHz) / std::max(1e-30, floor / count);
}

void FrequencyAcquisition::shift(double hz)
{
    // Each sample turned back by the phase the new oscillator gains over the old one by now: the newest is left
    // as it is, so the samples still to come follow on.
    const double radiansPerSample = 2 * std::numbers::pi * hz / kRateHz;
    for (int i = 0; i < kSize; ++i) {
        const int age = kSize - 1 - i;
        m_ring[(m_pos + i) % kSize] *= std::polar(1.0f, float(radiansPerSample * age));
    }
}

void FrequencyAcquisition::clear()
{
    std::fill(m_ring.begin(), m_ring.end(), std::complex<float>(0, 0));
    m_filled = 0;
}

} // namespace pskcore
