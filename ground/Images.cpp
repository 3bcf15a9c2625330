#include "ground/Images.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <cmath>

namespace {

const QColor kInk(32, 32, 32);
const QColor kRed(210, 30, 30);
const QColor kGreen(20, 160, 40);
const QColor kBlue(30, 80, 200);
const QColor kYellow(240, 200, 20);
const QColor kGrey(128, 128, 128);

void plug(QPainter &p, bool connected)
{
    p.setPen(QPen(kInk, 2));
    p.drawLine(2, 10, 6, 10);
    p.setBrush(connected ? kGreen : kGrey);
    p.drawRect(6, 6, 4, 8);
    if (connected) {
        p.drawRect(10, 7, 4, 6);
    } else {
        p.setBrush(kRed);
        p.drawRect(13, 7, 4, 6);
    }
    p.drawLine(connected ? 14 : 17, 10, 19, 10);
}

void speaker(QPainter &p, const QColor &colour)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(colour);
    p.drawPolygon(QPolygon({QPoint(3, 8), QPoint(7, 8), QPoint(12, 3), QPoint(12, 17), QPoint(7, 12), QPoint(3, 12)}));
}

void letter(QPainter &p, const QString &text, const QColor &colour, int pixelSize = 14)
{
    QFont f(QStringLiteral("Sans Serif"));
    f.setPixelSize(pixelSize);
    f.setBold(true);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(QRect(0, 0, ImageList::kSize, ImageList::kSize), Qt::AlignCenter, text);
}

void page(QPainter &p, const QColor &fill = Qt::white)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(fill);
    p.drawRect(4, 2, 12, 16);
}

void disc(QPainter &p, const QColor &colour)
{
    p.setPen(QPen(colour.darker(150), 1));
    p.setBrush(colour);
    p.drawEllipse(2, 2, 16, 16);
}

