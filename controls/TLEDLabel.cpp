#include "controls/TLEDLabel.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>

TLEDLabel::TLEDLabel(QWidget *parent)
    : TLED(parent, false)
{
    // drawn whole (background included) unless Transparent
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    resize(97, 17);
}

LedLabelLayout TLEDLabel::layoutFor(QSize size, TCaptionAlignment alignment)
{
    const int w = size.width();
    const int h = size.height();
    const int t = (h - kLedCellHeight) / 2;
    const int u = (w - kLedCellWidth) / 2;
    switch (alignment) {
    case caLeft:
        return {QRect(w - kLedCellWidth, t, kLedCellWidth, kLedCellHeight), QRect(0, 0, w - 15, h),
                Qt::AlignLeft | Qt::AlignVCenter};
    case caRight:
        return {QRect(0, t, kLedCellWidth, kLedCellHeight), QRect(15, 0, w - 15, h),
                Qt::AlignLeft | Qt::AlignVCenter};
    case caTop:
        return {QRect(u, h - kLedCellHeight, kLedCellWidth, kLedCellHeight), QRect(0, 0, w, h - 16),
                Qt::AlignHCenter | Qt::AlignBottom};
    case caBottom:
        return {QRect(u, 0, kLedCellWidth, kLedCellHeight), QRect(0, 16, w, h - 16),
                Qt::AlignHCenter | Qt::AlignTop};
    }
    return {};
}

QSize TLEDLabel::sizeHint() const
{
    // The caption's side of the layout leaves 15 pixels to the LED (16 above or below it);
    // one more keeps the last letter off the LED.
    constexpr int kLedSide = 16;
    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(m_caption);
    if (m_alignment == caLeft || m_alignment == caRight)
        return {textWidth + kLedSide, std::max(kLedCellHeight, metrics.height())};
    return {std::max(textWidth, kLedCellWidth), metrics.height() + kLedSide};
}

void TLEDLabel::setCaption(const QString &caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    updateGeometry();
    update();
}

void TLEDLabel::setAlignment(TCaptionAlignment alignment)
{
    if (m_alignment == alignment)
        return;
    m_alignment = alignment;
    update();
}

void TLEDLabel::setTransparent(bool transparent)
{
    if (m_transparent == transparent)
        return;
    m_transparent = transparent;
    update();
}

void TLEDLabel::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_popupMenu)
        m_popupMenu->popup(event->globalPos());
    else
        TLED::contextMenuEvent(event);
}

void TLEDLabel::paintInto(QPainter &p) const
{
    if (!m_transparent)
        p.fillRect(rect(), parentBackground());
    const LedLabelLayout layout = layoutRects();
    p.drawImage(layout.led, ledImage());
    p.setFont(font());
    const int flags = int(layout.captionAlignment) | Qt::TextSingleLine;
    if (isEnabled()) {
        p.setPen(palette().color(QPalette::Active, QPalette::WindowText));
        p.drawText(layout.caption, flags, m_caption);
    } else {
        // engraved: a highlight one pixel down-right under the shadow-coloured text
        p.setPen(palette().color(QPalette::Active, QPalette::Light));
        p.drawText(layout.caption.translated(1, 1), flags, m_caption);
        p.setPen(palette().color(QPalette::Active, QPalette::Dark));
        p.drawText(layout.caption, flags, m_caption);
    }
}

QImage TLEDLabel::render() const
{
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paintInto(p);
    return image;
}

void TLEDLabel::paintEvent(QPaintEvent *)
{
    const qreal dpr = devicePixelRatioF();
    QImage image(size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        paintInto(p);
    }
    QPainter(this).drawImage(0, 0, image);
}
