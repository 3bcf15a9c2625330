#pragma once

// The rig under hamlib control: opened, keyed and read on a thread of its own, so that a slow or silent rig
// never holds up the caller, and never left keyed while it can still be told otherwise. The dial and mode are
// read once a second (CAT and rigctld). A rig that stops answering is closed and opened again every few
// seconds; the transmitter is released first thing once it answers again.
//
// Threads: the caller's (configure, setPtt, keyed, state; any thread, none of them blocks on the rig) and the
// rig thread, the only one that talks to the rig. Failures are reported from the rig thread, no lock held.

#include "pskcore/pskcore.h"
#include "runtime/RigLink.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace pskcore {

class RigControl {
public:
    // An engine error code (pskerr): keying or release refused, or the rig silent while keyed.
    using Failure = std::function<void(int code)>;
    using LinkFactory = std::function<std::unique_ptr<RigLink>()>;

    explicit RigControl(Failure failure, LinkFactory makeLink = {});
    ~RigControl();

    // The keying of config, when through hamlib (Cat, Rigctld, Cm108), is opened on the rig thread; any
    // other keying closes the rig.
    void configure(const PskRigConfig& config);
    // Asks for the transmitter keyed (released); the rig thread carries it out at once.
    void setPtt(bool on);
    // True once the rig has confirmed the keying asked last.
    bool keyed() const;
    PskRigState state() const;

private:
    using Clock = std::chrono::steady_clock;
    enum class Ptt { Unknown, Off, On };

    void run();
    // Rig thread, holding lock: closes the link after a failure and reports code (0: nothing to report).
    void lose(std::unique_lock<std::mutex>& lock, int code);
    // Rig thread, holding lock: releases the transmitter and closes an open link.
    void closeLink(std::unique_lock<std::mutex>& lock);
    // Rig thread, holding lock: the call made without the lock.
    template <typename Call> auto unlocked(std::unique_lock<std::mutex>& lock, Call call);

    const Failure m_failure;
    const LinkFactory m_makeLink;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    PskRigConfig m_config;
    bool m_configChanged = false;
    bool m_quit = false;
    bool m_wantPtt = false;
    Ptt m_ptt = Ptt::Unknown; // as the rig last confirmed it
    PskRigState m_state;
    std::thread m_thread;     // started with the first rig to control

    // The rig thread's own.
    std::unique_ptr<RigLink> m_link;
    bool m_open = false;
    Clock::time_point m_nextOpen{};
    Clock::time_point m_nextRead{};
};

// True for the keying methods that go through hamlib.
bool keyingUsesRig(int keying);

} // namespace pskcore
