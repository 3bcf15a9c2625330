#include "runtime/PttLines.h"

#include "runtime/SerialLines.h"

namespace pskcore {

PttLines::PttLines() : m_lines(std::make_shared<TtyModemLines>()) {}

PttLines::~PttLines()
{
    std::lock_guard lock(m_mutex);
    closeLocked();
}

bool PttLines::select(int port, int lines)
{
    std::lock_guard lock(m_mutex);
    if (lines < 0 || lines > 3)
        return false;
    if (lines == 0) {
        closeLocked();
        return true;
    }
    const auto devices = m_lines->ports();
    if (port < 1 || std::size_t(port) > devices.size()) {
        closeLocked();
        return false;
    }
    const std::string& device = devices[std::size_t(port) - 1];
    if (device != m_device) {
        closeLocked();
        if (!m_lines->open(device))
            return false;
        m_device = device;
    }
    m_choice = lines;
    return applyLocked();
}

bool PttLines::raise()
{
    std::lock_guard lock(m_mutex);
    m_raised = true;
    return applyLocked();
}

bool PttLines::drop()
{
    std::lock_guard lock(m_mutex);
    m_raised = false;
    if (applyLocked())
        return true;
    // Closing is the last way left to drop them: the port hangs up on close.
    closeLocked();
    return false;
}

void PttLines::setLines(std::shared_ptr<ModemLines> lines)
{
    std::lock_guard lock(m_mutex);
    closeLocked();
    m_lines = lines ? std::move(lines) : std::make_shared<TtyModemLines>();
}

void PttLines::closeLocked()
{
    if (!m_device.empty())
        m_lines->close();
    m_device.clear();
    m_choice = 0;
}

bool PttLines::applyLocked()
{
    if (m_device.empty())
        return true; // no port chosen: nothing to key
    return m_lines->set(m_raised && (m_choice & 1), m_raised && (m_choice & 2));
}

} // namespace pskcore
