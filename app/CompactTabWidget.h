#pragma once

#include <QTabWidget>

// A tab set whose tabs are just wide enough for their caption: the main window's
// small tab sets hold several captions in under 180 pixels.
class CompactTabWidget : public QTabWidget
{
    Q_OBJECT
public:
    explicit CompactTabWidget(QWidget *parent = nullptr);
};
