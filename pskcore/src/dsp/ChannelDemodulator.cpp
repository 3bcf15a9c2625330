#include "pskcore/dsp/ChannelDemodulator.h"

#include "FiniteSample.h"
#include "receiver/CarrierLoop.h"
#include "receiver/ClockErrorMeter.h"
#include "receiver/FrequencyControl.h"
#include "receiver/FrontEnd.h"
#include "receiver/ImdMeter.h"
#include "receiver/SoftMetrics.h"
#include "receiver/PhaseVectors.h"
#include "receiver/SnrMeter.h"
#include "receiver/Squelch.h"
#include "receiver/SymbolDecoder.h"
#include "receiver/SymbolPower.h"
#include "receiver/SymbolTiming.h"
#include "receiver/TextSink.h"

#include <algorithm>
#include <cmath>

namespace pskcore {

using namespace receiver;

namespace {

// Nearest constellation point (BPSK: +-1; QPSK: 1, j, -1, -j) of a complex value.
cf decide(cf u, bool qpsk)
{
    if (!qpsk)
        return cf(u.real() >= 0 ? 1.0f : -1.0f, 0.0f);
    if (std::fabs(u.real()) >= std::fabs(u.imag()))
        return cf(u.real() >= 0 ? 1.0f : -1.0f, 0.0f);
    return cf(0.0f, u.imag() >= 0 ? 1.0f : -1.0f);
}

// An idle reversal: the phase turned by half a circle, give or take 45 degrees.
bool isReversal(cf change) { return change.real() < 0 && std::fabs(change.imag()) < -change.real(); }

// QPSK's decisions turn noisy sooner than BPSK's: on a weak signal its carrier loop narrows, so that it holds
// the constellation rather than slipping; a strong one, which may be fading, keeps the loop quick.
constexpr double kQpskNarrowBelowDb = -11.0, kQpskWideAboveDb = -6.0; // SNR in 3 kHz

double qpskLoopNarrowing(double snrDb)
{
    return std::clamp((kQpskWideAboveDb - snrDb) / (kQpskWideAboveDb - kQpskNarrowBelowDb), 0.0, 1.0);
}

} // namespace

// What the owner set; reset() keeps it.
struct ChannelDemodulator::Config {
    PskMode mode = PskMode::Bpsk;
    double captureHz = 0.0;
    double afcLimitHz = 0.0;
    int squelchThreshold = 10;
    int squelchSpeed = 1;
};

// Everything the signal sets; reset() starts it afresh from the configuration.
struct ChannelDemodulator::State {
    explicit State(const Config& config, double freqHz);

    void onBaseband();
    void onSymbol(cf z, std::string& decodedBytes);

