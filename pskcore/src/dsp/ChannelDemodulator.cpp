#include "pskcore/dsp/ChannelDemodulator.h"

#include "FrequencyAcquisition.h"
#include "QpskViterbi.h"
#include "pskcore/dsp/Varicode.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <deque>
#include <numbers>
#include <vector>

namespace pskcore {
namespace {

using cf = std::complex<float>;
using cd = std::complex<double>;

constexpr double kPi = std::numbers::pi;
constexpr int kDecimation = 8;                        // 8000 Hz -> 1000 Hz
constexpr int kRate = kSampleRate / kDecimation;      // baseband rate, Hz
constexpr int kSps = kSamplesPerSymbol / kDecimation; // 32 baseband samples per symbol
constexpr int kFrontTaps = 64;                        // decimating low-pass, 8 ms
constexpr int kMatchedTaps = 2 * kSps;                // a symbol pulse spans two symbols
constexpr int kImdSamples = 2048;                     // 64 symbols of baseband for an IMD reading
constexpr double kMaxLimitHz = 100.0;
constexpr std::size_t kClockSymbols = 1024;           // clock error measured over 33 s
constexpr long long kLookbackSymbols = 24;            // characters this recent print when the squelch opens
constexpr int kPreambleBits = 8;                      // this many 0 bits in a row are idle, not text
constexpr int kLockLevel = 25;                        // quality level above which the carrier loop has the signal
constexpr double kLockQuality = 0.3 + 0.6 * kLockLevel / 100.0; // the same as a mean closeness

// Low-pass, cutoff 120 Hz at 8000 Hz, Blackman-windowed sinc, unity DC gain.
std::array<float, kFrontTaps> frontFilter()
{
    std::array<float, kFrontTaps> taps{};
    const double fc = 120.0 / kSampleRate;
    double sum = 0;
    for (int i = 0; i < kFrontTaps; ++i) {
        const double x = i - (kFrontTaps - 1) / 2.0;
        const double sinc = x == 0 ? 2 * fc : std::sin(2 * kPi * fc * x) / (kPi * x);
        const double u = double(i) / (kFrontTaps - 1);
        const double w = 0.42 - 0.5 * std::cos(2 * kPi * u) + 0.08 * std::cos(4 * kPi * u);
        taps[i] = float(sinc * w);
        sum += taps[i];
    }
    for (float& t : taps)
        t = float(t / sum);
    return taps;
}

// Matched filter: the symbol pulse itself, sin^2 over two symbols, normalised so that a steady carrier of
// amplitude A comes out as A.
std::array<float, kMatchedTaps> matchedFilter()
{
    std::array<float, kMatchedTaps> taps{};
    double sum = 0;
    for (int i = 0; i < kMatchedTaps; ++i) {
        const double s = std::sin(kPi * (i + 0.5) / kMatchedTaps);
        taps[i] = float(s * s);
        sum += taps[i];
    }
    for (float& t : taps)
        t = float(t / sum);
    return taps;
}

// The matched filter leaves each symbol with 1/6 of each neighbour (the pulses overlap by one symbol):
// y_k = a_k + (a_{k-1} + a_{k+1}) / 6, the noise correlated the same way. Symbol k is decided from
// y_{k-3}..y_k and from the filter output 10 ms before the peak of symbol k+1, which already holds enough of
// a_{k+1} to cancel it: 22 ms after y_k instead of the 64 ms a symmetric inverse waits for y_{k+2}. The taps
// minimise the mean-square error at Es/N0 = 7 dB (the edge of copy) and err as often as the symmetric
// inverse; deciding without any look-ahead would err twice as often.
constexpr int kEarlySamples = 10;
constexpr int kEqualizerTaps = 4;
constexpr std::array<float, kEqualizerTaps> kEqualizer = {-0.00364f, 0.02451f, -0.15734f, 1.00949f};
constexpr float kEqualizerNext = -0.17623f;

const std::array<float, kFrontTaps> kFront = frontFilter();

std::array<float, kSps> acquisitionFilter()
{
    std::array<float, kSps> taps{};
    for (int i = 0; i < kSps; ++i) {
        const double s = std::sin(kPi * (i + 0.5) / kSps);
        taps[i] = float(s * s / (kSps / 2.0));
    }
    return taps;
}
const std::array<float, kSps> kAcquisitionFilter = acquisitionFilter();
const std::array<float, kMatchedTaps> kMatched = matchedFilter();

double wrapPi(double a)
{
    while (a > kPi)
        a -= 2 * kPi;
    while (a < -kPi)
        a += 2 * kPi;
    return a;
}

// Nearest constellation point (BPSK: +-1; QPSK: 1, j, -1, -j) of a complex value.
cf decide(cf u, bool qpsk)
{
    if (!qpsk)
        return cf(u.real() >= 0 ? 1.0f : -1.0f, 0.0f);
    if (std::fabs(u.real()) >= std::fabs(u.imag()))
        return cf(u.real() >= 0 ? 1.0f : -1.0f, 0.0f);
    return cf(0.0f, u.imag() >= 0 ? 1.0f : -1.0f);
}

} // namespace

struct ChannelDemodulator::State {
    // Configuration (kept by reset()).
    double captureHz = 0.0;
    PskMode mode = PskMode::Bpsk;
    double afcLimitHz = 0.0;
    int squelchThreshold = 10;
    int squelchSpeed = 1;

