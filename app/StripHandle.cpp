#include "app/StripHandle.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kGripDots = 6;
constexpr int kGripPitch = 3;
}

StripHandle::StripHandle(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::SplitVCursor);
    setAttribute(Qt::WA_NoSystemBackground);
}

void StripHandle::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    m_pressY = qRound(e->globalPosition().y());
    emit dragStarted();
}

void StripHandle::mouseMoveEvent(QMouseEvent *e)
{
    if (e->buttons() & Qt::LeftButton)
        emit dragged(qRound(e->globalPosition().y()) - m_pressY);
}

// Only a row of dots in the middle, as the terminal panes' splitters show: the
// handle lies over the frames of the widgets on either side.
void StripHandle::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    const int left = (width() - (kGripDots - 1) * kGripPitch) / 2;
    for (int i = 0; i < kGripDots; ++i)
        painter.drawPoint(left + i * kGripPitch, height() / 2);
}
