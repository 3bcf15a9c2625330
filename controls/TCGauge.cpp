#include "controls/TCGauge.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

int gaugePos(const GaugeScale &scale, int v)
{
    return (v - scale.minValue) * scale.scaleSpan() / (scale.maxValue - scale.minValue)
           + scale.scaleLeft();
}

int gaugeValueAt(const GaugeScale &scale, int x)
{
    if (scale.gaugeWidth <= 0)   // no strip to point at; never divide by zero
        return scale.minValue;
    return scale.minValue
           + (x - scale.marginLeft - scale.cursorHalf()) * (scale.maxValue - scale.minValue)
                 / scale.gaugeWidth;
}

int gaugeTickX(const GaugeScale &scale, int i, int k)
{
    return scale.scaleSpan() * i / k + scale.scaleLeft();
}

int gaugeLabelLeft(int centreX, int textWidth, int controlWidth)
{
    int left = centreX - textWidth / 2;
    if (left < 1)
        left = 2;
    if (left + textWidth >= controlWidth - 2)
        left = controlWidth - 2 - textWidth;
    return left;
}

GaugeGrab gaugeAreaGrab(int v, int areaLeft, int areaRight)
{
    const int toLeft = v - areaLeft;
    const int toRight = areaRight - v;
    if (toLeft < toRight)
        return GaugeGrab::Left;
    if (toLeft > toRight)
        return GaugeGrab::Right;
    return GaugeGrab::None;
}

namespace {

// An axis-aligned line from (x1, y1) that stops one pixel short of (x2, y2).
void lineExcludingEnd(QPainter &p, int x1, int y1, int x2, int y2)
{
    const int dx = (x2 > x1) - (x2 < x1);
    const int dy = (y2 > y1) - (y2 < y1);
    if (dx == 0 && dy == 0)
        return;
    p.drawLine(x1, y1, x2 - dx, y2 - dy);
}

} // namespace

void drawGaugeBevel(QPainter &p, int x, int y, int w, int h, bool raised, int n,
                    const QColor &shadow)
{
    const int right = x + w;
    const int bottom = y + h;
    const QColor first = raised ? shadow : QColor(Qt::white);
    const QColor second = raised ? QColor(Qt::white) : shadow;
    p.setPen(first);
    for (int i = n - 1; i >= 0; --i) {
        lineExcludingEnd(p, right - i, y + i, right - i, bottom - i);
        lineExcludingEnd(p, right - i, bottom - i, x + i, bottom - i);
    }
    p.setPen(second);
    for (int i = n - 1; i >= 0; --i) {
        lineExcludingEnd(p, x + i, bottom - i, x + i, y + i);
        lineExcludingEnd(p, x + i, y + i, right - i, y + i);
    }
}

TCGauge::TCGauge(QWidget *parent)
    : QWidget(parent), m_color(palette().color(QPalette::Button))
{
    resize(237, 63);
    setMouseTracking(true);
}

void TCGauge::setColor(const QColor &color) { m_color = color; update(); }
void TCGauge::setShowHint(bool show) { m_showHint = show; update(); }
void TCGauge::setCaption(const QString &caption) { m_caption = caption; update(); }
void TCGauge::setMarginLeft(int pixels) { m_scale.marginLeft = pixels; update(); }
void TCGauge::setMarginCaption(int pixels) { m_marginCaption = pixels; update(); }
void TCGauge::setGaugeTop(int pixels) { m_gaugeTop = pixels; update(); }
void TCGauge::setGaugeHeight(int pixels) { m_gaugeHeight = pixels; update(); }
void TCGauge::setGaugeWidth(int pixels) { m_scale.gaugeWidth = pixels; update(); }
void TCGauge::setGaugeColor(const QColor &color) { m_gaugeColor = color; update(); }
void TCGauge::setScaleDraw(bool draw) { m_scaleDraw = draw; update(); }
void TCGauge::setScaleMargin(int pixels) { m_scaleMargin = pixels; update(); }
void TCGauge::setScaleFont(const QFont &font) { m_scaleFont = font; update(); }
void TCGauge::setScaleStep(int step) { m_scaleStep = step; update(); }
void TCGauge::setScaleTickHeight(int pixels) { m_scaleTickHeight = pixels; update(); }
void TCGauge::setValueShow(bool show) { m_valueShow = show; update(); }
void TCGauge::setValueColor(const QColor &color) { m_valueColor = color; update(); }
void TCGauge::setValueCursor(int pixels) { m_scale.valueCursor = pixels; update(); }
void TCGauge::setAreaDraw(bool draw) { m_areaDraw = draw; update(); }
void TCGauge::setAreaCursor(bool on) { m_areaCursor = on; update(); }
void TCGauge::setAreaCursorColor(const QColor &color) { m_areaCursorColor = color; update(); }
void TCGauge::setReadOnly(bool readOnly) { m_readOnly = readOnly; update(); }