    // Oscillator and front end.
    double ncoHz = 1000.0;
    double anchorHz = 1000.0;   // where the AFC last had the signal: the limit applies around it
    double captureLeftSymbols = 0;
    cd rotator{1.0, 0.0};
    int rotatorCount = 0;
    std::array<cf, kFrontTaps * 2> front{};  // mixed input, doubled ring for contiguous reads
    int frontPos = 0;
    int decimPhase = 0;

    // Baseband at 1 kHz.
    std::array<cf, kMatchedTaps * 2> base{};
    int basePos = 0;
    FrequencyAcquisition acquisition;
    long long symbolsSinceJump = 0;
    std::vector<cf> imdBuffer = std::vector<cf>(kImdSamples);
    int imdPos = 0;
    long long baseCount = 0;     // baseband samples so far
    cf lastMatched{0, 0};
    std::array<cf, kEqualizerTaps> strobes{}; // latest symbol samples, oldest first
    bool undecided = false;      // the latest strobe's symbol waits for the look-ahead sample

    // Symbol timing.
    std::array<float, kSps> profile{};
    double nextStrobe = kSps;    // in baseband samples (absolute)
    double profilePhase = 0;     // peak position within the symbol, samples
    std::vector<double> phaseHistory; // unwrapped timing phase per symbol, for the clock error
    double unwrappedPhase = 0;
    double clockPpm = 0;

    // Carrier and detection.
    cf reference{0, 0};          // tracked carrier phasor (decisions removed)
    double omega = 0;            // residual rotation per symbol, radians
    cf previousSymbol{0, 0};     // coherent value of the previous symbol (carrier removed)
    cf previousRaw{0, 0};
    float power = 1e-6f;         // mean symbol power, for normalisation
    float fastPower = 0.0f;      // symbol power over the last few symbols: a sudden drop is a carrier gone
    cf previousDecision{1, 0};

    // Squelch and displays.
    double quality = 0;          // mean closeness to the constellation, -1..1
    bool open = false;
    uint64_t openHistory = 0;    // squelch state of recent symbols, newest in bit 0
    std::array<cf, 8> vectors{};
    int vectorPos = 0;
    long long symbolsSinceImd = 0;
    std::optional<int> imd;

    long long reversalRun = 0;   // consecutive symbols that look like idle reversals
    long long symbols = 0;
    int zeroBits = 0;            // consecutive 0 bits decoded
    std::deque<std::pair<uint8_t, long long>> held; // characters decoded while closed, with their symbol

    VaricodeDecoder varicode;
    QpskViterbi viterbi;

