#include "pskcore/dsp/ChannelDemodulator.h"

namespace pskcore {

struct ChannelDemodulator::State {
    double freqHz = 1000.0;
    PskMode mode = PskMode::Bpsk;
};

ChannelDemodulator::ChannelDemodulator() : m_state(std::make_unique<State>()) {}
ChannelDemodulator::~ChannelDemodulator() = default;
void ChannelDemodulator::setFrequency(double freqHz, double) { m_state->freqHz = freqHz; }
double ChannelDemodulator::frequencyHz() const { return m_state->freqHz; }
void ChannelDemodulator::setMode(PskMode mode) { m_state->mode = mode; }
PskMode ChannelDemodulator::mode() const { return m_state->mode; }
void ChannelDemodulator::setAfcLimit(double) {}
void ChannelDemodulator::setSquelch(int, int) {}
void ChannelDemodulator::process(std::span<const float>, std::string&) {}
int ChannelDemodulator::signalLevel() const { return 0; }
bool ChannelDemodulator::squelchOpen() const { return false; }
std::array<int32_t, 16> ChannelDemodulator::syncProfile() const { return {}; }
std::array<int32_t, 16> ChannelDemodulator::vectors() const { return {}; }
std::optional<int> ChannelDemodulator::takeImdDb() { return std::nullopt; }
double ChannelDemodulator::clockErrorPpm() const { return 0; }
void ChannelDemodulator::reset() {}

} // namespace pskcore
