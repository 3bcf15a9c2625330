#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// SIGINT, SIGTERM and SIGHUP end the program the way closing its window does, so that
// the transmitter is released and the settings saved. The handler only writes a byte to a
// pipe (async-signal-safe); the quit itself runs on the GUI thread when the pipe is read.
// A fatal signal is not caught: the kernel then closes the serial port, whose hang-up on
// close drops RTS and DTR.
class QuitOnSignal : public QObject
{
    Q_OBJECT
public:
    explicit QuitOnSignal(std::function<void()> quit, QObject *parent = nullptr);
    ~QuitOnSignal() override;

private:
    std::function<void()> m_quit;
    QSocketNotifier *m_notifier = nullptr;
};
