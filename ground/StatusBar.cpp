#include "ground/StatusBar.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace {
constexpr int kGap = 2;   // between panels, as the bevels of the panels are drawn apart
}

PanelStatusBar::PanelStatusBar(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void PanelStatusBar::setPanelText(int panel, const QString &text)
{
    if (panel < 0 || panel >= kPanels || m_texts[panel] == text)
        return;
    m_texts[panel] = text;
    update(panelRect(panel));
}

QString PanelStatusBar::panelText(int panel) const
{
    return panel >= 0 && panel < kPanels ? m_texts[panel] : QString();
}

void PanelStatusBar::setPanelWidth(int panel, int width)
{
    if (panel < 0 || panel >= kPanels - 1)
        return;
    m_widths[panel] = std::max(0, width);
    update();
}

int PanelStatusBar::panelWidth(int panel) const
{
    if (panel >= 0 && panel < kPanels - 1)
        return m_widths[panel];
    if (panel == kPanels - 1)
        return std::max(0, width() - panelRect(kPanels - 1).left());
    return 0;
}

void PanelStatusBar::fitPanelToTexts(int panel, const QStringList &texts)
{
    if (panel < 0 || panel > 2)
        return;
    // The gap, the bevel on both sides and the text's own margin on both sides.
    constexpr int kFrame = kGap + 2 * 1 + 2 * 2;
    const QFontMetrics metrics(font());
    int needed = 0;
    for (const QString &text : texts)
        needed = std::max(needed, metrics.horizontalAdvance(text) + kFrame);
    if (needed > m_widths[panel])
        setPanelWidth(panel, needed);
}

QRect PanelStatusBar::panelRect(int panel) const
{
    int left = 0;
    for (int i = 0; i < panel && i < kPanels - 1; ++i)
        left += m_widths[i];
    const int w = panel < kPanels - 1 ? m_widths[panel] : std::max(0, width() - left);
    return QRect(left, kGap, std::max(0, w - kGap), height() - kGap);
}

void PanelStatusBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (int panel = 0; panel < kPanels; ++panel) {
        const QRect rect = panelRect(panel);
        // Text panels are sunken; the connection icon's panel stands raised.
        qDrawShadePanel(&painter, rect, palette(), panel != kPanels - 1, 1);
        const QRect inner = rect.adjusted(1, 1, -1, -1);
        if (panel <= 2) {
            painter.setPen(palette().color(QPalette::WindowText));
            const Qt::Alignment align = panel == 0 ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter);
            painter.drawText(inner.adjusted(2, 0, -2, 0), align, m_texts[panel]);
        } else if (m_draw) {
            painter.save();
            painter.setClipRect(inner);
            m_draw(painter, panel, inner);
            painter.restore();
        }
    }
}

void PanelStatusBar::mouseMoveEvent(QMouseEvent *e)
{
    emit mouseMoved(e->position().toPoint().x());
    QWidget::mouseMoveEvent(e);
}
