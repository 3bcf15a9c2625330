#include "pskcore/dsp/Modulator.h"

#include "pskcore/dsp/Varicode.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

namespace pskcore {
namespace {

constexpr int kPreambleSymbols = 32; // about one second of reversals
constexpr int kFlushSymbols = 32;    // idle reversals after the text (see endText()): a peer's QPSK
                                     // decoder was seen to need more than 24
constexpr int kTailSymbols = 32;     // about one second of steady carrier
constexpr int kCwEdgeSamples = 40;   // 5 ms raised-cosine key edges
constexpr double kTwoPi = 2 * std::numbers::pi;

// Symbol transition weight of the previous phasor: 1 -> 0 along half a cosine period.
struct ShapeTable {
    float weight[kSamplesPerSymbol];
    ShapeTable()
    {
        for (int n = 0; n < kSamplesPerSymbol; ++n)
            weight[n] = float(0.5 * (1 + std::cos(std::numbers::pi * (n + 0.5) / kSamplesPerSymbol)));
    }
};
const ShapeTable kShape;

const char* morse(char c)
{
    switch (std::toupper(static_cast<unsigned char>(c))) {
    case 'A': return ".-";    case 'B': return "-...";  case 'C': return "-.-.";  case 'D': return "-..";
    case 'E': return ".";     case 'F': return "..-.";  case 'G': return "--.";   case 'H': return "....";
    case 'I': return "..";    case 'J': return ".---";  case 'K': return "-.-";   case 'L': return ".-..";
    case 'M': return "--";    case 'N': return "-.";    case 'O': return "---";   case 'P': return ".--.";
    case 'Q': return "--.-";  case 'R': return ".-.";   case 'S': return "...";   case 'T': return "-";
    case 'U': return "..-";   case 'V': return "...-";  case 'W': return ".--";   case 'X': return "-..-";
    case 'Y': return "-.--";  case 'Z': return "--..";  case '0': return "-----"; case '1': return ".----";
    case '2': return "..---"; case '3': return "...--"; case '4': return "....-"; case '5': return ".....";
    case '6': return "-...."; case '7': return "--..."; case '8': return "---.."; case '9': return "----.";
    case '/': return "-..-."; case '?': return "..--.."; case '=': return "-...-"; case '.': return ".-.-.-";
    default: return nullptr;
    }
}

} // namespace

Modulator::Modulator() = default;

void Modulator::setFrequency(double hz) { m_freqHz = std::clamp(hz, kMinAudioHz, kMaxAudioHz); }
double Modulator::frequencyHz() const { return m_freqHz; }
void Modulator::setMode(PskMode mode) { m_mode = mode; }
void Modulator::setLevelDb(double levelDb) { m_amplitude = std::pow(10.0, std::min(levelDb, 0.0) / 20.0); }
void Modulator::setCwIdText(std::string text) { m_cwIdText = std::move(text); }
void Modulator::setCwIdSpeed(int n) { m_cwIdSpeed = std::clamp(n, 1, 4); }

void Modulator::startText()
{
    if (m_state != Phase::Off)
        return;
    m_txMode = m_mode;
    m_state = Phase::Preamble;
    m_symbolsLeft = kPreambleSymbols;
    m_stopRequested = false;
    m_bits.clear();
    m_bitPos = 0;
    m_encoder = 0;
    m_curI = m_curQ = 0; // the first symbol rises from silence
    m_sampleInSymbol = kSamplesPerSymbol;
}

void Modulator::startTune()
{
    if (m_state != Phase::Off)
        return;
    m_state = Phase::Tune;
    m_stopRequested = false;
    m_curI = m_curQ = 0;
    m_sampleInSymbol = kSamplesPerSymbol;
}

void Modulator::queueChar(uint8_t byte) { m_queue.push_back({0, byte}); }
void Modulator::requestReturnToReceive() { m_queue.push_back({1, 0}); }
void Modulator::requestCwId() { m_queue.push_back({2, 0}); }
void Modulator::stop() { m_stopRequested = true; }

void Modulator::abort()
{
    m_state = Phase::Off;
    m_bits.clear();
    m_bitPos = 0;
}

void Modulator::clearQueue() { m_queue.clear(); }

int Modulator::charsRemaining() const
{
    return int(std::count_if(m_queue.begin(), m_queue.end(), [](const Item& item) { return item.control == 0; }));
}

bool Modulator::finished() const { return m_state == Phase::Off; }

std::vector<uint8_t> Modulator::takeSentChars()
{
    std::vector<uint8_t> sent;
    sent.swap(m_sent);
    return sent;
}

// Next data bit of a text transmission; false when the text part is over (state changed).
bool Modulator::nextBit(int& bit)
{
    if (m_state == Phase::Preamble) {
        bit = 0;
        if (--m_symbolsLeft <= 0)
            m_state = Phase::Text;
        return true;
    }
    if (m_state == Phase::Flush) {
        if (m_symbolsLeft-- > 0) {
            bit = 0;
            return true;
        }
        if (m_afterFlush == Phase::CwId) {
            beginCwId();
            return false;
        }
        m_state = Phase::Tail;
        m_symbolsLeft = kTailSymbols;
        return nextBit(bit);
    }
    if (m_state == Phase::Tail) {
        bit = 1;
        return m_symbolsLeft-- > 0;
    }
    if (m_bitPos < m_bits.size()) {
        bit = m_bits[m_bitPos++] == '1';
        return true;
    }
    if (!m_queue.empty()) {
        const Item item = m_queue.front();
        m_queue.pop_front();
        if (item.control != 0)
            return endText(item.control == 1 ? Phase::Tail : Phase::CwId, bit);
        m_bits.assign(varicode::encode(item.byte));
        m_bits += "00";
        m_bitPos = 0;
        m_sent.push_back(item.byte);
        return nextBit(bit);
    }
    if (m_stopRequested)
        return endText(Phase::Tail, bit);
    bit = 0; // idle reversals keep the receivers locked
    return true;
}

// A receiver's decoder delivers a character some symbols after it ended: QPSK's Viterbi decoder decides a
// bit only once the paths that follow it agree, and a receiver closes its squelch on the steady carrier.
// Idle reversals after the last character let every decoder deliver it before the carrier or the CW
// identification begins.
bool Modulator::endText(Phase next, int& bit)
{
    m_state = Phase::Flush;
    m_afterFlush = next;
    m_symbolsLeft = kFlushSymbols;
    return nextBit(bit);
}

void Modulator::applyBit(int bit)
{
    double shiftDeg;
    if (m_txMode == PskMode::Bpsk) {
        shiftDeg = bit ? 0 : 180;
    } else {
        m_encoder = ((m_encoder << 1) | bit) & 0x1F;
        const int x0 = m_encoder & 1, x1 = (m_encoder >> 1) & 1, x2 = (m_encoder >> 2) & 1,
                  x3 = (m_encoder >> 3) & 1, x4 = (m_encoder >> 4) & 1;
        const int g0 = x0 ^ x1 ^ x2 ^ x4;
        const int g1 = x0 ^ x3 ^ x4;
        shiftDeg = 180 + 90 * (g0 + 2 * g1);
        if (m_txMode == PskMode::QpskLsb)
            shiftDeg = -shiftDeg;
    }
    const double c = std::cos(shiftDeg * std::numbers::pi / 180), s = std::sin(shiftDeg * std::numbers::pi / 180);
    const double i = m_prevI * c - m_prevQ * s, q = m_prevI * s + m_prevQ * c;
    // Snap to the exact constellation so rounding never accumulates over long transmissions.
    m_curI = std::round(i);
    m_curQ = std::round(q);
}

void Modulator::beginSymbol()
{
    m_prevI = m_curI;
    m_prevQ = m_curQ;
    m_sampleInSymbol = 0;
    if (m_state == Phase::RampDown) { // the fade-out symbol is over
        m_state = Phase::Off;
        return;
    }
    if (m_prevI == 0 && m_prevQ == 0) { // rise from silence on the reference phase, no data in this symbol
        m_curI = 1;
        m_curQ = 0;
        return;
    }
    if (m_state == Phase::Tune) {
        if (m_stopRequested) {
            m_curI = m_curQ = 0;
            m_state = Phase::RampDown;
        }
        return;
    }
    int bit = 0;
    if (nextBit(bit)) {
        applyBit(bit);
        return;
    }
    if (m_state == Phase::Tail) { // tail over: fade out so the carrier ends without a click
        m_curI = m_curQ = 0;
        m_state = Phase::RampDown;
    }
    // Otherwise the CW identification begins and keys the held phasor.
}

void Modulator::beginCwId()
{
    // Dot length 1.2 / wpm s = 32 ms * n at 37.5 / n wpm: exactly n symbols.
    const std::size_t unit = std::size_t(kSamplesPerSymbol) * std::size_t(m_cwIdSpeed);
    std::vector<char> keying; // one entry per unit
    keying.push_back(1);      // the held carrier fades out first
    keying.insert(keying.end(), 3, 0);
    for (char c : m_cwIdText) {
        if (c == ' ') {
            keying.insert(keying.end(), 4, 0); // 3 after the character + 4 = word gap of 7
            continue;
        }
        const char* code = morse(c);
        if (!code)
            continue;
        for (const char* e = code; *e; ++e) {
            keying.insert(keying.end(), *e == '-' ? 3 : 1, 1);
            keying.push_back(0);
        }
        keying.insert(keying.end(), 2, 0);
    }
    m_cwEnvelope.assign(keying.size() * unit, 0.0f);
    for (std::size_t u = 0; u < keying.size(); ++u)
        std::fill_n(m_cwEnvelope.begin() + std::ptrdiff_t(u * unit), unit, float(keying[u]));
    // Shape every key edge with a raised cosine centred on it.
    std::vector<float> shaped(m_cwEnvelope);
    for (std::size_t n = 1; n < m_cwEnvelope.size(); ++n) {
        if (m_cwEnvelope[n] == m_cwEnvelope[n - 1])
            continue;
        const bool rising = m_cwEnvelope[n] > m_cwEnvelope[n - 1];
        for (int k = -kCwEdgeSamples / 2; k < kCwEdgeSamples / 2; ++k) {
            const std::ptrdiff_t index = std::ptrdiff_t(n) + k;
            if (index < 0 || index >= std::ptrdiff_t(shaped.size()))
                continue;
            const double rise = 0.5 - 0.5 * std::cos(std::numbers::pi * (k + kCwEdgeSamples / 2 + 0.5) / kCwEdgeSamples);
            shaped[std::size_t(index)] = float(rising ? rise : 1 - rise);
        }
    }
    m_cwEnvelope.swap(shaped);
    m_cwPos = 0;
    m_state = Phase::CwId;
}

void Modulator::endOrContinueAfterCwId()
{
    m_cwEnvelope.clear();
    if (m_queue.empty() && m_stopRequested) {
        m_state = Phase::Off;
        return;
    }
    // More to send: a fresh preamble from silence so receivers lock again.
    m_state = Phase::Preamble;
    m_symbolsLeft = kPreambleSymbols;
    m_bits.clear();
    m_bitPos = 0;
    m_encoder = 0;
    m_curI = m_curQ = 0;
    m_sampleInSymbol = kSamplesPerSymbol;
}

std::size_t Modulator::render(std::span<float> out)
{
    std::size_t written = 0;
    const double step = kTwoPi * m_freqHz / kSampleRate;
    while (written < out.size() && m_state != Phase::Off) {
        if (m_state == Phase::CwId) {
            if (m_cwPos >= m_cwEnvelope.size()) {
                endOrContinueAfterCwId();
                continue;
            }
            const double carrier = m_curI * std::cos(m_carrierPhase) - m_curQ * std::sin(m_carrierPhase);
            out[written++] = float(m_amplitude * m_cwEnvelope[m_cwPos++] * carrier);
        } else {
            if (m_sampleInSymbol >= kSamplesPerSymbol) {
                beginSymbol();
                if (m_state == Phase::CwId || m_state == Phase::Off)
                    continue;
            }
            const double w = kShape.weight[m_sampleInSymbol++];
            const double i = w * m_prevI + (1 - w) * m_curI, q = w * m_prevQ + (1 - w) * m_curQ;
            out[written++] = float(m_amplitude * (i * std::cos(m_carrierPhase) - q * std::sin(m_carrierPhase)));
        }
        m_carrierPhase += step;
        if (m_carrierPhase >= kTwoPi)
            m_carrierPhase -= kTwoPi;
    }
    std::fill(out.begin() + std::ptrdiff_t(written), out.end(), 0.0f);
    return written;
}

} // namespace pskcore