// Changing the ends of the scale does not re-clamp the value or the area.
void TCGauge::setMinValue(int value)
{
    m_scale.minValue = value >= m_scale.maxValue ? m_scale.maxValue - 1 : value;
    update();
}

void TCGauge::setMaxValue(int value)
{
    m_scale.maxValue = value <= m_scale.minValue ? m_scale.minValue + 1 : value;
    update();
}

void TCGauge::setValue(int value)
{
    m_value = std::clamp(value, m_scale.minValue, m_scale.maxValue);
    update();
}

// The left edge never passes the right one: setting it first, beyond the current
// right edge, stops it there.
void TCGauge::setAreaLeft(int value)
{
    m_areaLeft = std::min(std::clamp(value, m_scale.minValue, m_scale.maxValue), m_areaRight);
    update();
}

void TCGauge::setAreaRight(int value)
{
    m_areaRight = std::max(std::clamp(value, m_scale.minValue, m_scale.maxValue), m_areaLeft);
    update();
}

bool TCGauge::withinStripRows(int y) const
{
    return y >= m_gaugeTop && y <= m_gaugeTop + m_gaugeHeight;
}

void TCGauge::drawBox(QPainter &p, int x, int y, int w, int h, bool raised, const QColor &color,
                      int n) const
{
    if (w > 2 * n && h > 2 * n)
        p.fillRect(QRect(x + n, y + n, w - 2 * n, h - 2 * n), color);
    drawGaugeBevel(p, x, y, w, h, raised, n, palette().color(QPalette::Dark));
}

void TCGauge::drawOpaqueText(QPainter &p, int x, int y, const QString &text) const
{
    const QFontMetrics metrics(p.font());
    const QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
    p.fillRect(box, m_color);
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
}

