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

bool TtyModemLines::open(const std::string& device)
{
    close();
    m_fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        return false;
    termios settings{};
    if (tcgetattr(m_fd, &settings) != 0) {
        close();
        return false;
    }
    // Hang-up on close: if the program dies, the kernel drops DTR and RTS when it closes the port.
    settings.c_cflag |= HUPCL | CLOCAL;
    tcsetattr(m_fd, TCSANOW, &settings);
    set(false, false);
    return true;
}

void TtyModemLines::set(bool rts, bool dtr)
{
    if (m_fd < 0)
        return;
    int raise = (rts ? TIOCM_RTS : 0) | (dtr ? TIOCM_DTR : 0);
    int drop = (rts ? 0 : TIOCM_RTS) | (dtr ? 0 : TIOCM_DTR);
    if (raise)
        ioctl(m_fd, TIOCMBIS, &raise);
    if (drop)
        ioctl(m_fd, TIOCMBIC, &drop);
}

void TtyModemLines::close()
{
    if (m_fd < 0)
        return;
    set(false, false);
    ::close(m_fd);
    m_fd = -1;
}

} // namespace pskcore
