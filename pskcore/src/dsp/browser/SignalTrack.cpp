#include "SignalTrack.h"

#include <algorithm>

namespace pskcore::browser {

namespace {
constexpr int kBpsk = int(PskMode::Bpsk), kUsb = int(PskMode::QpskUsb), kLsb = int(PskMode::QpskLsb);
}

SignalTrack::SignalTrack(double freqHz)
{
    for (int m = 0; m < kModes; ++m) {
        ChannelDemodulator& rx = m_rx[std::size_t(m)];
        rx.setMode(PskMode(m));
        rx.setAfcLimit(kAfcLimitHz);
        rx.setSquelch(kSquelchLevel, kSquelchSpeed);
        rx.setFrequency(freqHz, kCaptureHz);
    }
}

void SignalTrack::retune(double freqHz)
{
    for (int m = 0; m < kModes; ++m) {
        ChannelDemodulator& rx = m_rx[std::size_t(m)];
        rx.reset();
        rx.setFrequency(freqHz, kCaptureHz);
        m_waiting[std::size_t(m)].clear();
    }
    m_decided = false;
    m_candidate = -1;
    m_votes = 0;
}

void SignalTrack::process(std::span<const float> samples, std::string& text)
{
    if (m_decided) {
        m_rx[std::size_t(m_mode)].process(samples, text);
        return;
    }
    for (int m = 0; m < kModes; ++m) {
        std::string& waiting = m_waiting[std::size_t(m)];
        m_rx[std::size_t(m)].process(samples, waiting);
        if (waiting.size() > kMaxWaiting)
            waiting.erase(0, waiting.size() - kMaxWaiting);
    }
}

int SignalTrack::vote() const
{
    const ChannelDemodulator& bpsk = m_rx[kBpsk];
    const ChannelDemodulator& usb = m_rx[kUsb];
    const ChannelDemodulator& lsb = m_rx[kLsb];
    const int qpskLevel = std::max(usb.signalLevel(), lsb.signalLevel());
    // A BPSK signal sits on two points, which QPSK's four include: BPSK's closeness is then the higher one.
    // QPSK text scatters half its symbols off BPSK's two points. Idle reversals are both modes' (and fit
    // both sidebands, once the code fit has risen from the noise): BPSK is told by its text, which it
    // decodes and which fits neither sideband.
    const double bestFit = std::max(usb.codeFit(), lsb.codeFit());
    if (bpsk.squelchOpen() && bpsk.signalLevel() >= qpskLevel && bestFit < kFitQpsk && !m_waiting[kBpsk].empty())
        return kBpsk;
    if (bpsk.signalLevel() * 2 >= qpskLevel)
        return -1;
    for (int side : {kUsb, kLsb}) {
        const ChannelDemodulator& rx = m_rx[std::size_t(side)];
        const ChannelDemodulator& other = m_rx[std::size_t(side == kUsb ? kLsb : kUsb)];
        if (rx.squelchOpen() && rx.codeFit() >= kFitQpsk && rx.codeFit() >= other.codeFit() + kFitMargin)
            return side;
    }
    return -1;
}

void SignalTrack::judge(std::string& text)
{
    if (m_decided) {
        const ChannelDemodulator& rx = m_rx[std::size_t(m_mode)];
        m_closed = rx.squelchOpen() ? 0 : m_closed + 1;
        m_unfit = isQpsk(PskMode(m_mode)) && rx.squelchOpen() && rx.codeFit() < kFitLost ? m_unfit + 1 : 0;
        if (m_closed >= kClosedToRetry || m_unfit >= kVotesToDecide)
            retry();
        return;
    }
    const ChannelDemodulator& bpsk = m_rx[kBpsk];
    const ChannelDemodulator& usb = m_rx[kUsb];
    const ChannelDemodulator& lsb = m_rx[kLsb];
    const bool qpskText = (usb.squelchOpen() || lsb.squelchOpen()) &&
                          bpsk.signalLevel() * 2 < std::max(usb.signalLevel(), lsb.signalLevel()) &&
                          std::max(usb.codeFit(), lsb.codeFit()) < kFitLost;
    m_stuck = qpskText ? m_stuck + 1 : 0;
    const int v = vote();
    m_votes = v >= 0 && v == m_candidate ? m_votes + 1 : (v >= 0 ? 1 : 0);
    m_candidate = v;
    if (m_votes >= kVotesToDecide)
        decide(v, text);
}

void SignalTrack::decide(int mode, std::string& text)
{
    m_decided = true;
    m_mode = mode;
    m_closed = 0;
    m_unfit = 0;
    text += m_waiting[std::size_t(mode)];
    for (auto& waiting : m_waiting)
        waiting.clear();
}

void SignalTrack::restartQpsk(double freqHz, std::span<const float> history)
{
    for (int side : {kUsb, kLsb}) {
        ChannelDemodulator& rx = m_rx[std::size_t(side)];
        rx.reset();
        rx.setFrequency(freqHz, kCaptureHz);
        m_waiting[std::size_t(side)].clear();
        rx.process(history, m_waiting[std::size_t(side)]);
    }
    m_stuck = 0;
    m_restarted = true;
}

// The receivers set aside pick up at the frequency the working one holds, afresh.
void SignalTrack::retry()
{
    m_restarted = false;
    const double freqHz = m_rx[std::size_t(m_mode)].frequencyHz();
    for (int m = 0; m < kModes; ++m) {
        if (m == m_mode)
            continue;
        ChannelDemodulator& rx = m_rx[std::size_t(m)];
        rx.reset();
        rx.setFrequency(freqHz, kCaptureHz);
    }
    m_decided = false;
    m_candidate = -1;
    m_votes = 0;
}

double SignalTrack::frequencyHz() const
{
    if (m_decided)
        return m_rx[std::size_t(m_mode)].frequencyHz();
    const auto best = std::max_element(m_rx.begin(), m_rx.end(), [](const auto& a, const auto& b) {
        return a.signalLevel() < b.signalLevel();
    });
    return best->frequencyHz();
}

PskMode SignalTrack::mode() const
{
    if (m_decided)
        return PskMode(m_mode);
    return m_candidate >= 0 ? PskMode(m_candidate) : PskMode::Bpsk;
}

double SignalTrack::snrDb() const { return m_rx[std::size_t(int(mode()))].snrDb(); }

int SignalTrack::signalLevel() const
{
    if (m_decided)
        return m_rx[std::size_t(m_mode)].signalLevel();
    int level = 0;
    for (const auto& rx : m_rx)
        level = std::max(level, rx.signalLevel());
    return level;
}

bool SignalTrack::open() const
{
    if (m_decided)
        return m_rx[std::size_t(m_mode)].squelchOpen();
    return std::any_of(m_rx.begin(), m_rx.end(), [](const auto& rx) { return rx.squelchOpen(); });
}

} // namespace pskcore::browser