void TCGauge::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor shadow = palette().color(QPalette::Dark);
    const int marginLeft = m_scale.marginLeft;
    const int gaugeWidth = m_scale.gaugeWidth;
    const int cursor = m_scale.valueCursor;
    const int c = m_scale.cursorHalf();

    drawGaugeBevel(p, 0, 0, width() - 1, height() - 1, true, 1, shadow);

    p.setFont(font());
    drawOpaqueText(p, marginLeft, m_marginCaption,
                   QCoreApplication::translate("Korvo", "Bandwidth %1 Hz").arg(m_areaRight - m_areaLeft));

    if (!m_areaDraw) {
        drawBox(p, marginLeft, m_gaugeTop, gaugeWidth, m_gaugeHeight, false, m_gaugeColor, 2);
    } else if (!m_areaCursor) {
        const int l = gaugePos(m_scale, m_areaLeft);
        const int r = gaugePos(m_scale, m_areaRight);
        drawBox(p, marginLeft, m_gaugeTop, l - marginLeft, m_gaugeHeight, false, m_gaugeColor, 2);
        drawBox(p, r, m_gaugeTop, gaugeWidth + cursor - r, m_gaugeHeight, false, m_gaugeColor, 2);
        drawBox(p, l, m_gaugeTop, r - l, m_gaugeHeight, false, m_color, 2);
    } else {
        const int l = gaugePos(m_scale, m_areaLeft) - c;
        const int r = gaugePos(m_scale, m_areaRight) - c;
        drawBox(p, marginLeft, m_gaugeTop, l - marginLeft - 1, m_gaugeHeight, false, m_gaugeColor, 2);
        drawBox(p, r + cursor + 1, m_gaugeTop, gaugeWidth - r - 1, m_gaugeHeight, false, m_gaugeColor, 2);
        drawBox(p, l + cursor + 1, m_gaugeTop, r - l - cursor - 2, m_gaugeHeight, false, m_color, 2);
    }

    // A step outside 1 .. MaxValue - MinValue leaves no scale to draw (and nothing to divide by).
    const int k = m_scaleStep > 0 ? (m_scale.maxValue - m_scale.minValue) / m_scaleStep : 0;
    const int below = m_gaugeTop + m_gaugeHeight;
    if (m_scaleTickHeight > 0 && k > 0) {
        p.setPen(Qt::black);
        for (int i = 0; i <= k; ++i) {
            const int x = gaugeTickX(m_scale, i, k);
            p.drawLine(x, below + 1, x, below + 1 + m_scaleTickHeight - 1);
        }
    }

    if (m_scaleDraw && k > 0) {
        p.setFont(m_scaleFont);
        const QFontMetrics metrics(m_scaleFont);
        int label = m_scale.minValue;
        for (int i = 0; i <= k; ++i, label += m_scaleStep) {
            const QString text = QString::number(label);
            const int left = gaugeLabelLeft(gaugeTickX(m_scale, i, k),
                                            metrics.horizontalAdvance(text), width());
            drawOpaqueText(p, left, below + m_scaleMargin, text);
        }
    }

    if (m_areaCursor) {
        drawBox(p, gaugePos(m_scale, m_areaLeft) - c, m_gaugeTop, cursor, m_gaugeHeight, true,
                m_areaCursorColor, 1);
        drawBox(p, gaugePos(m_scale, m_areaRight) - c, m_gaugeTop, cursor, m_gaugeHeight, true,
                m_areaCursorColor, 1);
    }

    p.setFont(font());
    QString readOut;
    if (m_valueShow)
        readOut = QString::number(m_value);
    else if (m_areaCursor)
        readOut = QStringLiteral("%1 - %2").arg(m_areaLeft).arg(m_areaRight);
    if (!readOut.isEmpty()) {
        const int textWidth = QFontMetrics(font()).horizontalAdvance(readOut);
        drawOpaqueText(p, marginLeft + gaugeWidth - textWidth, m_marginCaption, readOut);
    }
    if (m_valueShow)
        drawBox(p, gaugePos(m_scale, m_value) - c, m_gaugeTop, cursor, m_gaugeHeight, true,
                m_valueColor, 2);
}

void TCGauge::mousePressEvent(QMouseEvent *event)
{
    if (m_readOnly)
        return;
    const QPoint at = event->position().toPoint();
    m_grab = GaugeGrab::None;
    if (!withinStripRows(at.y()))
        return;
    if (m_areaCursor)
        m_grab = gaugeAreaGrab(gaugeValueAt(m_scale, at.x()), m_areaLeft, m_areaRight);
    else if (m_valueShow)
        m_grab = GaugeGrab::Value;
}

void TCGauge::mouseMoveEvent(QMouseEvent *event)
{
    if (m_readOnly)
        return;
    const QPoint at = event->position().toPoint();
    if (m_areaCursor)
        setCursor(withinStripRows(at.y()) ? Qt::SplitHCursor : Qt::ArrowCursor);
    const int v = gaugeValueAt(m_scale, at.x());
    switch (m_grab) {
    case GaugeGrab::Left:
        setAreaLeft(v);
        break;
    case GaugeGrab::Right:
        setAreaRight(v);
        break;
    case GaugeGrab::Value:
        setValue(v);
        break;
    case GaugeGrab::None:
        break;
    }
}

void TCGauge::mouseReleaseEvent(QMouseEvent *)
{
    if (m_readOnly)
        return;
    m_grab = GaugeGrab::None;
}

bool TCGauge::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && !m_showHint)
        return true;
    return QWidget::event(event);
}
