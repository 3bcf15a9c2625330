#include "runtime/Transmitter.h"

#include <algorithm>

namespace pskcore {

Transmitter::Transmitter(Report report)
    : m_report(std::move(report))
{
}

void Transmitter::attach(std::shared_ptr<AudioOutput> output, int device)
{
    std::lock_guard line(m_lineMutex);
    m_output = std::move(output);
    m_device = device;
}

void Transmitter::shutdown()
{
    std::lock_guard line(m_lineMutex);
    endLocked(false);
    {
        std::lock_guard tx(m_txMutex);
        m_modulator.abort();
        m_modulator.clearQueue();
    }
    m_output.reset();
}

void Transmitter::setFrequency(int hz)
{
    std::lock_guard tx(m_txMutex);
    m_modulator.setFrequency(hz);
}

void Transmitter::setClockErrorPpm(int ppm)
{
    std::lock_guard tx(m_txMutex);
    m_outputPpm = ppm;
}

void Transmitter::setTimeLimitSeconds(int seconds)
{
    std::lock_guard tx(m_txMutex);
    m_limitSamples = std::size_t(std::max(seconds, 0)) * kSampleRate;
}

void Transmitter::setCwIdText(std::string text)
{
    std::lock_guard tx(m_txMutex);
    m_modulator.setCwIdText(std::move(text));
}

void Transmitter::setCwIdSpeed(int n)
{
    std::lock_guard tx(m_txMutex);
    m_modulator.setCwIdSpeed(n);
}

void Transmitter::start(std::optional<PskMode> mode)
{
    std::lock_guard line(m_lineMutex);
    if (!m_output)
        return;
    if (m_onAir) {
        bool ended;
        {
            std::lock_guard tx(m_txMutex);
            ended = m_modulator.finished();
        }
        if (!ended)
            return;
        endLocked(true);
    }
    unsigned generation;
    {
        std::lock_guard tx(m_txMutex);
        if (mode) {
            m_modulator.setMode(*mode);
            m_modulator.startText();
        } else {
            m_modulator.startTune();
        }
        generation = ++m_generation;
        m_startReported = false;
        m_endReported = false;
        m_samplesOnAir = 0;
        m_pending.clear();
        m_outputResampler.reset();
    }
    // Keying first: the transmitter is keyed before its first sample leaves (fill waits for a rig to confirm).
    m_keyed = true;
    int error = m_keying.key() ? 0 : pskerr::KeyFailed;
    if (error == 0)
        error = m_output->start(
            m_device, [this](float* out, std::size_t n) { return fill(out, n); },
            [this] { report({Event::Status, psktx::TooSlow, 0}); });
    if (error != 0) {
        {
            std::lock_guard tx(m_txMutex);
            m_modulator.abort();
        }
        const bool released = m_keying.unkey();
        m_keyed = false;
        report({Event::Status, error, generation});
        if (!released)
            report({Event::Status, pskerr::UnkeyFailed, generation});
        return;
    }
    m_onAir = true;
}

std::size_t Transmitter::fill(float* out, std::size_t count)
{
    std::lock_guard tx(m_txMutex);
    if (!m_keying.ready()) {
        // Silence, not the modulator's first symbols, while a rig is still being keyed.
        std::fill(out, out + count, 0.0f);
        return count;
    }
    const std::size_t written = renderCorrected(out, count);
    m_samplesOnAir += written;
    if (m_limitSamples > 0 && m_samplesOnAir > m_limitSamples && !m_modulator.finished()) {
        m_modulator.abort();
        m_outbox.push_back({Event::Status, pskerr::TxTimeLimit, m_generation});
    }
    if (written > 0 && !m_startReported) {
        m_startReported = true;
        m_outbox.push_back({Event::Started, 0, m_generation});
    }
    for (uint8_t byte : m_modulator.takeSentChars())
        m_outbox.push_back({Event::Sent, byte, m_generation});
    if (written < count && !m_endReported) {
        m_endReported = true;
        m_outbox.push_back({Event::Ended, 0, m_generation});
    }
    if (!m_outbox.empty()) {
        m_report(m_outbox);
        m_outbox.clear();
    }
    return written;
}

std::size_t Transmitter::renderCorrected(float* out, std::size_t count)
{
    if (m_outputPpm == 0)
        return m_modulator.render(std::span<float>(out, count));
    // Our samples must last as long on the card's clock as they would on a true one.
    m_outputResampler.setRatio(1.0 + m_outputPpm * 1e-6);
    while (m_pending.size() < count && !m_modulator.finished()) {
        m_scratch.resize(kSamplesPerSymbol);
        const std::size_t made = m_modulator.render(m_scratch);
        m_outputResampler.process(std::span<const float>(m_scratch.data(), made), m_pending);
    }
    const std::size_t written = std::min(count, m_pending.size());
    std::copy_n(m_pending.begin(), written, out);
    std::fill(out + written, out + count, 0.0f);
    m_pending.erase(m_pending.begin(), m_pending.begin() + std::ptrdiff_t(written));
    return written;
}

void Transmitter::send(int character, int control)
{
    std::lock_guard tx(m_txMutex);
    if (control == 0)
        m_modulator.queueChar(static_cast<uint8_t>(character & 0xFF));
    else if (character == 1)
        m_modulator.requestReturnToReceive();
    else if (character == 2)
        m_modulator.requestCwId();
}

void Transmitter::stop()
{
    bool rest;
    {
        std::lock_guard tx(m_txMutex);
        rest = m_modulator.charsRemaining() > 0 && !m_modulator.finished();
        m_modulator.stop();
    }
    if (rest)
        report({Event::Status, psktx::SendingRest, 0});
}

void Transmitter::abort()
{
    std::lock_guard line(m_lineMutex);
    {
        std::lock_guard tx(m_txMutex);
        m_modulator.abort();
    }
    endLocked(false);
}

void Transmitter::clearQueue()
{
    std::lock_guard tx(m_txMutex);
    m_modulator.clearQueue();
}

int Transmitter::charsRemaining()
{
    std::lock_guard tx(m_txMutex);
    return m_modulator.charsRemaining();
}

void Transmitter::endIfCurrent(unsigned generation)
{
    std::lock_guard line(m_lineMutex);
    bool current;
    {
        std::lock_guard tx(m_txMutex);
        current = generation == m_generation;
    }
    if (current)
        endLocked(true);
}

void Transmitter::endLocked(bool drain)
{
    if (!m_onAir)
        return;
    if (drain)
        m_output->drain();
    else
        m_output->abort();
    const bool released = m_keying.unkey();
    m_onAir = false;
    m_keyed = false;
    report({Event::Status, psktx::Ended, 0});
    if (!released)
        report({Event::Status, pskerr::UnkeyFailed, 0});
}

} // namespace pskcore
