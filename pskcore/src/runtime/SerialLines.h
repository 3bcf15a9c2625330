#pragma once

// PTT through a serial port's modem-control lines (RTS, DTR), raised with the usual tty ioctls.

#include "pskcore/seams.h"

#include <string>
#include <vector>

namespace pskcore {

// The present serial devices in COM order: /dev/ttyACM*, /dev/ttyS* with a real UART, /dev/ttyUSB*,
// each by number. COM1 is the first.
std::vector<std::string> presentSerialDevices();

// Sorts device paths into COM order (kind by name, then number); kept apart so the order can be checked.
void sortSerialDevices(std::vector<std::string>& devices);

class TtyModemLines : public ModemLines {
public:
    ~TtyModemLines() override;
    std::vector<std::string> ports() override;
    bool open(const std::string& device) override;
    bool set(bool rts, bool dtr) override;
    bool close() override;

private:
    int m_fd = -1;
};

} // namespace pskcore
