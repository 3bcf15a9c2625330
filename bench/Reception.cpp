#include "Reception.h"
#include <cstdio>
#include <cstdlib>

#include <algorithm>
#include <span>

using namespace pskcore;

Reception receive(const std::vector<float>& samples, PskMode mode, double hz, RxSettings settings,
                  const std::function<void(ChannelDemodulator&, std::size_t)>& afterBlock)
{
    ChannelDemodulator rx;
    rx.setMode(mode);
    rx.setFrequency(hz, settings.captureRangeHz);
    rx.setAfcLimit(settings.afcLimitHz);
    rx.setSquelch(settings.squelch, 1);
    Reception result;
    for (std::size_t pos = 0; pos < samples.size(); pos += kRxBlock) {
        const std::size_t n = std::min(kRxBlock, samples.size() - pos);
        rx.process(std::span<const float>(samples).subspan(pos, n), result.text);
        if (afterBlock)
            afterBlock(rx, pos + n);
    }
    result.finalFreqHz = rx.frequencyHz();
    return result;
}

std::function<void(ChannelDemodulator&, std::size_t)> noteFrequencyAt(std::size_t sample, double& freqHz)
{
    return [sample, &freqHz, noted = false](ChannelDemodulator& rx, std::size_t end) mutable {
        if (!noted && end >= sample) {
            freqHz = rx.frequencyHz();
            noted = true;
        }
    };
}

std::size_t editDistance(const std::string& a, const std::string& b)
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

double cer(const std::string& sent, const std::string& got)
{
    return double(editDistance(sent, got)) / double(sent.size());
}

void ErrorCount::add(const std::string& sentText, const std::string& got)
{
    errors += editDistance(sentText, got);
    sent += sentText.size();
}

const char* modeName(PskMode mode)
{
    switch (mode) {
    case PskMode::Bpsk: return "BPSK31";
    case PskMode::QpskUsb: return "QPSK31 USB";
    case PskMode::QpskLsb: return "QPSK31 LSB";
    }
    return "?";
}
