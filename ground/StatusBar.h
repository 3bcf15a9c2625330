#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>

// The five-panel status bar. Panels 0 to 2 show text; panels 3 and 4 are drawn by
// their owner through the draw callback. Panel 4 takes the width left over.
class PanelStatusBar : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kPanels = 5;
    // The text panel saying what the program is doing (inactive, receiving, transmitting).
    static constexpr int kActivityPanel = 2;
    using DrawPanel = std::function<void(QPainter &, int panel, const QRect &rect)>;

    explicit PanelStatusBar(QWidget *parent = nullptr);

    void setPanelText(int panel, const QString &text);
    QString panelText(int panel) const;
    // Width of panels 0 to 3; panel 4 always fills the rest.
    void setPanelWidth(int panel, int width);
    int panelWidth(int panel) const;
    // Widens a text panel (0 to 2), never narrows it, so that each of texts shows whole
    // in the bar's font.
    void fitPanelToTexts(int panel, const QStringList &texts);
    QRect panelRect(int panel) const;
    void setDrawPanel(DrawPanel draw) { m_draw = std::move(draw); }

signals:
    void mouseMoved(int x);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    std::array<QString, kPanels> m_texts;
    std::array<int, kPanels - 1> m_widths{50, 120, 150, 290};
    DrawPanel m_draw;
};
