#pragma once

// The sound card through PortAudio: 16-bit mono, at 8000 Hz when the device offers it, else at a rate it
// offers with the audio converted to and from 8000 Hz. A device is named as PortAudio names it (empty: the
// default device); a named device that is absent is an error, never replaced by another.

#include "pskcore/seams.h"
#include "runtime/DeviceRate.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

typedef void PaStream;
typedef int PaError;
struct PaStreamCallbackTimeInfo;

namespace pskcore {

// The engine error code for a PortAudio failure while opening a device.
int engineErrorFor(PaError error);

class PortAudioInput : public AudioInput {
public:
    explicit PortAudioInput(std::string name = {}) : m_name(std::move(name)) {}
    ~PortAudioInput() override;
    int start(int device, Deliver deliver) override;
    void stop() override;
    bool healthy() override;

private:
    static int callback(const void* input, void* output, unsigned long frames, const PaStreamCallbackTimeInfo* timeInfo,
                        unsigned long statusFlags, void* self);

    std::string m_name;
    Deliver m_deliver;
    std::optional<InputRateConverter> m_converter;
    PaStream* m_stream = nullptr;
    bool m_initialised = false;
};

class PortAudioOutput : public AudioOutput {
public:
    explicit PortAudioOutput(std::string name = {}) : m_name(std::move(name)) {}
    ~PortAudioOutput() override;
    int check(int device) override;
    int start(int device, Fill fill, Underflow underflow) override;
    void drain() override;
    void abort() override;

private:
    static int callback(const void* input, void* output, unsigned long frames, const PaStreamCallbackTimeInfo* timeInfo,
                        unsigned long statusFlags, void* self);
    void close(bool waitForPlayback);

    std::string m_name;
    Fill m_fill;
    std::optional<OutputRateConverter> m_converter;
    Underflow m_underflow;
    PaStream* m_stream = nullptr;
    bool m_initialised = false;
};

// True when PortAudio finds a default capture (playback) device.
bool portAudioHasCapture();
bool portAudioHasPlayback();
// The names of the capture (input) or playback devices.
std::vector<std::string> portAudioDeviceNames(bool input);

} // namespace pskcore
