#pragma once

// Signal helpers shared by the modem tests: transmit, add noise, decode.
#include "pskcore/dsp/ChannelDemodulator.h"
#include "pskcore/dsp/Modulator.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace pskcore::fixtures {

struct Transmission {
    std::vector<float> samples;
    double keyedPower = 0; // mean x^2 while keyed
};

// Text (bytes) sent in mode at hz with a quarter second of silence before and one second after.
inline Transmission transmit(const std::string& bytes, PskMode mode, double hz, double levelDb = -12)
{
    Modulator tx;
    tx.setMode(mode);
    tx.setFrequency(hz);
    tx.setLevelDb(levelDb);
    tx.startText();
    for (unsigned char c : bytes)
        tx.queueChar(c);
    tx.stop();
    Transmission t;
    t.samples.assign(kSampleRate / 4, 0.0f);
    std::vector<float> block(1000);
    double energy = 0;
    std::size_t keyed = 0;
    while (!tx.finished()) {
        const std::size_t n = tx.render(block);
        for (std::size_t i = 0; i < n; ++i)
            energy += double(block[i]) * block[i];
        keyed += n;
        t.samples.insert(t.samples.end(), block.begin(), block.begin() + std::ptrdiff_t(n));
    }
    t.samples.insert(t.samples.end(), kSampleRate, 0.0f);
    t.keyedPower = keyed ? energy / double(keyed) : 0;
    return t;
}

// White Gaussian noise at snrDb in 3000 Hz against signalPower.
inline void addNoise(std::vector<float>& samples, double signalPower, double snrDb, unsigned seed)
{
    const double noisePower = signalPower / std::pow(10.0, snrDb / 10) * (kSampleRate / 2.0) / 3000.0;
    std::mt19937 rng(seed);
    std::normal_distribution<float> gauss(0.0f, float(std::sqrt(noisePower)));
    for (float& x : samples)
        x += gauss(rng);
}

inline std::string feed(ChannelDemodulator& rx, const std::vector<float>& samples, std::size_t block = 777)
{
    std::string text;
    for (std::size_t pos = 0; pos < samples.size(); pos += block)
        rx.process(std::span<const float>(samples).subspan(pos, std::min(block, samples.size() - pos)), text);
    return text;
}

inline std::string decode(const std::vector<float>& samples, PskMode mode, double hz, int squelch = 10)
{
    ChannelDemodulator rx;
    rx.setMode(mode);
    rx.setFrequency(hz, 10);
    rx.setAfcLimit(10);
    rx.setSquelch(squelch, 1);
    return feed(rx, samples);
}

// Levenshtein distance: the character errors of a received text against the sent one.
inline std::size_t editDistance(const std::string& a, const std::string& b)
{
    std::vector<std::size_t> row(b.size() + 1), next(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        next[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j)
            next[j] = std::min({row[j] + 1, next[j - 1] + 1, row[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        row.swap(next);
    }
    return row[b.size()];
}

// Every byte value 0-255 once, in order.
inline std::string allBytes()
{
    std::string bytes;
    for (int c = 0; c < 256; ++c)
        bytes.push_back(char(c));
    return bytes;
}

} // namespace pskcore::fixtures
