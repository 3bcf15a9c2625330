#include "browser/BrowserIcon.h"

#include "ground/Images.h"

#include <QPainter>
#include <QPixmap>

QIcon browserIcon()
{
    constexpr int kLines = 5;
    constexpr int kFirstLineY = 4;
    constexpr int kLineStep = 3;
    QPixmap picture(ImageList::kSize, ImageList::kSize);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(QPen(QColor(32, 32, 32), 1));
    p.setBrush(Qt::white);
    p.drawRect(2, 1, 16, 18);
    for (int i = 0; i < kLines; ++i) {
        const int y = kFirstLineY + i * kLineStep;
        p.fillRect(4, y, 3, 2, QColor(0, 128, 0));
        p.fillRect(8, y, 8, 2, i == 1 || i == 3 ? QColor(255, 140, 0) : QColor(90, 90, 90));
    }
    return QIcon(picture);
}
