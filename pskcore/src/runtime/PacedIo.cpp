#include "runtime/PacedIo.h"

#include "pskcore/dsp/Constants.h"

#include <chrono>
#include <vector>

namespace pskcore {
namespace {

constexpr std::size_t kBlock = kSamplesPerSymbol;
constexpr auto kBlockTime = std::chrono::microseconds(1'000'000LL * kBlock / kSampleRate);

} // namespace

PacedInput::PacedInput(Generate generate) : m_generate(std::move(generate)) {}

PacedInput::~PacedInput() { stop(); }

int PacedInput::start(int, Deliver deliver)
{
    stop();
    m_quit = false;
    m_thread = std::thread([this, deliver = std::move(deliver)] {
        std::vector<float> block(kBlock);
        auto next = std::chrono::steady_clock::now();
        while (!m_quit) {
            m_generate(block);
            deliver(block.data(), block.size());
            next += kBlockTime;
            std::this_thread::sleep_until(next);
        }
    });
    return 0;
}

void PacedInput::stop()
{
    m_quit = true;
    if (m_thread.joinable())
        m_thread.join();
}

PacedOutput::PacedOutput(Consume consume) : m_consume(std::move(consume)) {}

PacedOutput::~PacedOutput() { halt(); }

int PacedOutput::check(int) { return 0; }

int PacedOutput::start(int, Fill fill, Underflow)
{
    halt();
    m_quit = false;
    m_thread = std::thread([this, fill = std::move(fill)] {
        std::vector<float> block(kBlock);
        auto next = std::chrono::steady_clock::now();
        while (!m_quit) {
            const std::size_t count = fill(block.data(), block.size());
            if (count > 0)
                m_consume(std::span<const float>(block.data(), count));
            next += kBlockTime;
            std::this_thread::sleep_until(next);
        }
    });
    return 0;
}

// Everything fill gave has been consumed as soon as the thread is told to stop: nothing is buffered.
void PacedOutput::drain() { halt(); }

void PacedOutput::abort() { halt(); }

void PacedOutput::halt()
{
    m_quit = true;
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace pskcore
