#include "FrontEnd.h"

#include <cmath>

namespace pskcore::receiver {
namespace {

constexpr int kFrontTaps = FrontEnd::kFrontTaps;
constexpr int kMatchedTaps = FrontEnd::kMatchedTaps;

// Low-pass, cutoff 120 Hz at 8000 Hz, Blackman-windowed sinc, unity DC gain.
std::array<float, kFrontTaps> frontFilter()
{
    std::array<float, kFrontTaps> taps{};
    const double fc = 120.0 / kSampleRate;
    double sum = 0;
    for (int i = 0; i < kFrontTaps; ++i) {
        const double x = i - (kFrontTaps - 1) / 2.0;
        const double sinc = x == 0 ? 2 * fc : std::sin(2 * kPi * fc * x) / (kPi * x);
        const double u = double(i) / (kFrontTaps - 1);
        const double w = 0.42 - 0.5 * std::cos(2 * kPi * u) + 0.08 * std::cos(4 * kPi * u);
        taps[i] = float(sinc * w);
        sum += taps[i];
    }
    for (float& t : taps)
        t = float(t / sum);
    return taps;
}

// Matched filter: the symbol pulse itself, sin^2 over two symbols, normalised so that a steady carrier of
// amplitude A comes out as A.
std::array<float, kMatchedTaps> matchedFilter()
{
    std::array<float, kMatchedTaps> taps{};
    double sum = 0;
    for (int i = 0; i < kMatchedTaps; ++i) {
        const double s = std::sin(kPi * (i + 0.5) / kMatchedTaps);
        taps[i] = float(s * s);
        sum += taps[i];
    }
    for (float& t : taps)
        t = float(t / sum);
    return taps;
}

// A pulse one symbol long, so the idle tones of a carrier off-centre stay balanced for acquisition.
std::array<float, kSps> acquisitionFilter()
{
    std::array<float, kSps> taps{};
    for (int i = 0; i < kSps; ++i) {
        const double s = std::sin(kPi * (i + 0.5) / kSps);
        taps[i] = float(s * s / (kSps / 2.0));
    }
    return taps;
}

const std::array<float, kFrontTaps> kFront = frontFilter();
const std::array<float, kMatchedTaps> kMatched = matchedFilter();
const std::array<float, kSps> kAcquisition = acquisitionFilter();

} // namespace

FrontEnd::FrontEnd() = default;

void FrontEnd::setFrequency(double freqHz)
{
    m_canceller.shiftHz(freqHz - m_freqHz);
    m_freqHz = freqHz;
    m_step = std::polar(1.0, -2 * kPi * freqHz / kSampleRate);
}

bool FrontEnd::push(float x)
{
    const cd mixed = m_rotator * double(x);
    m_rotator *= m_step;
    if (++m_rotatorCount >= kRenormaliseSamples) {
        m_rotatorCount = 0;
        m_rotator /= std::abs(m_rotator);
    }
    m_front[m_frontPos] = m_front[m_frontPos + kFrontTaps] = cf(mixed);
    m_frontPos = (m_frontPos + 1) % kFrontTaps;
    if (++m_decimPhase < kDecimation)
        return false;
    m_decimPhase = 0;

    cf acc(0, 0);
    const cf* window = &m_front[m_frontPos];
    for (int k = 0; k < kFrontTaps; ++k)
        acc += window[k] * kFront[k];
    m_lowPassed = acc;

    m_base[m_basePos] = m_base[m_basePos + kMatchedTaps] = m_canceller.process(acc);
    m_basePos = (m_basePos + 1) % kMatchedTaps;
    cf y(0, 0);
    const cf* bwin = &m_base[m_basePos];
    for (int k = 0; k < kMatchedTaps; ++k)
        y += bwin[k] * kMatched[k];
    m_matched = y;
    return true;
}

cf FrontEnd::acquisitionPulse() const
{
    cf wide(0, 0);
    const cf* bwin = &m_base[m_basePos];
    for (int k = 0; k < kSps; ++k)
        wide += bwin[kSps / 2 + k] * kAcquisition[k];
    return wide;
}

} // namespace pskcore::receiver
