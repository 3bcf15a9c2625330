#include "forms/TSplashForm.h"

#include "forms/TAboutForm.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

QPixmap splashPicture()
{
    QPixmap pixmap(300, 200);
    QPainter p(&pixmap);
    QLinearGradient sky(0, 0, 0, 200);
    sky.setColorAt(0, QColor(0, 0, 64));
    sky.setColorAt(1, QColor(0, 80, 140));
    p.fillRect(pixmap.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);

    // A waterfall-like band of traces across the lower half.
    for (int x = 0; x < 300; x += 3) {
        const int trace = (x % 47 < 4 || x % 113 < 3) ? 255 : 40 + (x * 37) % 60;
        p.fillRect(x, 130, 3, 50, QColor(0, trace, trace / 2));
    }
    p.drawPixmap(12, 12, aboutIconPicture());

    p.setPen(Qt::white);
    p.setFont(QFont(QStringLiteral("Times New Roman"), 28, QFont::Bold));
    p.drawText(QRect(0, 30, 300, 50), Qt::AlignCenter, QStringLiteral("Korvo"));
    p.setFont(QFont(QStringLiteral("Times New Roman"), 12));
    p.drawText(QRect(0, 80, 300, 24), Qt::AlignCenter, QStringLiteral("Terminal PSK31 - v1.7c"));
    p.setPen(QColor(255, 220, 0));
    p.setFont(QFont(QStringLiteral("Times New Roman"), 9));
    p.drawText(QRect(0, 104, 300, 20), Qt::AlignCenter, QCoreApplication::translate("Korvo", "Chargement..."));
    p.setPen(QPen(Qt::black));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, 299, 199);
    return pixmap;
}

TSplashForm::TSplashForm(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(300, 200);
    imgSplash = new QLabel(this);
    imgSplash->setGeometry(0, 0, 300, 200);
    imgSplash->setPixmap(splashPicture());

    tmMainTimer = new QTimer(this);
    tmMainTimer->setInterval(2500);
    tmMainTimer->setSingleShot(false);
    connect(tmMainTimer, &QTimer::timeout, this, &TSplashForm::tmMainTimerTimer);
    tmMainTimer->start();

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TSplashForm::tmMainTimerTimer()
{
    tmMainTimer->stop();
}

void TSplashForm::showUntilTimerFires()
{
    show();
    repaint();
    while (tmMainTimer->isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}