    void measureImd();
};

// IMD on idle: the two tones at +-15.625 Hz against the third-order products at +-46.875 Hz, measured with
// Hann-windowed DFTs locked to those frequencies over the last 64 symbols (both sides' powers summed).
void ChannelDemodulator::State::measureImd()
{
    symbolsSinceImd = 0;
    auto powerAt = [&](double hz) {
        cd acc(0, 0);
        for (int i = 0; i < kImdSamples; ++i) {
            const cf x = imdBuffer[(imdPos + i) % kImdSamples];
            const double w = 0.5 - 0.5 * std::cos(2 * kPi * (i + 0.5) / kImdSamples);
            acc += cd(x) * w * std::polar(1.0, -2 * kPi * hz * i / kRate);
        }
        return std::norm(acc);
    };
    const double tone = kSymbolRate / 2, product = 3 * kSymbolRate / 2;
    const double main = powerAt(tone) + powerAt(-tone);
    const double third = powerAt(product) + powerAt(-product);
    if (main <= 0)
        return;
    imd = int(std::lround(10 * std::log10(std::max(third, main * 1e-6) / main)));
}

ChannelDemodulator::ChannelDemodulator() : m_state(std::make_unique<State>())
{
    m_state->viterbi.reset();
}
ChannelDemodulator::~ChannelDemodulator() = default;

void ChannelDemodulator::setFrequency(double freqHz, double captureRangeHz)
{
    State& s = *m_state;
    s.captureHz = std::clamp(captureRangeHz, 0.0, kMaxLimitHz);
    s.ncoHz = s.anchorHz = std::clamp(freqHz, kMinAudioHz, kMaxAudioHz);
    // A capture window lets the oscillator jump onto a nearby signal for about two seconds.
    s.captureLeftSymbols = s.captureHz > 0 ? 64 : 0;
    // Whatever was held at the old frequency is gone: acquire afresh, squelch closed until the new signal shows.
    s.omega = 0;
    s.acquisition.clear();
    s.symbolsSinceJump = 0;
    s.quality = 0;
    s.open = false;
    s.phaseHistory.clear();
}

double ChannelDemodulator::frequencyHz() const
{
    const State& s = *m_state;
    // The carrier loop's own frequency counts once it has the signal.
    return s.ncoHz + (signalLevel() >= kLockLevel ? s.omega / (2 * kPi) * kSymbolRate : 0.0);
}

void ChannelDemodulator::setMode(PskMode mode)
{
    if (mode == m_state->mode)
        return;
    m_state->mode = mode;
    m_state->viterbi.reset();
    m_state->viterbi.setLowerSideband(mode == PskMode::QpskLsb);
    m_state->varicode.reset();
}

PskMode ChannelDemodulator::mode() const { return m_state->mode; }

void ChannelDemodulator::setAfcLimit(double hz) { m_state->afcLimitHz = std::clamp(hz, 0.0, kMaxLimitHz); }

void ChannelDemodulator::setSquelch(int threshold, int speed)
{
    m_state->squelchThreshold = std::clamp(threshold, 0, 99);
    m_state->squelchSpeed = std::clamp(speed, 0, 200);
}

int ChannelDemodulator::signalLevel() const
{
    // Quality 0.3 (never reached by noise for long) maps to 0, 0.9 (a clean signal) to 100.
    return std::clamp(int(std::lround((m_state->quality - 0.3) / 0.6 * 100)), 0, 100);
}

bool ChannelDemodulator::squelchOpen() const { return m_state->open; }

std::array<int32_t, 16> ChannelDemodulator::syncProfile() const
{
    const State& s = *m_state;
    std::array<int32_t, 16> out{};
    const float top = std::max(1e-12f, *std::max_element(s.profile.begin(), s.profile.end()));
    // Centre the sampling instant at position 8.
    const int shift = int(std::lround(s.profilePhase)) - kSps / 2;
    for (int i = 0; i < 16; ++i) {
        const int a = ((2 * i + shift) % kSps + kSps) % kSps;
        const int b = (a + 1) % kSps;
        out[i] = int32_t(std::lround((s.profile[a] + s.profile[b]) / 2 / top * 1000));
    }
    return out;
}

std::array<int32_t, 16> ChannelDemodulator::vectors() const
{
    const State& s = *m_state;
    std::array<int32_t, 16> out{};
    for (int i = 0; i < 8; ++i) {
        const cf v = s.vectors[(s.vectorPos + i) % 8];
        out[2 * i] = int32_t(std::clamp(std::lround(v.real() * 800), -1000L, 1000L));
        out[2 * i + 1] = int32_t(std::clamp(std::lround(v.imag() * 800), -1000L, 1000L));
    }
    return out;
}

std::optional<int> ChannelDemodulator::takeImdDb()
{
    std::optional<int> imd;
    imd.swap(m_state->imd);
    return imd;
}

double ChannelDemodulator::clockErrorPpm() const { return m_state->clockPpm; }

void ChannelDemodulator::reset()
{
    const State& old = *m_state;
    auto fresh = std::make_unique<State>();
    fresh->captureHz = old.captureHz;
    fresh->mode = old.mode;
    fresh->afcLimitHz = old.afcLimitHz;
    fresh->squelchThreshold = old.squelchThreshold;
    fresh->squelchSpeed = old.squelchSpeed;
    fresh->ncoHz = fresh->anchorHz = old.ncoHz;
    fresh->captureLeftSymbols = old.captureHz > 0 ? 64 : 0;
    fresh->viterbi.reset();
    fresh->viterbi.setLowerSideband(old.mode == PskMode::QpskLsb);
    m_state = std::move(fresh);
}

void ChannelDemodulator::process(std::span<const float> samples, std::string& decodedBytes)
{
    State& s = *m_state;
    const bool qpsk = isQpsk(s.mode);
    cd step = std::polar(1.0, -2 * kPi * s.ncoHz / kSampleRate);

    auto onSymbol = [&](cf z) {
        s.power = 0.98f * s.power + 0.02f * std::norm(z);
        s.fastPower = 0.7f * s.fastPower + 0.3f * std::norm(z);
        const bool carrierGone = s.fastPower < 0.25f * s.power;
        const float scale = 1.0f / std::sqrt(std::max(s.power, 1e-20f));
        const cf zn = z * scale;

        // Coherent value against the tracked carrier, and the decision.
        const cf ref = std::abs(s.reference) > 1e-6f ? s.reference / std::abs(s.reference) : cf(1, 0);
        const cf u = zn * std::conj(ref);
        const cf d = decide(u, qpsk);
        const cf aligned = u * std::conj(d); // near 1 when the decision is right
        const double err = std::atan2(aligned.imag(), aligned.real());
        // Second-order carrier loop: the reference follows phase and residual frequency.
        constexpr double kAlpha = 0.15, kBeta = 0.02;
        s.omega = std::clamp(s.omega + kBeta * err, -0.6, 0.6);
        const double turn = kAlpha * err + s.omega;
        s.reference = ref * cf(std::polar(1.0, turn));

        // Differential value of this symbol: the phase change from the previous symbol.
        const cf change = u * std::conj(s.previousSymbol);
        s.previousSymbol = u;
        const bool reversal = change.real() < 0 && std::fabs(change.imag()) < -change.real();
        s.reversalRun = reversal ? s.reversalRun + 1 : 0;
        s.vectors[s.vectorPos] = zn * std::conj(s.previousRaw) / std::max(1e-6f, std::abs(s.previousRaw));
        s.vectorPos = (s.vectorPos + 1) % 8;
        s.previousRaw = zn;

        // Squelch: closeness of the symbols to the constellation (noise averages 0).
        const double angle = std::arg(u);
        // Digital silence has no phase to judge: it must not open the squelch.
        const double closeness = std::norm(z) > 1e-18f ? std::cos((qpsk ? 4 : 2) * angle) : 0.0;
        const double tau = 32.0 / (1.0 + s.squelchSpeed / 10.0);
        s.quality += (closeness - s.quality) / std::max(1.0, tau);
        const int level = signalLevel();
        if (s.squelchThreshold == 0)
            s.open = true;
        else if (level >= s.squelchThreshold)
            s.open = true;
        else if (level < s.squelchThreshold - 3 || level == 0)
            s.open = false;
        s.openHistory = (s.openHistory << 1) | uint64_t(s.open && !carrierGone);

        // Clock error from the drift of the timing peak over the last 1024 symbols of a held signal.
        if (level >= kLockLevel && !carrierGone) {
            s.phaseHistory.push_back(s.unwrappedPhase);
            if (s.phaseHistory.size() > kClockSymbols)
                s.phaseHistory.erase(s.phaseHistory.begin());
            if (s.phaseHistory.size() == kClockSymbols) {
                const double slope = (s.phaseHistory.back() - s.phaseHistory.front()) / (kClockSymbols - 1.0) / kSps;
                s.clockPpm += 0.02 * (slope * 1e6 - s.clockPpm);
            }
        } else if (level < kLockLevel / 2 || carrierGone) {
            s.phaseHistory.clear();
        }

        // AFC: move the oscillator by the loop's residual frequency, within the limit.
        const double limit = s.captureLeftSymbols > 0 ? std::max(s.captureHz, s.afcLimitHz) : s.afcLimitHz;
        const bool locked = level >= kLockLevel;
        if (limit > 0 && locked) {
            const double moveHz = 0.1 * s.omega / (2 * kPi) * kSymbolRate;
            const double target = std::clamp(std::clamp(s.ncoHz + moveHz, s.anchorHz - limit, s.anchorHz + limit),
                                             kMinAudioHz, kMaxAudioHz);
            const double applied = target - s.ncoHz;
            s.ncoHz = target;
            s.omega -= applied * 2 * kPi / kSymbolRate;
            // A locked signal carries the anchor with it, so slow drift is followed beyond the limit.
            if (s.open && level >= 30)
                s.anchorHz += 0.02 * (s.ncoHz - s.anchorHz);
        }
        if (s.captureLeftSymbols > 0)
            --s.captureLeftSymbols;

        // Bits.
        std::optional<int> bit;
        bool printable = s.open && !carrierGone;
        if (!qpsk) {
            // Coherent detection, then differential decoding of the decisions.
            bit = d.real() == s.previousDecision.real() ? 1 : 0;
            s.previousDecision = d;
        } else {
            bit = s.viterbi.push(change);
            printable = (s.openHistory >> QpskViterbi::kDepth) & 1;
        }
        ++s.symbols;
        if (!bit)
            return;
        // A preamble (a run of idle zeros) starts a transmission: what was decoded before it was not text.
        s.zeroBits = *bit ? 0 : s.zeroBits + 1;
        if (s.zeroBits >= kPreambleBits)
            s.held.clear();
        // Characters decoded just before the squelch opened belong to the signal that opened it: they are held
        // back a moment and printed before the next character that comes through open (so a preamble in
        // between, or noise that never opens the squelch, keeps them out).
        if (auto byte = s.varicode.pushBit(*bit)) {
            while (!s.held.empty() && s.symbols - s.held.front().second > kLookbackSymbols)
                s.held.pop_front();
            if (printable) {
                for (const auto& entry : s.held)
                    decodedBytes.push_back(char(entry.first));
                s.held.clear();
                decodedBytes.push_back(char(*byte));
            } else if (!carrierGone) {
                s.held.emplace_back(*byte, s.symbols);
            }
        }
    };

    for (float x : samples) {
        // Mix to baseband.
        const cd mixed = s.rotator * double(x);
        s.rotator *= step;
        if (++s.rotatorCount >= 1024) {
            s.rotatorCount = 0;
            s.rotator /= std::abs(s.rotator);
        }
        s.front[s.frontPos] = s.front[s.frontPos + kFrontTaps] = cf(mixed);
        s.frontPos = (s.frontPos + 1) % kFrontTaps;
        if (++s.decimPhase < kDecimation)
            continue;
        s.decimPhase = 0;

        // Decimated low-pass output.
        cf acc(0, 0);
        const cf* window = &s.front[s.frontPos];
        for (int k = 0; k < kFrontTaps; ++k)
            acc += window[k] * kFront[k];
        s.imdBuffer[s.imdPos] = acc;
        s.imdPos = (s.imdPos + 1) % kImdSamples;

        // Matched filter.
        s.base[s.basePos] = s.base[s.basePos + kMatchedTaps] = acc;
        s.basePos = (s.basePos + 1) % kMatchedTaps;
        cf y(0, 0);
        const cf* bwin = &s.base[s.basePos];
        for (int k = 0; k < kMatchedTaps; ++k)
            y += bwin[k] * kMatched[k];
        const long long n = s.baseCount++;
        // Acquisition input: a pulse one symbol long, so the idle tones of a carrier off-centre stay balanced.
        cf wide(0, 0);
        for (int k = 0; k < kSps; ++k)
            wide += bwin[kSps / 2 + k] * kAcquisitionFilter[k];
        s.acquisition.push(wide);

        // Timing profile: envelope power by position in the symbol.
        const int slot = int(n % kSps);
        // Quick to find a new signal's timing, then slow and steady once it is held.
        const float rate = s.quality >= kLockQuality ? 0.02f : 0.08f;
        s.profile[slot] += rate * (std::norm(y) - s.profile[slot]);

        // Symbol strobe, interpolated between the last two outputs.
        if (double(n) >= s.nextStrobe) {
            const double frac = s.nextStrobe - double(n - 1);
            const cf z = s.lastMatched + (y - s.lastMatched) * float(frac);
            // Timing: the profile's fundamental gives the peak position.
            static const std::array<cf, kSps> kTurn = [] {
                std::array<cf, kSps> t{};
                for (int i = 0; i < kSps; ++i)
                    t[i] = std::polar(1.0f, float(2 * kPi * i / kSps));
                return t;
            }();
            cf fundamental(0, 0);
            for (int i = 0; i < kSps; ++i)
                fundamental += s.profile[i] * kTurn[i];
            const double peak = std::fmod(std::arg(fundamental) / (2 * kPi) * kSps + kSps, kSps);
            const double delta = wrapPi((peak - s.profilePhase) * 2 * kPi / kSps) * kSps / (2 * kPi);
            s.profilePhase = peak;
            s.unwrappedPhase += delta;
            const double strobePhase = std::fmod(s.nextStrobe, kSps);
            const double timingError = wrapPi((peak - strobePhase) * 2 * kPi / kSps) * kSps / (2 * kPi);
            // Fast to settle on a new signal, smooth once it is held.
            s.nextStrobe += kSps + (s.quality >= kLockQuality ? 0.2 : 0.5) * timingError;

            // Coarse frequency: jump onto a carrier the carrier loop cannot reach yet.
            const double limit = s.captureLeftSymbols > 0 ? std::max(s.captureHz, s.afcLimitHz) : s.afcLimitHz;
            // Also checked while locked: a QPSK loop can hold a false lock a quarter of the symbol rate off.
            const bool locked = signalLevel() >= kLockLevel;
            if (limit > 0 && ++s.symbolsSinceJump >= 16 && s.symbolsSinceJump % (locked ? 16 : 4) == 0) {
                const double heldHz = s.omega / (2 * kPi) * kSymbolRate;
                const auto offset = s.acquisition.estimate(s.anchorHz - limit - s.ncoHz, s.anchorHz + limit - s.ncoHz,
                                                           qpsk, heldHz);
                if (offset && std::fabs(*offset - heldHz) > (locked ? 2.0 : 0.5)) {
                    s.ncoHz = std::clamp(s.ncoHz + *offset, kMinAudioHz, kMaxAudioHz);
                    s.omega = 0;
                    s.acquisition.clear();
                    s.symbolsSinceJump = 0;
                }
            }
            std::rotate(s.strobes.begin(), s.strobes.begin() + 1, s.strobes.end());
            s.strobes.back() = z;
            s.undecided = true;
            step = std::polar(1.0, -2 * kPi * s.ncoHz / kSampleRate);
        } else if (s.undecided && double(n) >= s.nextStrobe - kEarlySamples) {
            // The strobe advances by at least 24 samples, so this falls between two strobes.
            const double early = s.nextStrobe - kEarlySamples;
            const cf next = s.lastMatched + (y - s.lastMatched) * float(early - double(n - 1));
            cf equalized = next * kEqualizerNext;
            for (int i = 0; i < kEqualizerTaps; ++i)
                equalized += s.strobes[i] * kEqualizer[i];
            s.undecided = false;
            onSymbol(equalized);
            step = std::polar(1.0, -2 * kPi * s.ncoHz / kSampleRate);
            ++s.symbolsSinceImd;
            // IMD on a stretch of pure idle reversals (a reading every two seconds at most).
            if (s.reversalRun >= 68 && s.symbolsSinceImd >= 64 && signalLevel() >= 50)
                s.measureImd();
        }
        s.lastMatched = y;
    }
}

} // namespace pskcore
