#pragma once

#include <QWidget>

// A horizontal boundary the operator drags up or down, as a splitter's handle does,
// between widgets its owner places itself. It only reports the drag.
class StripHandle : public QWidget
{
    Q_OBJECT
public:
    explicit StripHandle(QWidget *parent = nullptr);

signals:
    void dragStarted();
    // dyPixels: how far the pointer has moved since the press, downwards positive.
    void dragged(int dyPixels);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    int m_pressY = 0;
};
