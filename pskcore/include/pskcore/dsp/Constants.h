#pragma once

#include <cstdint>

namespace pskcore {

// The whole engine runs at one sample rate; every DSP object assumes it.
inline constexpr int kSampleRate = 8000;
// 31.25 Bd at 8000 Hz.
inline constexpr int kSamplesPerSymbol = 256;
inline constexpr double kSymbolRate = double(kSampleRate) / kSamplesPerSymbol;
// Spectrum size: bin k lies at k * kSampleRate / kFftSize Hz.
inline constexpr int kFftSize = 2048;
// Audio frequencies a channel or the transmitter may be set to, Hz.
inline constexpr double kMinAudioHz = 100.0;
inline constexpr double kMaxAudioHz = 3900.0;

// Numbering is the engine's mode number (0-2).
enum class PskMode { Bpsk = 0, QpskUsb = 1, QpskLsb = 2 };

inline constexpr bool isQpsk(PskMode mode) { return mode != PskMode::Bpsk; }

} // namespace pskcore
