#include "logbook/LogQsoIcon.h"

#include "ground/Images.h"

#include <QPainter>
#include <QPixmap>

QIcon logQsoIcon()
{
    QPixmap picture(ImageList::kSize, ImageList::kSize);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(32, 32, 32), 1));
    p.setBrush(QColor(150, 70, 40));
    p.drawRect(3, 2, 14, 17);
    p.setPen(QPen(QColor(20, 200, 40), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygon({QPoint(6, 10), QPoint(9, 14), QPoint(15, 5)}));
    return QIcon(picture);
}
