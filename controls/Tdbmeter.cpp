#include "controls/Tdbmeter.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

int roundHalfEven(double x)
{
    const double lower = std::floor(x);
    const double diff = x - lower;
    if (diff > 0.5)
        return static_cast<int>(lower) + 1;
    if (diff < 0.5)
        return static_cast<int>(lower);
    const int l = static_cast<int>(lower);
    return (l % 2 == 0) ? l : l + 1;
}

int dbmeterLitCount(const DbMeterLook &look, int position)
{
    const int n = look.greens + look.yellows + look.reds;
    const int gm = look.greens == 0 ? 0 : look.greenMax;
    const int ym = look.yellows == 0 ? 0 : look.yellowMax;
    const double p = position;
    int k;
    if (position >= gm + ym + look.redMax) {
        k = n;
    } else if (position > gm + ym) {
        if (look.reds == 0) {
            k = n;
        } else {
            k = roundHalfEven(double(look.reds) / look.redMax * (p - gm - ym)) + look.greens + look.yellows;
            // a level inside the red zone lights at least one red segment
            if (k == look.greens + look.yellows)
                ++k;
        }
    } else if (position > gm) {
        if (look.yellows == 0) {
            k = n;
        } else {
            k = roundHalfEven(double(look.yellows) / ym * (p - gm)) + look.greens;
            if (k == look.greens)
                ++k;
        }
    } else {
        k = gm == 0 ? 0 : roundHalfEven(double(look.greens) / gm * p);
    }
    // Any positive level shows. Negative levels show nothing (their rounding could
    // otherwise give 0 and be raised to a lit segment).
    if (position <= 0)
        return 0;
    return std::clamp(std::max(k, 1), 0, n);
}

namespace {

// Fills the pixel columns [a1, a2) along the bar and [0, c) across it, mirrored
// along the bar when the meter grows left or up.
void fillAlong(QPainter &p, const DbMeterLook &look, int length, int a1, int a2, int c, const QColor &colour)
{
    if (a2 <= a1 || c <= 0)
        return;
    if (look.leftUp) {
        const int m1 = length - a2;
        const int m2 = length - a1;
        a1 = m1;
        a2 = m2;
    }
    const QRect r = look.vertical ? QRect(0, a1, c, a2 - a1) : QRect(a1, 0, a2 - a1, c);
    p.fillRect(r, colour);
}

void drawBevel(QPainter &p, const DbMeterLook &look, int w, int h)
{
    int b = look.bevel == DbMeterLook::Bevel::None ? 0 : look.bevelWidth;
    if (b > h / 3 || b > w / 3)
        b = 1;
    if (b <= 0)
        return;
    const QColor white(255, 255, 255);
    const QColor grey(128, 128, 128);
    const bool sunken = look.bevel != DbMeterLook::Bevel::Raised;
    const QColor first = sunken ? white : grey;    // bottom and right edges
    const QColor second = sunken ? grey : white;   // top and left edges
    for (int j = 0; j < b; ++j) {
        p.fillRect(QRect(QPoint(0, h - 1 - j), QPoint(w - 1 - j, h - 1 - j)), first);
        p.fillRect(QRect(QPoint(w - 1 - j, 0), QPoint(w - 1 - j, h - 1 - j)), first);
    }
    for (int j = 0; j < b; ++j) {
        p.fillRect(QRect(QPoint(j, j), QPoint(w - 1, j)), second);
        p.fillRect(QRect(QPoint(j, j), QPoint(j, h - b - 1)), second);
    }
}

} // namespace

void renderDbMeter(QImage &image, const DbMeterLook &look, int position)
{
    const int w = qRound(image.width() / image.devicePixelRatio());
    const int h = qRound(image.height() / image.devicePixelRatio());
    QPainter p(&image);
    p.fillRect(QRect(0, 0, w, h), look.sepColor);

    const int n = look.greens + look.yellows + look.reds;
    if (n > 0) {
        const int length = look.vertical ? h : w;
        const int s = length / n;
        const int c = look.vertical ? w : h;
        if (s > look.sepWidth) {
            const int lit = dbmeterLitCount(look, position);
            for (int i = 1; i <= n; ++i) {
                const bool on = look.showJustOne ? i == lit : i <= lit;
                QColor colour;
                if (i > look.greens + look.yellows)
                    colour = on ? look.redColor : look.redBack;
                else if (i > look.greens)
                    colour = on ? look.yellowColor : look.yellowBack;
                else
                    colour = on ? look.greenColor : look.greenBack;
                // The last row across stays the background, as the bevel covers it.
                fillAlong(p, look, length, (i - 1) * s, i * s, c - 1, colour);
                if (look.sepWidth > 0)
                    fillAlong(p, look, length, i * s - look.sepWidth, std::min(i * s + 1, length), c - 1,
                              look.sepColor);
            }
        }
    }
    drawBevel(p, look, w, h);
}

Tdbmeter::Tdbmeter(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(80, 17);
}

void Tdbmeter::setBevelStyle(TBevelCut v)
{
    assign(m_look.bevel, static_cast<DbMeterLook::Bevel>(v));
}

void Tdbmeter::setBevelWidth(int v)
{
    if (v <= 0 || v > height() / 3 || v > width() / 3)
        v = 1;
    assign(m_look.bevelWidth, v);
}

void Tdbmeter::paintEvent(QPaintEvent *)
{
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = size() * dpr;
    if (m_image.size() != pixels) {
        m_image = QImage(pixels, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(dpr);
    }
    renderDbMeter(m_image, m_look, m_position);
    QPainter(this).drawImage(0, 0, m_image);
}
