#pragma once

// Sound-card stand-ins that run at the sound card's pace: a thread hands out or takes 8000 Hz audio in
// 32 ms blocks on a steady clock, so the engine behaves as it does on a real card.

#include "pskcore/seams.h"

#include <atomic>
#include <functional>
#include <span>
#include <thread>

namespace pskcore {

// Input made by a generator (a WAV file, the demonstration band).
class PacedInput : public AudioInput {
public:
    // generate fills its span with the next samples; called from the pacing thread only.
    using Generate = std::function<void(std::span<float>)>;
    explicit PacedInput(Generate generate);
    ~PacedInput() override;
    int start(int device, Deliver deliver) override;
    void stop() override;

private:
    Generate m_generate;
    std::thread m_thread;
    std::atomic<bool> m_quit{false};
};

// Output taken by a consumer (a WAV file, or nothing when there is nowhere to play).
class PacedOutput : public AudioOutput {
public:
    // consume receives each played block; called from the pacing thread only. opened/closed frame a run.
    using Consume = std::function<void(std::span<const float>)>;
    explicit PacedOutput(Consume consume);
    ~PacedOutput() override;
    int check(int device) override;
    int start(int device, Fill fill, Underflow underflow) override;
    void drain() override;
    void abort() override;

private:
    void halt();

    Consume m_consume;
    std::thread m_thread;
    std::atomic<bool> m_quit{false};
};

} // namespace pskcore
