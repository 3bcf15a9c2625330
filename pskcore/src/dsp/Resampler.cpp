#include "pskcore/dsp/Resampler.h"

#include "FiniteSample.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pskcore {
namespace {

constexpr int kHalfTaps = 16; // filter half-length at unity cutoff, input samples

double sinc(double x) { return x == 0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x); }

// Blackman window over |x| <= half.
double window(double x, double half)
{
    const double u = (x / half + 1) / 2;
    if (u <= 0 || u >= 1)
        return 0;
    return 0.42 - 0.5 * std::cos(2 * std::numbers::pi * u) + 0.08 * std::cos(4 * std::numbers::pi * u);
}

} // namespace

Resampler::Resampler(double ratio)
{
    setRatio(ratio);
}

void Resampler::setPpm(double ppm) { setRatio(1.0 / (1.0 + std::clamp(ppm, -10000.0, 10000.0) * 1e-6)); }

void Resampler::setRatio(double ratio)
{
    ratio = ratio > 0 ? ratio : 1.0;
    if (ratio == m_ratio && !m_table.empty())
        return; // callers may set the ratio on every buffer: the filter table is rebuilt only on a change
    m_ratio = ratio;
    m_step = 1.0 / m_ratio;
    // Downsampling lowers the cutoff and widens the filter in proportion.
    const double cutoff = std::min(1.0, m_ratio) * 0.95;
    const double half = kHalfTaps / cutoff;
    m_reach = int(std::ceil(half));
    const int width = 2 * m_reach;
    m_table.assign(std::size_t(kPhases + 1) * std::size_t(width), 0.0f);
    for (int phase = 0; phase <= kPhases; ++phase) {
        const double frac = double(phase) / kPhases;
        for (int k = -m_reach + 1; k <= m_reach; ++k) {
            const double x = k - frac;
            m_table[std::size_t(phase * width + k + m_reach - 1)] = float(cutoff * sinc(cutoff * x) * window(x, half));
        }
    }
}

double Resampler::ratio() const { return m_ratio; }

void Resampler::process(std::span<const float> in, std::vector<float>& out)
{
    for (float x : in)
        m_buffer.push_back(finiteSample(x));
    const int width = 2 * m_reach;
    while (m_position + m_reach + 1 < double(m_buffer.size())) {
        const int centre = int(std::floor(m_position));
        const double where = (m_position - centre) * kPhases;
        const int phase = std::min(int(where), kPhases - 1);
        const float t = float(where - phase);
        const float* a = &m_table[std::size_t(phase * width)];
        const float* b = a + width;
        float acc = 0;
        for (int k = -m_reach + 1; k <= m_reach; ++k) {
            const int index = centre + k;
            if (index < 0)
                continue;
            const int tap = k + m_reach - 1;
            acc += m_buffer[std::size_t(index)] * (a[tap] + t * (b[tap] - a[tap]));
        }
        out.push_back(acc);
        m_position += m_step;
    }
    // Keep the history the filter still needs.
    const int drop = std::max(0, int(std::floor(m_position)) - m_reach);
    if (drop > 0) {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + drop);
        m_position -= drop;
    }
}

void Resampler::reset()
{
    m_buffer.clear();
    m_position = 0.0;
}

} // namespace pskcore
