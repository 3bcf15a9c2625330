#pragma once

#include <QString>
#include <QStringList>

// The program offers the ports COM1 to COM8 as the Windows original did; on Linux
// each COM number stands for one present serial device, in a stable order so that
// the same number keeps meaning the same device from one run to the next.

inline constexpr int kComPortCount = 8;

// The present devices ("/dev/ttyS0", "/dev/ttyUSB1", ...) in COM order: sorted by
// name with embedded numbers compared as numbers (ttyS2 before ttyS10), at most
// eight kept. COM n is element n - 1.
QStringList comPortOrder(QStringList devices);

// The serial devices present on this machine that can key a transmitter, as the
// platform enumerates them.
QStringList presentSerialDevices();
