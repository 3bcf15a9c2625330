#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The borderless start-up picture, up for 2.5 s before the main window is made.
class TSplashForm : public QWidget
{
    Q_OBJECT
public:
    explicit TSplashForm(QWidget *parent = nullptr);

    void tmMainTimerTimer();
    // Shows the splash at once and keeps the program's events flowing until the
    // timer has fired once; clicks on it do nothing.
    void showUntilTimerFires();

    QLabel *imgSplash = nullptr;
    QTimer *tmMainTimer = nullptr;
};

// The splash picture, 300 x 200, drawn by the program.
QPixmap splashPicture();
