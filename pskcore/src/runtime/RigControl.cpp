#include "runtime/RigControl.h"

#include "runtime/HamlibRig.h"

#include <csignal>
#include <pthread.h>

namespace pskcore {
namespace {

constexpr auto kReadEvery = std::chrono::seconds(1);
constexpr auto kReopenEvery = std::chrono::seconds(2);
constexpr auto kIdleWait = std::chrono::seconds(60); // a GPIO rig has nothing to read: wait for a request

bool readsDial(int keying) { return keying == pskkey::Cat || keying == pskkey::Rigctld; }

// A write to a rigctld that has gone raises SIGPIPE, which would end the whole program: on this thread
// it stays blocked, and the write fails with EPIPE instead.
void blockBrokenPipe()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

} // namespace

bool keyingUsesRig(int keying)
{
    return keying == pskkey::Cat || keying == pskkey::Rigctld || keying == pskkey::Cm108;
}

RigControl::RigControl(Failure failure, LinkFactory makeLink)
    : m_failure(std::move(failure))
    , m_makeLink(makeLink ? std::move(makeLink) : [] { return std::unique_ptr<RigLink>(std::make_unique<HamlibRig>()); })
{
}

RigControl::~RigControl()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void RigControl::configure(const PskRigConfig& config)
{
    {
        std::lock_guard lock(m_mutex);
        m_config = config;
        m_configChanged = true;
        m_state = PskRigState{};
        if (keyingUsesRig(config.keying))
            m_state.status = pskrig::Opening;
        if (!m_thread.joinable() && keyingUsesRig(config.keying))
            m_thread = std::thread(&RigControl::run, this);
    }
    m_wake.notify_all();
}

void RigControl::setPtt(bool on)
{
    {
        std::lock_guard lock(m_mutex);
        m_wantPtt = on;
    }
    m_wake.notify_all();
}

bool RigControl::keyed() const
{
    std::lock_guard lock(m_mutex);
    return m_wantPtt && m_ptt == Ptt::On;
}

PskRigState RigControl::state() const
{
    std::lock_guard lock(m_mutex);
    return m_state;
}

template <typename Call> auto RigControl::unlocked(std::unique_lock<std::mutex>& lock, Call call)
{
    lock.unlock();
    auto result = call();
    lock.lock();
    return result;
}

void RigControl::lose(std::unique_lock<std::mutex>& lock, int code)
{
    unlocked(lock, [this] {
        m_link->close();
        return 0;
    });
    m_open = false;
    m_ptt = Ptt::Unknown;
    m_nextOpen = Clock::now() + kReopenEvery;
    m_state.status = pskrig::Silent;
    m_state.dialKnown = false;
    if (code != 0)
        unlocked(lock, [this, code] {
            m_failure(code);
            return 0;
        });
}

void RigControl::run()
{
    blockBrokenPipe();
    m_link = m_makeLink();
    PskRigConfig config;
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        if (m_configChanged) {
            m_configChanged = false;
            closeLink(lock);
            m_ptt = Ptt::Unknown;
            config = m_config;
            m_nextOpen = Clock::now();
        }
        const auto now = Clock::now();
        if (keyingUsesRig(config.keying) && !m_open && now >= m_nextOpen) {
            if (unlocked(lock, [this, &config] { return m_link->open(config); })) {
                m_open = true;
                m_nextRead = now;
                if (!readsDial(config.keying))
                    m_state.status = pskrig::Answering;
            } else {
                // Keying asked of a rig that cannot be opened: the transmission must end.
                const bool wanted = m_wantPtt;
                m_wantPtt = false;
                lose(lock, wanted ? pskerr::KeyFailed : 0);
            }
            continue;
        }
        const Ptt want = m_wantPtt ? Ptt::On : Ptt::Off;
        if (m_open && m_ptt != want) {
            if (unlocked(lock, [this, want] { return m_link->setPtt(want == Ptt::On); })) {
                m_ptt = want;
            } else if (want == Ptt::Off && m_ptt == Ptt::Unknown) {
                // The release sent on opening a rig we never keyed: a rig set up without PTT refuses it, and
                // that is no reason to report it, nor to close it (keying it would fail, and be reported).
                m_ptt = Ptt::Off;
            } else {
                if (want == Ptt::On)
                    m_wantPtt = false;
                lose(lock, want == Ptt::On ? pskerr::KeyFailed : pskerr::UnkeyFailed);
            }
            continue;
        }
        if (m_open && readsDial(config.keying) && now >= m_nextRead) {
            m_nextRead = now + kReadEvery;
            RigLink::Dial dial;
            if (unlocked(lock, [this, &dial] { return m_link->readDial(dial); })) {
                m_state.status = pskrig::Answering;
                m_state.dialKnown = true;
                m_state.dialHz = dial.freqHz;
                m_state.mode = dial.mode;
                m_state.lowerSideband = dial.lowerSideband;
            } else {
                const bool keyedNow = m_wantPtt;
                m_wantPtt = false;
                lose(lock, keyedNow ? pskerr::RigNotAnswering : 0);
            }
            continue;
        }
        if (!keyingUsesRig(config.keying)) {
            m_wake.wait(lock, [this] { return m_quit || m_configChanged; });
            continue;
        }
        const auto next = m_open ? (readsDial(config.keying) ? m_nextRead : now + kIdleWait) : m_nextOpen;
        m_wake.wait_until(lock, next, [this, want] {
            return m_quit || m_configChanged || (m_wantPtt ? Ptt::On : Ptt::Off) != want
                   || (!m_open && Clock::now() >= m_nextOpen);
        });
    }
    closeLink(lock);
}

void RigControl::closeLink(std::unique_lock<std::mutex>& lock)
{
    if (m_open)
        unlocked(lock, [this] {
            m_link->setPtt(false);
            m_link->close();
            return 0;
        });
    m_open = false;
}

} // namespace pskcore
