#include "runtime/SerialLines.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <tuple>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace pskcore {
namespace {

const std::regex kSerialName(R"(tty(S|USB|ACM)(\d+))");

// Name order with the number compared by value (ttyS2 before ttyS10), as the configuration dialog shows it.
std::tuple<std::string, long, std::string> comOrderKey(const std::string& path)
{
    const std::string name = std::filesystem::path(path).filename().string();
    std::smatch match;
    if (!std::regex_match(name, match, kSerialName))
        return {name, 0, name};
    return {match[1], std::stol(match[2]), name};
}

// The kernel makes ttyS nodes for every possible UART; only those with a detected port type are real.
bool uartPresent(const std::string& name)
{
    std::ifstream type("/sys/class/tty/" + name + "/type");
    int value = 0;
    return type >> value && value != 0;
}

} // namespace

void sortSerialDevices(std::vector<std::string>& devices)
{
    std::sort(devices.begin(), devices.end(),
              [](const std::string& a, const std::string& b) { return comOrderKey(a) < comOrderKey(b); });
}

std::vector<std::string> presentSerialDevices()
{
    std::vector<std::string> devices;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev", error)) {
        const std::string name = entry.path().filename().string();
        std::smatch match;
        if (!std::regex_match(name, match, kSerialName))
            continue;
        if (match[1] == "S" && !uartPresent(name))
            continue;
        devices.push_back(entry.path().string());
    }
    sortSerialDevices(devices);
    return devices;
}

TtyModemLines::~TtyModemLines() { close(); }

std::vector<std::string> TtyModemLines::ports() { return presentSerialDevices(); }

// Linux raises DTR and RTS when a tty is opened, O_NONBLOCK or not, unless the port's stored termios has the
// speed B0 (tty_port_block_til_ready() raises them when C_BAUD is not zero). The termios a serial driver keeps
// for a port outlives each open, so the port is left at B0, with HUPCL and CLOCAL: from our second open on
// (and for any program that opens it after us) the lines stay down at open; HUPCL drops them at the last
// close, which is also what releases the transmitter if this process dies without unkeying. B0 does not stop
// TIOCMBIS from raising them for keying. The first open after the device appeared (boot, plug-in) still finds
// the driver's default speed: there the kernel raises both lines inside open(), and the TIOCMBIC below, the
// very next system call, drops them again some microseconds later. No open flag prevents that first pulse.
bool TtyModemLines::open(const std::string& device)
{
    close();
    m_fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        return false;
    int both = TIOCM_RTS | TIOCM_DTR;
    const bool dropped = ioctl(m_fd, TIOCMBIC, &both) == 0;
    termios settings{};
    if (!dropped || tcgetattr(m_fd, &settings) != 0) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    settings.c_cflag |= HUPCL | CLOCAL;
    settings.c_cflag &= ~CRTSCTS; // hardware flow control would let the UART drive RTS itself
    cfsetispeed(&settings, B0);
    cfsetospeed(&settings, B0);
    tcsetattr(m_fd, TCSANOW, &settings);
    return true;
}

bool TtyModemLines::set(bool rts, bool dtr)
{
    if (m_fd < 0)
        return false;
    int raise = (rts ? TIOCM_RTS : 0) | (dtr ? TIOCM_DTR : 0);
    int drop = (rts ? 0 : TIOCM_RTS) | (dtr ? 0 : TIOCM_DTR);
    bool done = true;
    if (raise)
        done = ioctl(m_fd, TIOCMBIS, &raise) == 0;
    if (drop)
        done = ioctl(m_fd, TIOCMBIC, &drop) == 0 && done;
    return done;
}

bool TtyModemLines::close()
{
    if (m_fd < 0)
        return true;
    const bool dropped = set(false, false);
    // With HUPCL the kernel drops both lines at this close even when the ioctl above failed.
    ::close(m_fd);
    m_fd = -1;
    return dropped;
}

} // namespace pskcore
