#include "ground/InfoPanel.h"

#include <QMouseEvent>
#include <QPainter>

InfoPanel::InfoPanel(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setMouseTracking(true);
}

void InfoPanel::setCaption(const QString &caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    update();
}

void InfoPanel::paintEvent(QPaintEvent *e)
{
    QFrame::paintEvent(e);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect().adjusted(2, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter, m_caption);
}

void InfoPanel::mouseMoveEvent(QMouseEvent *e)
{
    emit mouseMoved(e->position().toPoint().x());
    QFrame::mouseMoveEvent(e);
}
