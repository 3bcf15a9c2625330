#pragma once

#include "displays/DeviceScale.h"
#include "displays/DisplayScene.h"

class QImage;
class QSize;

// The waterfall: a history image (the waterfall without markers) that each data
// message advances by one row, the picture shown (history plus markers) and the
// AmpliDisplay strip with the current spectrum as a line.

// Advances the history by one row made from scene.fft and builds frame (any size;
// normally the history's) from it: one block copy of the stored rows, one new row,
// the history refreshed from the frame, then the markers on the frame only. The
// amplitude strip is redrawn. Stopped: frame and strip black, history untouched.
// At a larger scale a message adds as many device rows as one row is high.
MarkerColumns renderWaterfall(QImage &frame, QImage &history, QImage &amplitude,
                              const BandScene &scene, DeviceScale scale = {});

// Redraws frame from the history without advancing it (a repaint with no new data).
MarkerColumns redrawWaterfall(QImage &frame, const QImage &history, const BandScene &scene,
                              DeviceScale scale = {});

// The history as the engine start and every resize leave it: black, the display's size.
QImage blankWaterfallHistory(const QSize &size);

// Grey level of an FFT value: white from 64 on.
int waterfallGrey(int32_t value);
// Row of the amplitude line in the 15-pixel strip: 14 at 0, 0 at 90, above it from 96.
int amplitudeRow(int32_t value);
