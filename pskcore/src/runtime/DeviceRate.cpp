#include "runtime/DeviceRate.h"

#include "pskcore/dsp/Constants.h"

#include <algorithm>

namespace pskcore {

InputRateConverter::InputRateConverter(int rateHz, AudioInput::Deliver deliver)
    : m_deliver(std::move(deliver)), m_resampler(double(kSampleRate) / rateHz)
{
}

void InputRateConverter::deliver(const float* samples, std::size_t count)
{
    m_out.clear();
    m_resampler.process(std::span<const float>(samples, count), m_out);
    if (!m_out.empty())
        m_deliver(m_out.data(), m_out.size());
}

OutputRateConverter::OutputRateConverter(int rateHz, AudioOutput::Fill fill)
    : m_fill(std::move(fill)), m_resampler(double(rateHz) / kSampleRate), m_block(kSamplesPerSymbol)
{
}

std::size_t OutputRateConverter::fill(float* out, std::size_t count)
{
    while (m_pending.size() < count && !m_ended) {
        const std::size_t audio = m_fill(m_block.data(), m_block.size());
        // The silence after the end goes through too: it brings the filter's last samples out.
        m_resampler.process(m_block, m_pending);
        m_ended = audio < m_block.size();
    }
    const std::size_t written = std::min(count, m_pending.size());
    std::copy_n(m_pending.begin(), written, out);
    std::fill(out + written, out + count, 0.0f);
    m_pending.erase(m_pending.begin(), m_pending.begin() + std::ptrdiff_t(written));
    return m_ended && m_pending.empty() ? written : count;
}

} // namespace pskcore
