#include "displays/ScopeRenderers.h"

#include "displays/DisplayColours.h"
#include "displays/PixelOps.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kLastSignalSample = 510; // even samples 0 to 510: 256 points
constexpr int kSignalSpan = 512;
constexpr int kSignalFullScale = 8000;  // +-4000 from the centre line to an edge
constexpr int kSyncBars = 15;
constexpr int kSyncFullScale = 1000;
constexpr int kVectorFullScale = 1000;
constexpr int64_t kFarOutside = 1 << 20;

// Coordinates from engine values: products in 64 bits, wild values kept drawable.
int scaled(int64_t value, int64_t multiplier, int64_t divisor)
{
    return static_cast<int>(std::clamp<int64_t>(value * multiplier / divisor, -kFarOutside, kFarOutside));
}

} // namespace

int syncBarColumn(int k, int width)
{
    return k * (width / kSyncBars);
}

void renderSignal(QImage &image, std::span<const int32_t> rawData, bool cardActive,
                  bool signalTabShown, DeviceScale scale)
{
    image.fill(DisplayColour::Black);
    if (!cardActive || !signalTabShown)
        return;
    const int width = image.width();
    const int middle = image.height() / 2;
    QPainter painter(&image);
    painter.setPen(QPen(QColor(DisplayColour::Lime), scale.lineWidth()));
    QPoint pen(0, middle);
    for (int i = 0; i <= kLastSignalSample; i += 2) {
        const int32_t sample = i < int(rawData.size()) ? rawData[i] : 0;
        const QPoint point(i * width / kSignalSpan,
                           middle + scaled(sample, image.height(), kSignalFullScale));
        painter.drawLine(pen, point);
        pen = point;
    }
}

void renderSync(QImage &image, std::span<const int32_t, 16> syncData, bool cardActive, DeviceScale scale)
{
    image.fill(DisplayColour::Black);
    if (!cardActive)
        return;
    const int height = image.height();
    for (int k = 1; k <= kSyncBars; ++k) {
        const int top = height - scaled(syncData[k], height, kSyncFullScale);
        PixelOps::verticalBand(image, syncBarColumn(k, image.width()), scale.lineWidth(), height - 1, top,
                               DisplayColour::Lime);
    }
}

void renderVectors(QImage &image, std::span<const int32_t, 16> vectorData, bool cardActive,
                   DeviceScale scale)
{
    image.fill(DisplayColour::Navy);
    QPainter painter(&image);
    const int lineWidth = scale.lineWidth();
    painter.setPen(QPen(QColor(DisplayColour::Yellow), lineWidth));
    // The outline fills the box exactly: a QRect's outline covers width + 1 pixels, and
    // a wider pen spreads on both sides of it.
    const int inset = (lineWidth - 1) / 2;
    painter.drawEllipse(QRect(0, 0, image.width() - 1, image.height() - 1).adjusted(inset, inset, -inset, -inset));
    if (!cardActive)
        return;
    const int c = image.width() / 2 - 1; // centre of both axes and the scale
    for (int j = 0; j < 8; ++j) {
        const int x = c + scaled(vectorData[2 * j], c, kVectorFullScale);
        const int y = c - scaled(vectorData[2 * j + 1], c, kVectorFullScale);
        painter.drawLine(QPoint(c, c), QPoint(x, y));
    }
}
