#include "displays/SpectrumRenderer.h"

#include "displays/DisplayColours.h"
#include "displays/PixelOps.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int kGridRows[] = {14, 27, 40};
constexpr int kScaleHz[] = {500, 1000, 1500, 2000, 2500, 3000, 3500};
constexpr int kScaleLineTop = 6;
constexpr int kScaleLineBottom = 52; // a fixed length whatever the height
constexpr int64_t kFarOutside = 1 << 20;

constexpr int kScaleFontPixels = 9;

QFont scaleFont(int pixels)
{
    // A small bitmap-like face about 9 pixels high, the size of the original's 7-point
    // "Small Fonts" at 96 dpi.
    QFont font(QStringLiteral("Small Fonts"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    return font;
}

const QFont &designScaleFont()
{
    static const QFont font = scaleFont(kScaleFontPixels);
    return font;
}

void drawGridAndScale(QImage &image, QPainter &painter, const DisplayBand &band, DeviceScale scale)
{
    const int width = image.width();
    const int lineWidth = scale.lineWidth();
    for (int y : kGridRows)
        PixelOps::horizontalBand(image, scale.px(y), lineWidth, 0, width, DisplayColour::Grid);

    const QFont font = scale.ratio == 1.0 ? designScaleFont() : scaleFont(scale.px(kScaleFontPixels));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (int hz : kScaleHz) {
        // One Hz above the mark, as the original placed it.
        const int x = (hz + 1 - band.WFMin) * width / band.bandWidth();
        const QString label = QString::number(hz);
        const int left = x - scale.px(hz == 500 ? 8 : 10);
        const QRect box(left, 0, metrics.horizontalAdvance(label), metrics.height());
        painter.fillRect(box, QColor(DisplayColour::Black));
        painter.setPen(QColor(DisplayColour::ScaleText));
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, label);
        PixelOps::verticalBand(image, x, lineWidth, scale.px(kScaleLineTop), scale.px(kScaleLineBottom),
                               DisplayColour::Grid);
    }
}

// Height of a value on a display H pixels high. The value comes from the engine, so
// the product is taken in 64 bits and a wild value is kept within drawable range.
int traceY(int32_t value, int height, int fullScale)
{
    const int64_t y = height - int64_t(value) * height / fullScale;
    return static_cast<int>(std::clamp<int64_t>(y, -kFarOutside, kFarOutside));
}

void drawTrace(QImage &image, QPainter &painter, const BandScene &scene, bool plain, DeviceScale scale)
{
    const int width = image.width();
    const int height = image.height();
    const DisplayBand &band = scene.band;
    const int fullScale = scene.fullScale > 0 ? scene.fullScale : 1;

    QPoint previous(0, traceY(scene.fft[band.firstBin()], height, fullScale));
    painter.setPen(QPen(QColor(DisplayColour::Spectrum), scale.lineWidth()));
    painter.drawLine(QPoint(-1, height), previous);

    int previousColumn = -1;
    for (int k = band.firstBin(); k <= band.lastBin(); ++k) {
        const int x = band.binToPixel(k, width);
        const int y = traceY(scene.fft[k], height, fullScale);
        if (plain) {
            // The first bin of a column fills it; columns skipped between two bins
            // take the later bin's height.
            for (int c = previousColumn + 1; c <= x; ++c)
                PixelOps::verticalLine(image, c, height - 1, y, DisplayColour::Spectrum);
            previousColumn = std::max(previousColumn, x);
        } else {
            const QPoint point(x, y);
            painter.drawLine(previous, point);
            previous = point;
        }
    }
}

} // namespace

MarkerColumns renderSpectrum(QImage &image, const BandScene &scene, bool plain, DeviceScale scale)
{
    image.fill(DisplayColour::Black);
    QPainter painter(&image);
    drawGridAndScale(image, painter, scene.band, scale);
    if (!scene.cardActive)
        return std::nullopt;

    drawTrace(image, painter, scene, plain, scale);
    painter.end();

    std::array<int, 2> markers{};
    for (int channel = 0; channel < 2; ++channel) {
        markers[channel] = scene.band.hzToPixel(scene.rxHz[channel], image.width());
        PixelOps::verticalBand(image, markers[channel], scale.lineWidth(), 0, image.height() - 1,
                               DisplayColour::Channel[channel]);
    }
    return markers;
}

int spectrumScaleHeight()
{
    return QFontMetrics(designScaleFont()).height();
}
