#include "Impairments.h"

#include "Recording.h"

#include <cmath>
#include <numbers>
#include <random>

using pskcore::kSampleRate;

void addNoise(std::vector<float>& samples, double signalPower, double snrDb, unsigned seed)
{
    const double noisePower = signalPower / std::pow(10.0, snrDb / 10) * (kSampleRate / 2.0) / kNoiseBandwidthHz;
    std::mt19937 rng(seed);
    std::normal_distribution<float> gauss(0.0f, float(std::sqrt(noisePower)));
    for (float& x : samples)
        x += gauss(rng);
}

void addCarrier(std::vector<float>& samples, double freqHz, double power)
{
    const double amplitude = std::sqrt(2 * power);
    const double step = 2 * std::numbers::pi * freqHz / kSampleRate;
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] += float(amplitude * std::cos(step * double(i)));
}

void addClicks(std::vector<float>& samples, int clicksPerSecond, double peak, unsigned seed)
{
    constexpr std::size_t kClickSamples = 8;
    constexpr double kDecayPerSample = 0.6;
    std::mt19937 rng(seed);
    std::uniform_int_distribution<std::size_t> where(0, kSampleRate - kClickSamples);
    std::bernoulli_distribution negative(0.5);
    for (std::size_t second = 0; second + kSampleRate <= samples.size(); second += kSampleRate) {
        for (int c = 0; c < clicksPerSecond; ++c) {
            const std::size_t start = second + where(rng);
            double value = negative(rng) ? -peak : peak;
            for (std::size_t k = 0; k < kClickSamples; ++k, value *= kDecayPerSample)
                samples[start + k] += float(value);
        }
    }
}
