#pragma once

#include <fcntl.h>
#include <unistd.h>

namespace pskcore {

// Standard error sent to /dev/null for the object's life, so that a tool's output stays its own lines: the
// libraries behind libsndfile (mpg123, for one) note every damaged file, and ALSA and JACK every absent device
// while PortAudio probes them.
class QuietStderr {
public:
    QuietStderr() : m_saved(::dup(STDERR_FILENO))
    {
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            ::dup2(null, STDERR_FILENO);
            ::close(null);
        }
    }
    ~QuietStderr()
    {
        if (m_saved >= 0) {
            ::dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int m_saved;
};

} // namespace pskcore
