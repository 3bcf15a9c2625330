#include "displays/TPaintBox.h"

#include <QMouseEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget *parent)
    : QWidget(parent)
{
    // The picture covers the whole box: Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void TPaintBox::setFrame(QImage frame)
{
    m_frame = std::move(frame);
    update();
}

void TPaintBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_frame.deviceIndependentSize().toSize() != size())
        painter.fillRect(rect(), Qt::black);
    painter.drawImage(0, 0, m_frame);
}

void TPaintBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit mouseMoved(at.x(), at.y());
}

void TPaintBox::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit mouseReleased(event->button(), at.x(), at.y());
}

void TPaintBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    emit resized();
}
