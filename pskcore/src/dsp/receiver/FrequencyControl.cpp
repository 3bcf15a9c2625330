#include "FrequencyControl.h"

#include <algorithm>
#include <cmath>

namespace pskcore::receiver {

void FrequencyControl::tune(double freqHz, double captureHz)
{
    m_captureHz = captureHz;
    m_oscillatorHz = m_anchorHz = m_tunedHz = std::clamp(freqHz, kMinAudioHz, kMaxAudioHz);
    m_captureLeftSymbols = kCaptureSymbols;
    m_acquisition.clear();
    m_symbolsSinceJump = 0;
    m_heldSymbols = 0;
    m_lastFoundHz.reset();
}

void FrequencyControl::setLimits(double afcLimitHz, double captureHz)
{
    m_afcLimitHz = afcLimitHz;
    m_captureHz = captureHz;
}

double FrequencyControl::limitHz() const
{
    if (m_captureLeftSymbols <= 0)
        return m_afcLimitHz;
    // A click (capture 0) lands within a waterfall pixel of the signal: with the AFC on, reach that far. A
    // caller that gives a capture range knows its own reach: a wider one would let a weak signal's idle tones,
    // half the symbol rate either side, pass for its carrier.
    if (m_captureHz > 0)
        return std::max(m_captureHz, m_afcLimitHz);
    return m_afcLimitHz > 0 ? std::max(m_afcLimitHz, kClickReachHz) : 0.0;
}

bool FrequencyControl::acquire(CarrierLoop& loop, bool locked, bool qpsk, bool besideCarrier)
{
    const double limit = limitHz();
    m_heldSymbols = locked ? m_heldSymbols + 1 : 0;
    // Also checked while locked: a QPSK loop can hold a false lock a quarter of the symbol rate off. It takes
    // one on acquisition only (the loop itself reaches 3 Hz at most): a signal held for long is left alone, as
    // on a weak one the fourth power's line now and then shows stronger there than where the loop holds.
    if (qpsk && m_heldSymbols > kFalseLockCheckSymbols)
        return false;
    if (limit <= 0 || ++m_symbolsSinceJump < kSettleSymbols
        || m_symbolsSinceJump % (locked ? kSearchEveryHeld : kSearchEveryFree) != 0)
        return false;
    const double heldHz = loop.offsetHz();
    // Right after tuning, jumps stay around where the operator tuned, however the anchor has moved.
    const double centreHz = m_captureLeftSymbols > 0 ? m_tunedHz : m_anchorHz;
    const auto offset = m_acquisition.estimate(centreHz - limit - m_oscillatorHz,
                                               centreHz + limit - m_oscillatorHz, qpsk, heldHz, locked);
    if (!offset || std::fabs(*offset - heldHz) <= (locked ? kJumpHeldHz : kJumpFreeHz))
        return false;
    // The false lock of a QPSK loop lies a quarter of the symbol rate off; a held QPSK signal is left for no other
    // line, as the transitions of its data put lines in the fourth power that outgrow a weak carrier's.
    if (qpsk && locked && std::fabs(std::fabs(*offset - heldHz) - kQpskFalseLockHz) > kFalseLockToleranceHz)
        return false;
    // QPSK's fourth power beside a carrier, even a cancelled one, has cross-product lines that wander with the
    // data: there a line is taken only once searches have found it at the same place a few times running (and
    // only there: elsewhere the wait would cost the first characters after a click).
    const double foundHz = m_oscillatorHz + *offset;
    m_timesFound = m_lastFoundHz && std::fabs(foundHz - *m_lastFoundHz) <= kConfirmHz ? m_timesFound + 1 : 1;
    m_lastFoundHz = foundHz;
    if (qpsk && besideCarrier && m_timesFound < kQpskTimesFound)
        return false;
    m_lastFoundHz.reset();
    const double fromHz = m_oscillatorHz;
    m_oscillatorHz = std::clamp(m_oscillatorHz + *offset, kMinAudioHz, kMaxAudioHz);
    // A signal found after tuning is where the operator meant: the AFC limit applies around it from now on.
    if (m_captureLeftSymbols > 0)
        m_anchorHz = m_oscillatorHz;
    loop.clearFrequency();
    m_acquisition.shift(m_oscillatorHz - fromHz);
    m_symbolsSinceJump = 0;
    return true;
}

bool FrequencyControl::follow(CarrierLoop& loop, bool locked, bool open, int level)
{
    const double limit = limitHz();
    bool moved = false;
    if (limit > 0 && locked) {
        const double moveHz = kAfcShare * loop.offsetHz();
        const double target = std::clamp(std::clamp(m_oscillatorHz + moveHz, m_anchorHz - limit, m_anchorHz + limit),
                                         kMinAudioHz, kMaxAudioHz);
        loop.shiftHz(target - m_oscillatorHz);
        m_oscillatorHz = target;
        moved = true;
        // A locked signal carries the anchor with it, so slow drift is followed beyond the limit.
        if (open && level >= kAnchorLevel)
            m_anchorHz += kAnchorShare * (m_oscillatorHz - m_anchorHz);
    }
    if (m_captureLeftSymbols > 0)
        --m_captureLeftSymbols;
    return moved;
}

} // namespace pskcore::receiver
