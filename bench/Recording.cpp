#include "Recording.h"

#include "pskcore/dsp/Modulator.h"

#include <algorithm>

using namespace pskcore;

Signal transmit(const std::string& text, PskMode mode, double hz, const std::function<double(double)>& freqAt,
                bool idleOnly, double idleSeconds)
{
    Modulator tx;
    tx.setMode(mode);
    tx.setFrequency(hz);
    tx.setLevelDb(-12);
    tx.startText();
    for (unsigned char c : text)
        tx.queueChar(c);
    if (!idleOnly)
        tx.stop();
    Signal signal;
    signal.samples.assign(kLeadSamples, 0.0f);
    std::vector<float> block(64);
    double energy = 0;
    std::size_t keyed = 0;
    const std::size_t idleLimit = std::size_t(idleSeconds * kSampleRate);
    for (;;) {
        if (freqAt)
            tx.setFrequency(freqAt(double(keyed) / kSampleRate));
        const std::size_t n = tx.render(block);
        for (std::size_t i = 0; i < n; ++i)
            energy += double(block[i]) * block[i];
        keyed += n;
        signal.samples.insert(signal.samples.end(), block.begin(), block.begin() + std::ptrdiff_t(n));
        if (n < block.size() || (idleOnly && keyed >= idleLimit))
            break;
    }
    signal.samples.insert(signal.samples.end(), 2 * kSampleRate, 0.0f);
    signal.keyedPower = energy / double(std::max<std::size_t>(keyed, 1));
    signal.keyedBegin = kLeadSamples;
    signal.keyedEnd = kLeadSamples + keyed;
    return signal;
}

double meanPower(const std::vector<float>& samples, std::size_t begin, std::size_t end)
{
    end = std::min(end, samples.size());
    double energy = 0;
    for (std::size_t i = begin; i < end; ++i)
        energy += double(samples[i]) * samples[i];
    return end > begin ? energy / double(end - begin) : 0.0;
}

void mixInto(std::vector<float>& sum, const std::vector<float>& other, double gain)
{
    if (sum.size() < other.size())
        sum.resize(other.size(), 0.0f);
    for (std::size_t i = 0; i < other.size(); ++i)
        sum[i] += float(gain * other[i]);
}
