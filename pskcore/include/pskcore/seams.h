#pragma once

// The engine's seams: what stands between the engine and the machine (sound card, serial lines).
// The engine picks the sound card, a WAV file or the demonstration band itself; tests put fakes here.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pskcore {

// Capture side: 8000 Hz mono samples, full scale +-1.
class AudioInput {
public:
    using Deliver = std::function<void(const float* samples, std::size_t count)>;
    virtual ~AudioInput() = default;
    // Opens device (-1 = default) and starts calling deliver from its own thread.
    // Returns 0 or an engine error code (then nothing runs).
    virtual int start(int device, Deliver deliver) = 0;
    // No call of deliver runs once this returns.
    virtual void stop() = 0;
    // False once the device has failed while started (unplugged, driver error).
    virtual bool healthy() { return true; }
};

// Playback side, opened for each transmission.
class AudioOutput {
public:
    // Fills out with up to count samples and returns how many are audio; the rest of out is zeroed.
    using Fill = std::function<std::size_t(float* out, std::size_t count)>;
    // Reported from the playback thread when the device ran short of samples.
    using Underflow = std::function<void()>;
    virtual ~AudioOutput() = default;
    // At engine start: can device (-1 = default) play 8000 Hz 16-bit mono? 0 or an engine error code.
    virtual int check(int device) = 0;
    // Starts playback, pulling audio with fill from its own thread. 0 or an engine error code.
    virtual int start(int device, Fill fill, Underflow underflow) = 0;
    // Returns once every sample fill gave has actually been played, then closes.
    virtual void drain() = 0;
    // Closes at once, dropping what is buffered.
    virtual void abort() = 0;
};

// The modem-control lines of a serial port, for PTT.
class ModemLines {
public:
    virtual ~ModemLines() = default;
    // The present serial devices in COM order.
    virtual std::vector<std::string> ports() = 0;
    // Opens the device with both lines dropped, never raising them. False when it cannot be opened.
    virtual bool open(const std::string& device) = 0;
    // False when a line could not be set as asked.
    virtual bool set(bool rts, bool dtr) = 0;
    // Drops both lines and closes; false when dropping them failed.
    virtual bool close() = 0;
};

// Replaces the sound card for the next starts (nullptr: back to the normal choice).
void setAudioSeam(std::shared_ptr<AudioInput> input, std::shared_ptr<AudioOutput> output);
// Replaces the serial lines (nullptr: the real tty lines). Closes any port opened before.
void setModemLinesSeam(std::shared_ptr<ModemLines> lines);

} // namespace pskcore
