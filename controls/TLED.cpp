#include "controls/TLED.h"

#include <QEvent>
#include <QPainter>
#include <cmath>

namespace {

const QColor kTeal(0, 128, 128);
const QColor kRingDark(0, 0, 0);
const QColor kRingShadow(128, 128, 128);
const QColor kRingLight(255, 255, 255);

struct Shades
{
    QColor dark;
    QColor bright;
};

// Row 3 (disabled) has no shades: its body is the background.
const Shades kShades[3] = {
    {QColor(128, 0, 0), QColor(255, 0, 0)},
    {QColor(0, 128, 0), QColor(0, 255, 0)},
    {QColor(128, 128, 0), QColor(255, 255, 0)},
};

// The cell drawn at `scale` device pixels per pixel from (x0, y0): each device pixel
// takes the colour of the point it covers, so a larger scale draws the same LED finer.
void drawCell(QImage &image, int x0, int y0, int column, int row, qreal scale)
{
    const double cx = 5.5;
    const double cy = 6.0;
    const int width = qRound(kLedCellWidth * scale);
    const int height = qRound(kLedCellHeight * scale);
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            // The pixel's centre in cell pixels; at scale 1 the pixel itself.
            const double fx = (px + 0.5) / scale - 0.5;
            const double fy = (py + 0.5) / scale - 0.5;
            const int x = int(std::floor((px + 0.5) / scale));
            const int y = int(std::floor((py + 0.5) / scale));
            const double d = std::hypot(fx - cx, fy - cy);
            QColor c = kTeal;
            if (d <= 4.0) {
                if (row == 3)
                    c = kTeal;
                else
                    c = column == 1 ? kShades[row].bright : kShades[row].dark;
                const bool highlight = (x == 3 && y == 3) || (x == 4 && y == 3) || (x == 3 && y == 4);
                if (highlight)
                    c = (row == 3 || column == 1) ? kRingLight : kShades[row].bright;
            } else if (d <= 5.0) {
                c = kRingDark;
            } else if (d <= 6.0) {
                // lit from the upper left: grey above-left, white below-right
                c = (fx - cx) + (fy - cy) < 0 ? kRingShadow : kRingLight;
            }
            image.setPixelColor(x0 + px, y0 + py, c);
        }
    }
}

} // namespace

QImage ledStripImage()
{
    QImage strip(2 * kLedCellWidth, 4 * kLedCellHeight, QImage::Format_RGB32);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 2; ++column)
            drawCell(strip, column * kLedCellWidth, row * kLedCellHeight, column, row, 1.0);
    return strip;
}

TLEDBitmap *TLEDBitmap::s_instance = nullptr;

TLEDBitmap::TLEDBitmap()
    : m_strip(ledStripImage())
    , m_transparent(m_strip.pixelColor(0, m_strip.height() - 1))
{
}

void TLEDBitmap::attach(TLED *led)
{
    if (!s_instance)
        s_instance = new TLEDBitmap;
    s_instance->m_users.append(led);
}

void TLEDBitmap::detach(TLED *led)
{
    if (!s_instance)
        return;
    s_instance->m_users.removeOne(led);
    if (s_instance->m_users.isEmpty()) {
        delete s_instance;
        s_instance = nullptr;
    }
}

QImage TLEDBitmap::cell(int column, int row, const QColor &background, qreal devicePixelRatio) const
{
    QImage c;
    if (devicePixelRatio == 1.0) {
        c = m_strip.copy(column * kLedCellWidth, row * kLedCellHeight, kLedCellWidth, kLedCellHeight);
    } else {
        // Drawn again at the screen's resolution rather than the strip's cell enlarged.
        c = QImage(qRound(kLedCellWidth * devicePixelRatio), qRound(kLedCellHeight * devicePixelRatio),
                   QImage::Format_RGB32);
        drawCell(c, 0, 0, column, row, devicePixelRatio);
        c.setDevicePixelRatio(devicePixelRatio);
    }
    const QRgb transparent = m_transparent.rgb();
    const QRgb fill = background.rgb();
    for (int y = 0; y < c.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(c.scanLine(y));
        for (int x = 0; x < c.width(); ++x)
            if (line[x] == transparent)
                line[x] = fill;
    }
    return c;
}

TLED::TLED(QWidget *parent)
    : TLED(parent, true)
{
}

TLED::TLED(QWidget *parent, bool fixedSize)
    : QWidget(parent)
{
    TLEDBitmap::attach(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (fixedSize)
        setFixedSize(kLedCellWidth, kLedCellHeight);
}

TLED::~TLED()
{
    TLEDBitmap::detach(this);
}

void TLED::setLit(bool lit)
{
    if (m_lit == lit)
        return;
    m_lit = lit;
    stateChanged();
}

void TLED::setColor(TLEDColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    stateChanged();
}

void TLED::stateChanged()
{
    // only the LED cell changes; a caption beside it is not redrawn
    update(ledRect());
    emit OnChangeState();
}

QColor TLED::parentBackground() const
{
    const QWidget *p = parentWidget();
    return p ? p->palette().color(p->backgroundRole()) : palette().color(QPalette::Window);
}

QImage TLED::ledImage() const
{
    const int column = isEnabled() && m_lit ? 1 : 0;
    const int row = isEnabled() ? int(m_color) : 3;
    return TLEDBitmap::instance()->cell(column, row, parentBackground(), devicePixelRatioF());
}

void TLED::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(ledRect(), ledImage());
}

void TLED::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        update();
        emit OnChangeState();
    }
    QWidget::changeEvent(event);
}
