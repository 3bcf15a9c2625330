#pragma once

// Between the engine's 8000 Hz and the rate a sound device is opened at: a device is opened at 8000 Hz
// when it offers it, else at its own rate, and the audio converted on the device's thread.

#include "pskcore/dsp/Resampler.h"
#include "pskcore/seams.h"

#include <vector>

namespace pskcore {

// The rates tried, in order: 8000 Hz needs no conversion; then the rates sound codecs commonly run at.
inline constexpr int kDeviceRatesHz[] = {8000, 48000, 44100, 96000, 32000, 16000, 22050, 11025};

// Capture at the device's rate handed on at 8000 Hz. Lives on the capture thread.
class InputRateConverter {
public:
    // rateHz: the device's rate, > 0; deliver receives 8000 Hz samples.
    InputRateConverter(int rateHz, AudioInput::Deliver deliver);
    void deliver(const float* samples, std::size_t count);

private:
    AudioInput::Deliver m_deliver;
    Resampler m_resampler;
    std::vector<float> m_out;
};

// Playback at the device's rate filled from the engine's 8000 Hz audio. Lives on the playback thread.
class OutputRateConverter {
public:
    // rateHz: the device's rate, > 0; fill gives 8000 Hz samples.
    OutputRateConverter(int rateHz, AudioOutput::Fill fill);
    // As AudioOutput::Fill, at the device's rate.
    std::size_t fill(float* out, std::size_t count);

private:
    AudioOutput::Fill m_fill;
    Resampler m_resampler;
    std::vector<float> m_pending;  // converted samples not yet handed to the device
    std::vector<float> m_block;    // 8000 Hz samples from fill
    bool m_ended = false;          // fill gave less than asked: nothing more will come
};

} // namespace pskcore