    bool qpsk;
    FrontEnd frontEnd;
    SymbolTiming timing;
    FrequencyControl frequency;
    CarrierLoop loop;
    SymbolPower power;
    Squelch squelch;
    SoftMetrics soft;
    SymbolDecoder decoder;
    std::vector<uint8_t> characters;
    std::vector<uint8_t> settled;
    TextSink text;
    ClockErrorMeter clock;
    ImdMeter imd;
    PhaseVectors vectors;
    SymbolHistory wasOpen;
    SymbolHistory wasFaded;
    SnrMeter snr;
    cf previousSymbol{0, 0}; // coherent value of the previous symbol
};

ChannelDemodulator::State::State(const Config& config, double freqHz) : qpsk(isQpsk(config.mode))
{
    frequency.setLimits(config.afcLimitHz, config.captureHz);
    frequency.tune(freqHz, config.captureHz);
    frontEnd.setFrequency(frequency.oscillatorHz());
    squelch.configure(config.squelchThreshold, config.squelchSpeed);
    squelch.setSlowHold(qpsk);
    decoder.setMode(config.mode);
}

void ChannelDemodulator::State::onSymbol(cf z, std::string& decodedBytes)
{
    power.update(z);
    const bool carrierGone = power.carrierGone();
    // BPSK's soft metrics measure the noise on the axis the signal leaves free; QPSK has none, the S-meter's blind
    // estimate serves.
    const bool faded = power.faded(qpsk ? float(snr.noisePower()) : soft.noisePower());
    const cf zn = z * power.normaliser();

    // Coherent value against the tracked carrier, and the decision.
    const cf u = loop.coherent(zn);
    const cf d = decide(u, qpsk);
    const cf aligned = u * std::conj(d); // near 1 when the decision is right
    // Narrowed only on a signal the squelch holds, or that the code fit says is likely there: a signal being
    // acquired needs the loop's full pull.
    loop.track(std::atan2(aligned.imag(), aligned.real()),
               qpsk && (squelch.open() || squelch.signalLikely()) ? qpskLoopNarrowing(snr.snrDb()) : 0.0);

    // Differential value of this symbol: the phase change from the previous symbol.
    const cf change = u * std::conj(previousSymbol);
    previousSymbol = u;
    const bool reversal = isReversal(change);
    vectors.push(zn);

    // Digital silence has no phase to judge: it must not open the squelch, and it closes it at full speed.
    const bool silent = std::norm(z) <= 1e-18f;
    squelch.update(silent ? 0.0 : std::cos((qpsk ? 4 : 2) * std::arg(u)), silent ? 1.0 : std::norm(zn));
    const int level = squelch.level();
    // A stretch of noise that opened the squelch for a moment: what it let through is still behind the
    // decoder's delay, and must not print.
    wasOpen.forget(squelch.falseOpeningSymbols());
    wasOpen.record(squelch.open());
    wasFaded.record(faded);

    const bool locked = level >= kLockLevel;
    clock.update(timing.unwrappedPeakSamples(), locked && !carrierGone, level < kLockLevel / 2 || carrierGone);
    if (frequency.follow(loop, locked, squelch.open(), level))
        frontEnd.setFrequency(frequency.oscillatorHz());

    SoftSymbol symbol = soft.measure(u / power.normaliser());
    if (qpsk)
        symbol.change = change;
    characters.clear();
    settled.clear();
    const auto bit = decoder.push(symbol, characters, settled);
    // A transmission has ended with its closing carrier: what follows is noise, and the squelch lets go of the
    // signal at once instead of holding on to it for seconds (a weak QPSK signal's holds would print the noise).
    if (decoder.restingAfterCarrier())
        squelch.clear();
    if (qpsk)
        squelch.updateCodeFit(decoder.lastCodeGain(), std::abs(change));
    // Settled by a pause, they print if the squelch was open when it began; else they came from the noise
    // before a new transmission's preamble.
    if (wasOpen.ago(SymbolDecoder::kIdleFlushSymbols))
        characters.insert(characters.end(), settled.begin(), settled.end());
    const int delay = decoder.delaySymbols();
    text.push(bit, characters, wasOpen.ago(delay), wasFaded.ago(delay), decodedBytes);
    imd.afterSymbol(reversal, squelch.level());
}

ChannelDemodulator::ChannelDemodulator() : m_config(std::make_unique<Config>())
{
    m_state = std::make_unique<State>(*m_config, 1000.0);
}
ChannelDemodulator::~ChannelDemodulator() = default;

void ChannelDemodulator::setFrequency(double freqHz, double captureRangeHz)
{
    m_config->captureHz = std::clamp(captureRangeHz, 0.0, kMaxLimitHz);
    State& s = *m_state;
    s.frequency.setLimits(m_config->afcLimitHz, m_config->captureHz);
    s.frequency.tune(freqHz, m_config->captureHz);
    s.frontEnd.setFrequency(s.frequency.oscillatorHz());
    // Whatever was held at the old frequency is gone: acquire afresh, squelch closed until the new signal shows.
    s.loop.clearFrequency();
    s.squelch.clear();
    s.snr.clear();
    s.clock.clearHistory();
}

double ChannelDemodulator::frequencyHz() const
{
    const State& s = *m_state;
    // The carrier loop's own frequency counts while it has the signal (not noise, after the signal has gone).
    const bool held = signalLevel() >= kLockLevel && !s.power.carrierGone();
    return s.frequency.oscillatorHz() + (held ? s.loop.offsetHz() : 0.0);
}

void ChannelDemodulator::setMode(PskMode mode)
{
    if (mode == m_config->mode)
        return;
    m_config->mode = mode;
    m_state->qpsk = isQpsk(mode);
    m_state->squelch.setSlowHold(m_state->qpsk);
    m_state->decoder.setMode(mode);
}

PskMode ChannelDemodulator::mode() const { return m_config->mode; }

void ChannelDemodulator::setAfcLimit(double hz)
{
    m_config->afcLimitHz = std::clamp(hz, 0.0, kMaxLimitHz);
    m_state->frequency.setLimits(m_config->afcLimitHz, m_config->captureHz);
}

void ChannelDemodulator::setSquelch(int threshold, int speed)
{
    m_config->squelchThreshold = std::clamp(threshold, 0, 99);
    m_config->squelchSpeed = std::clamp(speed, 0, 200);
    m_state->squelch.configure(m_config->squelchThreshold, m_config->squelchSpeed);
}

int ChannelDemodulator::signalLevel() const { return m_state->squelch.level(); }

int ChannelDemodulator::snrLevel() const { return m_state->snr.level(); }

double ChannelDemodulator::snrDb() const { return m_state->snr.snrDb(); }

double ChannelDemodulator::codeFit() const { return m_state->decoder.codeFit(); }

bool ChannelDemodulator::squelchOpen() const { return m_state->squelch.open(); }

std::array<int32_t, 16> ChannelDemodulator::syncProfile() const { return m_state->timing.syncProfile(); }

std::array<int32_t, 16> ChannelDemodulator::vectors() const { return m_state->vectors.pairs(); }

std::optional<int> ChannelDemodulator::takeImdDb() { return m_state->imd.take(); }

double ChannelDemodulator::clockErrorPpm() const { return m_state->clock.ppm(); }

void ChannelDemodulator::reset()
{
    m_state = std::make_unique<State>(*m_config, m_state->frequency.oscillatorHz());
}

void ChannelDemodulator::process(std::span<const float> samples, std::string& decodedBytes)
{
    State& s = *m_state;
    for (float raw : samples) {
        if (!s.frontEnd.push(finiteSample(raw)))
            continue;
        s.imd.pushBaseband(s.frontEnd.lowPassed());
        s.frequency.pushBaseband(s.frontEnd.acquisitionPulse());
        switch (s.timing.push(s.frontEnd.matched(), s.squelch.held())) {
        case SymbolTiming::Event::Strobe:
            // Coarse frequency: jump onto a carrier the carrier loop cannot reach yet.
            if (s.frequency.acquire(s.loop, s.squelch.held(), s.qpsk, s.frontEnd.cancellingCarrier()))
                s.frontEnd.setFrequency(s.frequency.oscillatorHz());
            break;
        case SymbolTiming::Event::Symbol:
            s.snr.update(s.timing.symbol());
            s.onSymbol(s.timing.symbol(), decodedBytes);
            break;
        case SymbolTiming::Event::None:
            break;
        }
    }
}

} // namespace pskcore