void paintPicture(QPainter &p, int index)
{
    switch (index) {
    case 0: // stop
        p.setPen(QPen(kRed.darker(150), 1));
        p.setBrush(kRed);
        p.drawPolygon(QPolygon({QPoint(7, 2), QPoint(13, 2), QPoint(18, 7), QPoint(18, 13), QPoint(13, 18),
                                QPoint(7, 18), QPoint(2, 13), QPoint(2, 7)}));
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(6, 10, 14, 10);
        break;
    case 1: // connect / connected
        plug(p, true);
        break;
    case 2: // disconnect / disconnected
        plug(p, false);
        break;
    case 3: // transmit: an antenna radiating
        p.setPen(QPen(kInk, 2));
        p.drawLine(10, 8, 10, 19);
        p.drawLine(6, 19, 14, 19);
        p.setPen(QPen(kRed, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(6, 4, 8, 8, 0, 360 * 16);
        p.drawArc(2, 1, 16, 14, 30 * 16, 120 * 16);
        break;
    case 4: // tune: a steady carrier
        p.setPen(QPen(kBlue, 2));
        p.setBrush(Qt::NoBrush);
        {
            QPainterPath wave;
            wave.moveTo(1, 10);
            for (int x = 1; x <= 19; ++x)
                wave.lineTo(x, 10 - 6 * std::sin((x - 1) * 3.14159 / 4.5));
            p.drawPath(wave);
        }
        break;
    case 5: // macro editor: a page with a pencil
        page(p);
        p.setPen(QPen(kInk, 1));
        for (int y = 6; y <= 14; y += 3)
            p.drawLine(6, y, 12, y);
        p.setPen(QPen(kYellow.darker(130), 3));
        p.drawLine(11, 17, 18, 8);
        break;
    case 6: // input level
        speaker(p, kGreen);
        p.setPen(QPen(kInk, 2));
        p.drawLine(19, 6, 14, 10);
        p.drawLine(19, 14, 14, 10);
        break;
    case 7: // output level
        speaker(p, kBlue);
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(10, 5, 8, 10, -60 * 16, 120 * 16);
        p.drawArc(10, 2, 10, 16, -60 * 16, 120 * 16);
        break;
    case 8: // configuration: a gear
        p.setPen(QPen(kInk, 3));
        for (int i = 0; i < 4; ++i) {
            p.save();
            p.translate(10, 10);
            p.rotate(45 * i);
            p.drawLine(0, -8, 0, 8);
            p.restore();
        }
        p.setPen(QPen(kInk, 1));
        p.setBrush(kGrey);
        p.drawEllipse(4, 4, 12, 12);
        p.setBrush(Qt::white);
        p.drawEllipse(8, 8, 4, 4);
        break;
    case 9: // empty: a crossed page
        page(p);
        p.setPen(QPen(kRed, 2));
        p.drawLine(5, 4, 15, 16);
        p.drawLine(15, 4, 5, 16);
        break;
    case 10: // copy: two pages
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::white);
        p.drawRect(2, 2, 10, 12);
        p.drawRect(8, 6, 10, 12);
        break;
    case 11: // paste: a clipboard with a page
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(170, 120, 60));
        p.drawRect(3, 3, 12, 15);
        p.setBrush(kGrey);
        p.drawRect(6, 1, 6, 4);
        p.setBrush(Qt::white);
        p.drawRect(9, 8, 9, 11);
        break;
    case 12: // not used
        break;
    case 13: // about
        disc(p, kBlue);
        letter(p, QStringLiteral("?"), Qt::white);
        break;
    case 14: // information
        disc(p, kBlue);
        letter(p, QStringLiteral("i"), Qt::white);
        break;
    case 15: // warning
        p.setPen(QPen(kInk, 1));
        p.setBrush(kYellow);
        p.drawPolygon(QPolygon({QPoint(10, 1), QPoint(19, 18), QPoint(1, 18)}));
        letter(p, QStringLiteral("!"), kInk, 12);
        break;
    case 16: // characters still to send
        page(p);
        p.setPen(QPen(kInk, 1));
        for (int y = 6; y <= 14; y += 3)
            p.drawLine(6, y, 14, y);
        p.setPen(QPen(kGreen, 2));
        p.drawLine(11, 16, 19, 16);
        p.drawLine(16, 13, 19, 16);
        p.drawLine(16, 19, 19, 16);
        break;
    case 17: // colour
        p.setPen(QPen(kInk, 1));
        p.setBrush(kRed);
        p.drawEllipse(2, 2, 10, 10);
        p.setBrush(kGreen);
        p.drawEllipse(8, 2, 10, 10);
        p.setBrush(kBlue);
        p.drawEllipse(5, 8, 10, 10);
        break;
    case 18: // font
        letter(p, QStringLiteral("A"), kInk, 17);
        break;
    case 19: // CW identification
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawRect(1, 8, 7, 4);
        p.drawRect(10, 8, 3, 4);
        p.drawRect(15, 8, 5, 4);
        break;
    case 20: // help
        p.setPen(QPen(kInk, 1));
        p.setBrush(kYellow);
        p.drawEllipse(2, 2, 16, 16);
        letter(p, QStringLiteral("?"), kInk);
        break;
    case 21: // replay: a turning arrow
        p.setPen(QPen(kBlue, 2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(3, 3, 14, 14, 60 * 16, 270 * 16);
        p.setBrush(kBlue);
        p.drawPolygon(QPolygon({QPoint(11, 1), QPoint(16, 4), QPoint(11, 7)}));
        break;
    case 22: // logbook link
    case 23: // logbook link open
        p.setPen(QPen(kInk, 1));
        p.setBrush(index == 22 ? QColor(150, 70, 40) : kGreen);
        p.drawRect(3, 2, 14, 17);
        p.setPen(QPen(Qt::white, 1));
        p.drawLine(6, 6, 14, 6);
        p.drawLine(6, 9, 14, 9);
        break;
    case 24: // exit: a door and an arrow
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(150, 100, 50));
        p.drawRect(2, 2, 9, 17);
        p.setPen(QPen(kRed, 2));
        p.drawLine(9, 10, 19, 10);
        p.drawLine(15, 6, 19, 10);
        p.drawLine(15, 14, 19, 10);
        break;
    default:
        break;
    }
}

} // namespace

QImage drawImageListPicture(int index)
{
    QImage image(ImageList::kSize, ImageList::kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintPicture(p, index);
    return image;
}

ImageList::ImageList()
{
    m_pixmaps.reserve(kCount);
    for (int i = 0; i < kCount; ++i)
        m_pixmaps.push_back(QPixmap::fromImage(drawImageListPicture(i)));
}

QPixmap ImageList::pixmap(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return m_pixmaps[static_cast<size_t>(index)];
}

QIcon ImageList::icon(int index) const
{
    return QIcon(pixmap(index));
}

void ImageList::draw(QPainter &painter, int x, int y, int index) const
{
    const QPixmap picture = pixmap(index);
    if (!picture.isNull())
        painter.drawPixmap(x, y, picture);
}
