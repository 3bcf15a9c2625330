#pragma once

#include <QtGlobal>
#include <algorithm>

// Device pixels per pixel of a display. The renderers draw into images of the display's
// size in device pixels, so that a screen scaled to 200 % gets a sharp picture rather
// than one enlarged; their fixed sizes (grid rows, strip heights, line widths) are
// multiplied by it. 1 draws exactly the pixels of the design.
struct DeviceScale
{
    qreal ratio = 1.0;

    int px(int pixels) const { return qRound(pixels * ratio); }
    // Lines one pixel wide on the design are this many device pixels wide.
    int lineWidth() const { return std::max(1, qRound(ratio)); }
};
