#include "displays/WaterfallRenderer.h"

#include "displays/DisplayColours.h"
#include "displays/PixelOps.h"

#include <QImage>
#include <QPainter>

#include <cstring>

namespace {

constexpr int kAmplitudeBase = 15; // the strip's height; the line starts below it
constexpr int kSignalMarkHalfWidth = 3;
constexpr int kSignalMarkHeight = 5;

// Copies rows 0..H-1-n of the history into rows n..H-1 of the frame in one block; the
// oldest n rows drop off. A history of another size (never after a resize, which
// recreates it) gives what overlaps, the rest black.
void scrollInto(QImage &frame, const QImage &history, int newRows)
{
    const int rows = std::min(frame.height() - newRows, history.height());
    if (rows <= 0)
        return;
    if (history.size() == frame.size() && history.format() == frame.format()
        && history.bytesPerLine() == frame.bytesPerLine()) {
        std::memcpy(frame.scanLine(newRows), history.constScanLine(0), size_t(rows) * frame.bytesPerLine());
        return;
    }
    frame.fill(DisplayColour::Black);
    const QImage source = history.format() == frame.format() ? history : history.convertToFormat(frame.format());
    const size_t rowBytes = size_t(std::min(frame.width(), source.width())) * sizeof(QRgb);
    for (int y = 0; y < rows; ++y)
        std::memcpy(frame.scanLine(newRows + y), source.constScanLine(y), rowBytes);
}

// A small triangle hanging from the top of the strip at each signal of the browser,
// drawn over the amplitude line so a strong signal does not hide its mark: one row per
// device pixel, narrowing to a point.
void drawSignalMarks(QPainter &strip, const BandScene &scene, int width, DeviceScale scale)
{
    const int halfWidth = scale.px(kSignalMarkHalfWidth);
    const int height = scale.px(kSignalMarkHeight);
    for (const int hz : scene.signalHz) {
        if (hz < scene.band.WFMin || hz > scene.band.WFMax)
            continue;
        const int x = scene.band.hzToPixel(hz, width);
        for (int row = 0; row < height; ++row) {
            const int half = halfWidth * (height - 1 - row) / (height - 1);
            strip.fillRect(x - half, row, 2 * half + 1, 1, QColor(DisplayColour::SignalMark));
        }
    }
}

MarkerColumns drawMarkers(QImage &frame, const BandScene &scene, DeviceScale scale)
{
    std::array<int, 2> markers{};
    for (int channel = 0; channel < 2; ++channel) {
        markers[channel] = scene.band.hzToPixel(scene.rxHz[channel], frame.width());
        PixelOps::verticalBand(frame, markers[channel], scale.lineWidth(), 0, frame.height() - 1,
                               DisplayColour::Channel[channel]);
    }
    return markers;
}

} // namespace

int waterfallGrey(int32_t value)
{
    return static_cast<int>(std::clamp<int64_t>(int64_t(value) * 4, 0, 255));
}

int amplitudeRow(int32_t value)
{
    return 14 - static_cast<int>(int64_t(value) * 15 / 96);
}

QImage blankWaterfallHistory(const QSize &size)
{
    QImage history(size, PixelOps::kFormat);
    history.fill(DisplayColour::Black);
    return history;
}

MarkerColumns renderWaterfall(QImage &frame, QImage &history, QImage &amplitude,
                              const BandScene &scene, DeviceScale scale)
{
    amplitude.fill(DisplayColour::Black);
    if (!scene.cardActive) {
        frame.fill(DisplayColour::Black);
        return std::nullopt;
    }

    const int newRows = std::min(scale.lineWidth(), frame.height());
    scrollInto(frame, history, newRows);

    const int width = frame.width();
    const DisplayBand &band = scene.band;
    QRgb *top = frame.height() > 0 ? reinterpret_cast<QRgb *>(frame.scanLine(0)) : nullptr;
    QPainter strip(&amplitude);
    strip.setPen(QPen(QColor(DisplayColour::Lime), scale.lineWidth()));
    QPoint pen(0, 0);
    int previousColumn = -1;
    for (int k = band.firstBin(); k <= band.lastBin(); ++k) {
        const int x = band.binToPixel(k, width);
        const int32_t value = scene.fft[k];
        const int grey = waterfallGrey(value);
        // Every bin writes its column, so the last bin of a column decides it.
        const int from = x == previousColumn ? x : previousColumn + 1;
        for (int c = std::max(from, 0); top && c <= x && c < width; ++c)
            top[c] = qRgb(grey, grey, grey);
        previousColumn = x;

        if (x == 0)
            pen = QPoint(0, scale.px(kAmplitudeBase));
        const QPoint point(x, scale.px(amplitudeRow(value)));
        strip.drawLine(pen, point);
        pen = point;
    }
    drawSignalMarks(strip, scene, amplitude.width(), scale);
    strip.end();
    // The new line is as high as one row of the design.
    for (int row = 1; top && row < newRows; ++row)
        std::memcpy(frame.scanLine(row), top, size_t(width) * sizeof(QRgb));

    history = frame.copy();
    return drawMarkers(frame, scene, scale);
}

MarkerColumns redrawWaterfall(QImage &frame, const QImage &history, const BandScene &scene,
                              DeviceScale scale)
{
    if (!scene.cardActive) {
        frame.fill(DisplayColour::Black);
        return std::nullopt;
    }
    frame.fill(DisplayColour::Black);
    QPainter painter(&frame);
    painter.drawImage(QPoint(0, 0), history);
    painter.end();
    return drawMarkers(frame, scene, scale);
}
