#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

class QPainter;

// Pixel arithmetic of the band gauge, apart from the widget so that it can be
// checked directly. All integer, truncating toward zero like the drawing does.
struct GaugeScale
{
    int minValue = 0;
    int maxValue = 100;
    int marginLeft = 8;
    int gaugeWidth = 220;
    int valueCursor = 10;

    int cursorHalf() const { return valueCursor / 2; }
    int scaleLeft() const { return marginLeft + cursorHalf(); }   // x0
    int scaleSpan() const { return gaugeWidth - valueCursor; }    // s
};

// x of value v on the scale.
int gaugePos(const GaugeScale &scale, int v);
// Value under a pointer at x. Divides by gaugeWidth, not by the scale span: it is
// deliberately not the exact inverse of gaugePos (the 3000 mark of 0-3600 over
// 375 px reads 2956), and dragging relies on that mapping as it stands.
int gaugeValueAt(const GaugeScale &scale, int x);
// x of tick / label i of k.
int gaugeTickX(const GaugeScale &scale, int i, int k);
// Left x of a label of the given text width centred on centreX, kept inside a
// control of width controlWidth.
int gaugeLabelLeft(int centreX, int textWidth, int controlWidth);

enum class GaugeGrab { None, Left, Right, Value };

// Which edge a press grabs in area mode, for the value v under the pointer. The
// exact midpoint grabs nothing.
GaugeGrab gaugeAreaGrab(int v, int areaLeft, int areaRight);

// A self-drawn horizontal scale with a marked area between two draggable edges, or
// a single value with its own cursor. Its owner reads AreaLeft, AreaRight or Value
// when it needs them: the control emits no change signal.
class TCGauge : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE setColor)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE setShowHint)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int MarginLeft READ MarginLeft WRITE setMarginLeft)
    Q_PROPERTY(int MarginCaption READ MarginCaption WRITE setMarginCaption)
    Q_PROPERTY(int GaugeTop READ GaugeTop WRITE setGaugeTop)
    Q_PROPERTY(int GaugeHeight READ GaugeHeight WRITE setGaugeHeight)
    Q_PROPERTY(int GaugeWidth READ GaugeWidth WRITE setGaugeWidth)
    Q_PROPERTY(QColor GaugeColor READ GaugeColor WRITE setGaugeColor)
    Q_PROPERTY(int MinValue READ MinValue WRITE setMinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE setMaxValue)
    Q_PROPERTY(bool ScaleDraw READ ScaleDraw WRITE setScaleDraw)
    Q_PROPERTY(int ScaleMargin READ ScaleMargin WRITE setScaleMargin)
    Q_PROPERTY(QFont ScaleFont READ ScaleFont WRITE setScaleFont)
    Q_PROPERTY(int ScaleStep READ ScaleStep WRITE setScaleStep)
    Q_PROPERTY(int ScaleTickHeight READ ScaleTickHeight WRITE setScaleTickHeight)
    Q_PROPERTY(int Value READ Value WRITE setValue)
    Q_PROPERTY(bool ValueShow READ ValueShow WRITE setValueShow)
    Q_PROPERTY(QColor ValueColor READ ValueColor WRITE setValueColor)
    Q_PROPERTY(int ValueCursor READ ValueCursor WRITE setValueCursor)
    Q_PROPERTY(int AreaLeft READ AreaLeft WRITE setAreaLeft)
    Q_PROPERTY(int AreaRight READ AreaRight WRITE setAreaRight)
    Q_PROPERTY(bool AreaDraw READ AreaDraw WRITE setAreaDraw)
    Q_PROPERTY(bool AreaCursor READ AreaCursor WRITE setAreaCursor)
    Q_PROPERTY(QColor AreaCursorColor READ AreaCursorColor WRITE setAreaCursorColor)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE setReadOnly)

