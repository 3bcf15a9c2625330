#include "pskcore/dsp/Modulator.h"

namespace pskcore {

Modulator::Modulator() = default;
void Modulator::setFrequency(double hz) { m_freqHz = hz; }
double Modulator::frequencyHz() const { return m_freqHz; }
void Modulator::setMode(PskMode mode) { m_mode = mode; }
void Modulator::setLevelDb(double) {}
void Modulator::setCwIdText(std::string text) { m_cwIdText = std::move(text); }
void Modulator::setCwIdSpeed(int n) { m_cwIdSpeed = n; }
void Modulator::startText() {}
void Modulator::startTune() {}
void Modulator::queueChar(uint8_t) {}
void Modulator::requestReturnToReceive() {}
void Modulator::requestCwId() {}
void Modulator::stop() {}
void Modulator::abort() {}
void Modulator::clearQueue() {}
int Modulator::charsRemaining() const { return 0; }
std::size_t Modulator::render(std::span<float>) { return 0; }
bool Modulator::finished() const { return true; }
std::vector<uint8_t> Modulator::takeSentChars() { return {}; }

} // namespace pskcore
