#include "SignalFinder.h"

#include "../FiniteSample.h"
#include "pskcore/dsp/Constants.h"

#include <algorithm>
#include <cmath>

namespace pskcore::browser {

namespace {
constexpr double kBinHz = double(kSampleRate) / 2048;
}

SignalFinder::SignalFinder(double lowHz, double highHz)
    : m_lowBin(std::max(kLobeHalfBins, int(std::ceil(lowHz / kBinHz)))),
      m_highBin(std::min(kSize / 2 - 1 - kLobeHalfBins, int(std::floor(highHz / kBinHz)))),
      m_history(kSize, 0.0f), m_average(kSize / 2, 0.0)
{
}

bool SignalFinder::process(std::span<const float> samples)
{
    bool fresh = false;
    for (float x : samples) {
        m_history.push_back(finiteSample(x));
        if (++m_newSamples == kHop) {
            m_history.erase(m_history.begin(), m_history.end() - kSize);
            m_newSamples = 0;
            transform();
            fresh = true;
        }
    }
    if (m_history.size() > std::size_t(2 * kSize))
        m_history.erase(m_history.begin(), m_history.end() - kSize);
    return fresh;
}

void SignalFinder::transform()
{
    for (int i = 0; i < kSize; ++i) {
        m_fft.data[i][0] = m_history[std::size_t(i)] * m_fft.window[std::size_t(i)];
        m_fft.data[i][1] = 0.0f;
    }
    fftwf_execute(m_fft.plan);
    ++m_spectra;
    const double weight = 1.0 / std::min(double(m_spectra), kAverageSpectra);
    for (int k = 0; k < kSize / 2; ++k) {
        const double power = double(m_fft.data[k][0]) * m_fft.data[k][0] + double(m_fft.data[k][1]) * m_fft.data[k][1];
        m_average[std::size_t(k)] += weight * (power - m_average[std::size_t(k)]);
    }
}

std::vector<SignalFinder::Peak> SignalFinder::peaks() const
{
    std::vector<Peak> found;
    if (m_spectra < kWarmUpSpectra || m_highBin <= m_lowBin)
        return found;
    m_sorted.assign(m_average.begin() + m_lowBin, m_average.begin() + m_highBin + 1);
    const auto nth = m_sorted.begin() + std::ptrdiff_t(double(m_sorted.size() - 1) * kFloorPercentile);
    std::nth_element(m_sorted.begin(), nth, m_sorted.end());
    const double lobeNoise = *nth * kFloorPercentileToMean * (2 * kLobeHalfBins + 1);
    if (lobeNoise <= 0)
        return found;

    std::vector<double> lobe(m_average.size(), 0.0);
    for (int k = m_lowBin; k <= m_highBin; ++k)
        for (int j = -kLobeHalfBins; j <= kLobeHalfBins; ++j)
            lobe[std::size_t(k)] += m_average[std::size_t(k + j)];
    for (int k = m_lowBin; k <= m_highBin; ++k) {
        const double s = lobe[std::size_t(k)];
        if (s < kDetectRatio * lobeNoise || s < lobe[std::size_t(k - 1)] || s <= lobe[std::size_t(k + 1)])
            continue;
        // The lobe's centroid: an idle signal's carrier lies between its two lines.
        double moment = 0;
        for (int j = -kLobeHalfBins; j <= kLobeHalfBins; ++j)
            moment += j * m_average[std::size_t(k + j)];
        found.push_back({(k + moment / s) * kBinHz, s / lobeNoise});
    }
    std::sort(found.begin(), found.end(), [](const Peak& a, const Peak& b) { return a.ratio > b.ratio; });
    std::vector<Peak> kept;
    for (const Peak& p : found) {
        const bool near = std::any_of(kept.begin(), kept.end(),
                                      [&](const Peak& q) { return std::fabs(q.freqHz - p.freqHz) < kMinSpacingHz; });
        if (!near)
            kept.push_back(p);
    }
    return kept;
}

void SignalFinder::reset()
{
    std::fill(m_history.begin(), m_history.end(), 0.0f);
    m_history.resize(kSize);
    m_newSamples = 0;
    std::fill(m_average.begin(), m_average.end(), 0.0);
    m_spectra = 0;
}

} // namespace pskcore::browser