public:
    explicit TCGauge(QWidget *parent = nullptr);

    QColor Color() const { return m_color; }
    bool ShowHint() const { return m_showHint; }
    QString Caption() const { return m_caption; }
    int MarginLeft() const { return m_scale.marginLeft; }
    int MarginCaption() const { return m_marginCaption; }
    int GaugeTop() const { return m_gaugeTop; }
    int GaugeHeight() const { return m_gaugeHeight; }
    int GaugeWidth() const { return m_scale.gaugeWidth; }
    QColor GaugeColor() const { return m_gaugeColor; }
    int MinValue() const { return m_scale.minValue; }
    int MaxValue() const { return m_scale.maxValue; }
    bool ScaleDraw() const { return m_scaleDraw; }
    int ScaleMargin() const { return m_scaleMargin; }
    QFont ScaleFont() const { return m_scaleFont; }
    int ScaleStep() const { return m_scaleStep; }
    int ScaleTickHeight() const { return m_scaleTickHeight; }
    int Value() const { return m_value; }
    bool ValueShow() const { return m_valueShow; }
    QColor ValueColor() const { return m_valueColor; }
    int ValueCursor() const { return m_scale.valueCursor; }
    int AreaLeft() const { return m_areaLeft; }
    int AreaRight() const { return m_areaRight; }
    bool AreaDraw() const { return m_areaDraw; }
    bool AreaCursor() const { return m_areaCursor; }
    QColor AreaCursorColor() const { return m_areaCursorColor; }
    bool ReadOnly() const { return m_readOnly; }

    void setColor(const QColor &color);
    void setShowHint(bool show);
    void setCaption(const QString &caption);
    void setMarginLeft(int pixels);
    void setMarginCaption(int pixels);
    void setGaugeTop(int pixels);
    void setGaugeHeight(int pixels);
    void setGaugeWidth(int pixels);
    void setGaugeColor(const QColor &color);
    void setMinValue(int value);
    void setMaxValue(int value);
    void setScaleDraw(bool draw);
    void setScaleMargin(int pixels);
    void setScaleFont(const QFont &font);
    void setScaleStep(int step);
    void setScaleTickHeight(int pixels);
    void setValue(int value);
    void setValueShow(bool show);
    void setValueColor(const QColor &color);
    void setValueCursor(int pixels);
    void setAreaLeft(int value);
    void setAreaRight(int value);
    void setAreaDraw(bool draw);
    void setAreaCursor(bool on);
    void setAreaCursorColor(const QColor &color);
    void setReadOnly(bool readOnly);

    const GaugeScale &scale() const { return m_scale; }
    GaugeGrab grabState() const { return m_grab; }
    QSize sizeHint() const override { return {237, 63}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;

private:
    bool withinStripRows(int y) const;
    void drawBox(QPainter &p, int x, int y, int w, int h, bool raised, const QColor &color, int n) const;
    void drawOpaqueText(QPainter &p, int x, int y, const QString &text) const;

    QColor m_color;
    bool m_showHint = false;
    QString m_caption;
    GaugeScale m_scale;
    int m_marginCaption = 6;
    int m_gaugeTop = 24;
    int m_gaugeHeight = 15;
    QColor m_gaugeColor{0x00, 0xFF, 0xFF};   // aqua
    bool m_scaleDraw = true;
    int m_scaleMargin = 3;
    QFont m_scaleFont{QStringLiteral("Arial"), 8};
    int m_scaleStep = 10;
    int m_scaleTickHeight = 3;
    int m_value = 50;
    bool m_valueShow = true;
    QColor m_valueColor{0xFF, 0x00, 0x00};
    int m_areaLeft = 25;
    int m_areaRight = 75;
    bool m_areaDraw = true;
    bool m_areaCursor = false;
    QColor m_areaCursorColor{0xFF, 0x80, 0x80};
    bool m_readOnly = false;
    GaugeGrab m_grab = GaugeGrab::None;
};

// Draws the raised or sunken bevel of n pixels round (x, y, w, h) the way the gauge
// and its boxes use it: raised has light top and left edges. Lines stop short of
// their end point.
void drawGaugeBevel(QPainter &p, int x, int y, int w, int h, bool raised, int n,
                    const QColor &shadow);
