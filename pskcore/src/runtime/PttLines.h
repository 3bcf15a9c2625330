#pragma once

// The PTT: the chosen modem-control lines (RTS, DTR or both) of the chosen COM port, raised while the
// transmitter plays. The port stays open from its choice on, with the lines dropped while not keyed.

#include "pskcore/seams.h"

#include <memory>
#include <mutex>
#include <string>

namespace pskcore {

class PttLines {
public:
    PttLines();
    ~PttLines();
    // port: n of COMn; lines: 0 none, 1 RTS, 2 DTR, 3 both. False when the port cannot be opened.
    bool select(int port, int lines);
    // Keys (unkeys) the chosen lines; false when the port refused. Without a port or lines: nothing, true.
    bool raise();
    bool drop();
    void setLines(std::shared_ptr<ModemLines> lines);

private:
    void closeLocked();
    bool applyLocked();

    std::mutex m_mutex;
    std::shared_ptr<ModemLines> m_lines;
    std::string m_device;  // open device, empty when none
    int m_choice = 0;      // lines to key
    bool m_raised = false;
};

} // namespace pskcore
