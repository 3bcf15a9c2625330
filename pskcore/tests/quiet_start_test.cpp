// Asking PortAudio for the sound devices prints nothing on standard error: its probe of
// JACK and ALSA would otherwise fill the operator's terminal at every start.
#include <pskcore/pskcore.h>

#include <gtest/gtest.h>

#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What the probe writes on standard error, run in a child so that the test's own stderr
// stays untouched.
std::string stderrOfDeviceProbe()
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(fds[1], STDERR_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        pskHasCaptureDevice();
        pskHasPlaybackDevice();
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return output;
}

} // namespace

TEST(QuietStart, DeviceProbePrintsNothing)
{
    EXPECT_EQ(stderrOfDeviceProbe(), "");
}
