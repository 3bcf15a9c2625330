#include "ImdMeter.h"

#include <algorithm>
#include <cmath>

namespace pskcore::receiver {

void ImdMeter::pushBaseband(cf lowPassed)
{
    m_buffer[m_pos] = lowPassed;
    m_pos = (m_pos + 1) % kSamples;
}

void ImdMeter::afterSymbol(bool reversal, int level)
{
    m_reversalRun = reversal ? m_reversalRun + 1 : 0;
    ++m_symbolsSince;
    if (m_reversalRun >= kMinReversals && m_symbolsSince >= kMinSymbolsBetween && level >= kMinLevel)
        measure();
}

std::optional<int> ImdMeter::take()
{
    std::optional<int> imd;
    imd.swap(m_imdDb);
    return imd;
}

// Hann-windowed DFTs locked to the tone and product frequencies, both sides' powers summed.
void ImdMeter::measure()
{
    m_symbolsSince = 0;
    auto powerAt = [&](double hz) {
        cd acc(0, 0);
        for (int i = 0; i < kSamples; ++i) {
            const cf x = m_buffer[(m_pos + i) % kSamples];
            const double w = 0.5 - 0.5 * std::cos(2 * kPi * (i + 0.5) / kSamples);
            acc += cd(x) * w * std::polar(1.0, -2 * kPi * hz * i / kBasebandRate);
        }
        return std::norm(acc);
    };
    const double tone = kSymbolRate / 2, product = 3 * kSymbolRate / 2;
    const double main = powerAt(tone) + powerAt(-tone);
    const double third = powerAt(product) + powerAt(-product);
    if (main <= 0)
        return;
    m_imdDb = int(std::lround(10 * std::log10(std::max(third, main * 1e-6) / main)));
}

} // namespace pskcore::receiver
