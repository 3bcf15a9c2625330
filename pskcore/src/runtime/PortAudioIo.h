#pragma once

// The sound card through PortAudio: 8000 Hz, 16-bit, mono, device -1 = the default device.

#include "pskcore/seams.h"

typedef void PaStream;
typedef int PaError;
struct PaStreamCallbackTimeInfo;

namespace pskcore {

// The engine error code for a PortAudio failure while opening a device.
int engineErrorFor(PaError error);

class PortAudioInput : public AudioInput {
public:
    ~PortAudioInput() override;
    int start(int device, Deliver deliver) override;
    void stop() override;
    bool healthy() override;

private:
    static int callback(const void* input, void* output, unsigned long frames, const PaStreamCallbackTimeInfo* timeInfo,
                        unsigned long statusFlags, void* self);

    Deliver m_deliver;
    PaStream* m_stream = nullptr;
    bool m_initialised = false;
};

class PortAudioOutput : public AudioOutput {
public:
    ~PortAudioOutput() override;
    int check(int device) override;
    int start(int device, Fill fill, Underflow underflow) override;
    void drain() override;
    void abort() override;

private:
    static int callback(const void* input, void* output, unsigned long frames, const PaStreamCallbackTimeInfo* timeInfo,
                        unsigned long statusFlags, void* self);
    void close(bool waitForPlayback);

    Fill m_fill;
    Underflow m_underflow;
    PaStream* m_stream = nullptr;
    bool m_initialised = false;
};

// True when PortAudio finds a default capture (playback) device.
bool portAudioHasCapture();
bool portAudioHasPlayback();

} // namespace pskcore
