#include "engine/Delay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

void Delay(int ms)
{
    QElapsedTimer clock;
    clock.start();
    // One pass at least, as a zero wait still lets pending events run.
    QCoreApplication::processEvents(QEventLoop::AllEvents);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    // The timer may fire a little early; the clock decides when the wait is over.
    for (qint64 left = ms - clock.elapsed(); left > 0; left = ms - clock.elapsed()) {
        timer.start(static_cast<int>(left));
        loop.exec();
    }
}
