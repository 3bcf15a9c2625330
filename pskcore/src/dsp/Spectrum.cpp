#include "pskcore/dsp/Spectrum.h"

#include "FftwPlanner.h"
#include "FiniteSample.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pskcore {
namespace {

constexpr int kBins = kFftSize / 2;
constexpr int kHop = kFftSize / 2; // 50 % overlap
constexpr float kSaturationLevel = 0.99f;
constexpr double kFloorDb = -100.0;

} // namespace

struct Spectrum::Fft {
    float* input;
    fftwf_complex* output;
    fftwf_plan plan;
    std::vector<float> window;
    double windowGain; // sum of the window, so a full-scale sine reads 0 dBFS

    Fft()
    {
        input = fftwf_alloc_real(kFftSize);
        output = fftwf_alloc_complex(kBins + 1);
        {
            std::lock_guard lock(fftwPlannerMutex());
            plan = fftwf_plan_dft_r2c_1d(kFftSize, input, output, FFTW_ESTIMATE);
        }
        window.resize(kFftSize);
        windowGain = 0;
        for (int i = 0; i < kFftSize; ++i) {
            window[i] = float(0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / kFftSize));
            windowGain += window[i];
        }
    }
    ~Fft()
    {
        std::lock_guard lock(fftwPlannerMutex());
        fftwf_destroy_plan(plan);
        fftwf_free(input);
        fftwf_free(output);
    }
};

Spectrum::Spectrum()
    : m_fft(new Fft), m_history(kFftSize, 0.0f), m_powerDb(kBins, float(kFloorDb))
{
}

Spectrum::~Spectrum() { delete m_fft; }

void Spectrum::process(std::span<const float> samples)
{
    for (float raw : samples) {
        const float x = finiteSample(raw);
        if (std::fabs(x) >= kSaturationLevel)
            m_saturatedPending = true;
        m_history.push_back(x);
        if (++m_newSamples < std::size_t(kHop))
            continue;
        m_history.erase(m_history.begin(), m_history.end() - kFftSize);
        m_newSamples = 0;
        for (int i = 0; i < kFftSize; ++i)
            m_fft->input[i] = m_history[i] * m_fft->window[i];
        fftwf_execute(m_fft->plan);
        // Amplitude relative to a full-scale sine (peak 1 -> |X| = windowGain / 2).
        const double ref = m_fft->windowGain / 2;
        for (int k = 0; k < kBins; ++k) {
            const double re = m_fft->output[k][0], im = m_fft->output[k][1];
            const double power = (re * re + im * im) / (ref * ref);
            m_powerDb[k] = float(std::max(kFloorDb, 10 * std::log10(power + 1e-20)));
        }
        m_saturated = m_saturatedPending;
        m_saturatedPending = false;
    }
    if (m_history.size() > std::size_t(4 * kFftSize))
        m_history.erase(m_history.begin(), m_history.end() - kFftSize);
}

bool Spectrum::fill(int32_t* out, int firstBin, int lastBin, int fullScale) const
{
    firstBin = std::clamp(firstBin, 0, kBins - 1);
    lastBin = std::clamp(lastBin, 0, kBins - 1);
    for (int k = firstBin; k <= lastBin; ++k)
        out[k] = int32_t(std::lround((std::min(double(m_powerDb[k]), 0.0) - kFloorDb) / -kFloorDb * fullScale));
    return m_saturated;
}

bool Spectrum::saturated() const { return m_saturated; }

std::array<int32_t, 1024> Spectrum::rawSamples() const
{
    std::array<int32_t, 1024> raw{};
    const std::size_t start = m_history.size() - raw.size();
    for (std::size_t i = 0; i < raw.size(); ++i)
        raw[i] = int32_t(std::lround(std::clamp(m_history[start + i], -1.0f, 1.0f) * 32767.0f));
    return raw;
}

double Spectrum::noiseFloorDb() const
{
    const int lo = 100 * kFftSize / kSampleRate, hi = 3500 * kFftSize / kSampleRate;
    std::vector<float> band(m_powerDb.begin() + lo, m_powerDb.begin() + hi);
    std::nth_element(band.begin(), band.begin() + band.size() / 2, band.end());
    return band[band.size() / 2];
}

void Spectrum::reset()
{
    std::fill(m_history.begin(), m_history.end(), 0.0f);
    m_history.resize(kFftSize);
    m_newSamples = 0;
    std::fill(m_powerDb.begin(), m_powerDb.end(), float(kFloorDb));
    m_saturated = m_saturatedPending = false;
}

} // namespace pskcore
