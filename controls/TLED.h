#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QWidget>

class TLED;

// The LED picture strip: 2 columns (off, on) x 4 rows (red, green, yellow,
// disabled) of 12 x 13 cells, background teal. Its bottom-left pixel is the
// transparent colour.
QImage ledStripImage();

constexpr int kLedCellWidth = 12;
constexpr int kLedCellHeight = 13;

// The strip shared by every LED of the process: made with the first LED and
// freed with the last one.
class TLEDBitmap
{
public:
    static TLEDBitmap *instance() { return s_instance; }
    static void attach(TLED *led);
    static void detach(TLED *led);

    const QImage &strip() const { return m_strip; }
    QColor transparentColor() const { return m_transparent; }
    // The cell for (column, row), transparent pixels replaced by `background`, drawn
    // for a screen of devicePixelRatio device pixels per pixel.
    QImage cell(int column, int row, const QColor &background, qreal devicePixelRatio = 1.0) const;

private:
    TLEDBitmap();

    static TLEDBitmap *s_instance;
    QImage m_strip;
    QColor m_transparent;
    QList<TLED *> m_users;
};

// A bare round LED, fixed at 12 x 13 pixels.
class TLED : public QWidget
{
    Q_OBJECT
public:
    enum TLEDColor { lcRed, lcGreen, lcYellow };
    Q_ENUM(TLEDColor)

    Q_PROPERTY(bool Lit READ Lit WRITE setLit)
    Q_PROPERTY(TLEDColor Color READ Color WRITE setColor)

    explicit TLED(QWidget *parent = nullptr);
    ~TLED() override;

    bool Lit() const { return m_lit; }
    TLEDColor Color() const { return m_color; }
    void setLit(bool lit);
    void setColor(TLEDColor color);

    // The picture shown for the current state on the parent's background.
    QImage ledImage() const;

signals:
    void OnChangeState();

protected:
    // For derived controls that are free in size.
    TLED(QWidget *parent, bool fixedSize);

    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    QColor parentBackground() const;
    // Where the LED cell sits in the control.
    virtual QRect ledRect() const { return rect(); }

private:
    void stateChanged();

    bool m_lit = false;
    TLEDColor m_color = lcRed;
};
