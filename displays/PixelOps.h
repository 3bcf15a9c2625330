#pragma once

#include <QImage>
#include <QRgb>

#include <algorithm>

// Direct pixel writes for the lines the displays draw by the thousand. A line
// includes both end points, as QPainter draws them; what falls outside is clipped.
namespace PixelOps {

// Every image drawn here is created in this format, so pixels can be written as words.
constexpr QImage::Format kFormat = QImage::Format_RGB32;

inline void verticalLine(QImage &image, int x, int y1, int y2, QRgb colour)
{
    if (x < 0 || x >= image.width())
        return;
    int top = std::max(std::min(y1, y2), 0);
    const int bottom = std::min(std::max(y1, y2), image.height() - 1);
    for (; top <= bottom; ++top)
        reinterpret_cast<QRgb *>(image.scanLine(top))[x] = colour;
}

inline void horizontalLine(QImage &image, int y, int x1, int x2, QRgb colour)
{
    if (y < 0 || y >= image.height())
        return;
    int left = std::max(std::min(x1, x2), 0);
    const int right = std::min(std::max(x1, x2), image.width() - 1);
    QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
    for (; left <= right; ++left)
        row[left] = colour;
}

// A vertical line `width` pixels wide, its left column at x.
inline void verticalBand(QImage &image, int x, int width, int y1, int y2, QRgb colour)
{
    for (int column = x; column < x + width; ++column)
        verticalLine(image, column, y1, y2, colour);
}

// A horizontal line `height` pixels high, its top row at y.
inline void horizontalBand(QImage &image, int y, int height, int x1, int x2, QRgb colour)
{
    for (int row = y; row < y + height; ++row)
        horizontalLine(image, row, x1, x2, colour);
}

} // namespace PixelOps
