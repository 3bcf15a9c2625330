#pragma once

#include <QRgb>

// The displays' fixed colours.
namespace DisplayColour {
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb Grid = qRgb(128, 128, 128);
constexpr QRgb ScaleText = qRgb(255, 255, 255);
constexpr QRgb Spectrum = qRgb(0, 255, 255);    // aqua
constexpr QRgb Lime = qRgb(0, 255, 0);          // channel 1, amplitude line, signal, sync bars
constexpr QRgb Yellow = qRgb(255, 255, 0);      // channel 2, vector circle and vectors
constexpr QRgb Navy = qRgb(0, 0, 128);          // vector background
constexpr QRgb SignalMark = qRgb(255, 140, 0);  // the browser's signals on the amplitude strip
constexpr QRgb Channel[2] = {Lime, Yellow};
}
