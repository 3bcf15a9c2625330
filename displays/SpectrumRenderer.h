#pragma once

#include "displays/DeviceScale.h"
#include "displays/DisplayScene.h"

class QImage;

// Draws the spectrum of the displayed band into image (the display's size, any
// content): grid, frequency scale, then, while the engine runs, the trace filled
// from the bottom (plain) or as a line, and the two channel markers.
MarkerColumns renderSpectrum(QImage &image, const BandScene &scene, bool plain, DeviceScale scale = {});

// Height in pixels of the frequency scale's numbers along the top of the spectrum.
int spectrumScaleHeight();
