#pragma once

// Stand-ins for the sound card and the serial lines, and a sink that keeps the engine's messages, shared
// by the engine tests. Everything here is driven by the test itself: no clocks, no real devices.

#include "pskcore/pskcore.h"
#include "pskcore/seams.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace enginetest {

// One ordered record of what the machine saw: PTT lines, first and last audio, drain and abort.
class MachineLog {
public:
    void add(const std::string& entry)
    {
        std::lock_guard lock(m_mutex);
        m_entries.push_back(entry);
    }
    std::vector<std::string> entries()
    {
        std::lock_guard lock(m_mutex);
        return m_entries;
    }

private:
    std::mutex m_mutex;
    std::vector<std::string> m_entries;
};

struct Message {
    int32_t message, wParam, lParam;
};

class MessageLog {
public:
    PskMessageSink sink()
    {
        return [this](int32_t m, int32_t w, int32_t l) {
            {
                std::lock_guard lock(m_mutex);
                m_messages.push_back({m, w, l});
            }
            m_changed.notify_all();
        };
    }
    std::vector<Message> all()
    {
        std::lock_guard lock(m_mutex);
        return m_messages;
    }
    std::vector<Message> of(int32_t message)
    {
        std::vector<Message> found;
        for (const Message& m : all())
            if (m.message == message)
                found.push_back(m);
        return found;
    }
    // Characters of one channel (2: transmitted) as text.
    std::string text(int32_t channel)
    {
        std::string result;
        for (const Message& m : of(pskmsg::Character))
            if (m.lParam == channel)
                result += char(m.wParam);
        return result;
    }
    // Waits (generously: this never decides a test by timing) until done() holds.
    bool waitFor(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(20))
    {
        std::unique_lock lock(m_mutex);
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (true) {
            lock.unlock();
            if (done())
                return true;
            lock.lock();
            if (m_changed.wait_until(lock, deadline) == std::cv_status::timeout) {
                lock.unlock();
                return done();
            }
        }
    }
    void clear()
    {
        std::lock_guard lock(m_mutex);
        m_messages.clear();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Message> m_messages;
};

// Capture that the test feeds by hand.
class FakeInput : public pskcore::AudioInput {
public:
    int startResult = 0;
    int start(int, Deliver deliver) override
    {
        std::lock_guard lock(m_mutex);
        if (startResult != 0)
            return startResult;
        m_deliver = std::move(deliver);
        return 0;
    }
    void stop() override
    {
        std::lock_guard lock(m_mutex);
        m_deliver = nullptr;
    }
    bool running()
    {
        std::lock_guard lock(m_mutex);
        return bool(m_deliver);
    }
    // The device dies while started.
    std::atomic<bool> failed{false};
    bool healthy() override { return !failed; }
    void push(const std::vector<float>& samples)
    {
        std::lock_guard lock(m_mutex);
        if (m_deliver)
            m_deliver(samples.data(), samples.size());
    }

private:
    std::mutex m_mutex;
    Deliver m_deliver;
};

// Playback that the test pulls by hand, as a sound card would, noting what it played in the log.
class FakeOutput : public pskcore::AudioOutput {
public:
    explicit FakeOutput(MachineLog& log) : m_log(log) {}
    int checkResult = 0;
    int startResult = 0;
    int check(int) override { return checkResult; }
    int start(int, Fill fill, Underflow) override
    {
        std::lock_guard lock(m_mutex);
        if (startResult != 0)
            return startResult;
        m_fill = std::move(fill);
        m_heard = false;
        m_log.add("output open");
        return 0;
    }
    void drain() override { close("drained"); }
    void abort() override { close("aborted"); }
    // Plays count samples; returns the audio samples among them (0 when closed).
    std::size_t pump(std::size_t count)
    {
        std::lock_guard lock(m_mutex);
        if (!m_fill)
            return 0;
        std::vector<float> block(count);
        const std::size_t audio = m_fill(block.data(), count);
        if (audio > 0 && !m_heard) {
            m_heard = true;
            m_log.add("first audio");
        }
        if (audio > 0)
            m_played.insert(m_played.end(), block.begin(), block.begin() + std::ptrdiff_t(audio));
        return audio;
    }
    bool open()
    {
        std::lock_guard lock(m_mutex);
        return bool(m_fill);
    }
    std::vector<float> played()
    {
        std::lock_guard lock(m_mutex);
        return m_played;
    }

private:
    void close(const char* how)
    {
        std::lock_guard lock(m_mutex);
        if (m_fill)
            m_log.add(how);
        m_fill = nullptr;
    }

    MachineLog& m_log;
    std::mutex m_mutex;
    Fill m_fill;
    bool m_heard = false;
    std::vector<float> m_played;
};

// Serial lines of two pretend ports.
class FakeLines : public pskcore::ModemLines {
public:
    explicit FakeLines(MachineLog& log) : m_log(log) {}
    bool openFails = false;
    std::atomic<bool> raiseFails{false}; // the port refuses to raise a line
    std::atomic<bool> dropFails{false};  // ... or to drop one
    std::vector<std::string> ports() override { return {"/dev/ttyS0", "/dev/ttyUSB0"}; }
    bool open(const std::string& device) override
    {
        if (openFails)
            return false;
        m_log.add("open " + device);
        return true;
    }
    bool set(bool rts, bool dtr) override
    {
        if (rts == m_rts && dtr == m_dtr)
            return true;
        if ((rts || dtr) ? raiseFails.load() : dropFails.load()) {
            m_log.add("refused");
            return false;
        }
        m_rts = rts;
        m_dtr = dtr;
        m_log.add(std::string("lines") + (rts ? " RTS" : "") + (dtr ? " DTR" : "") + (rts || dtr ? "" : " down"));
        return true;
    }
    bool close() override
    {
        set(false, false);
        m_log.add("close");
        return true;
    }

private:
    MachineLog& m_log;
    bool m_rts = false;
    bool m_dtr = false;
};

} // namespace enginetest
