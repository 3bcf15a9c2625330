#pragma once

#include "displays/DeviceScale.h"

#include <array>
#include <cstdint>
#include <span>

class QImage;

// The three tuning aids of the "Signal" and "Synchro" tabs. Each fills the whole
// image (the display's size) and, while the engine runs, draws its data.

// Raw input samples: even samples 0 to 510 across the width, +-4000 reaching the
// edges, positive samples below the centre line. Drawn only while the "Signal" tab
// is shown (signalTabShown), since only then are the samples fresh.
void renderSignal(QImage &image, std::span<const int32_t> rawData, bool cardActive,
                  bool signalTabShown, DeviceScale scale = {});

// Synchronisation bars of entries 1 to 15 (entry 0 is never drawn), 1000 fills the height.
void renderSync(QImage &image, std::span<const int32_t, 16> syncData, bool cardActive,
                DeviceScale scale = {});

// Eight vectors from the centre of the inscribed circle, full scale +-1000, y up.
void renderVectors(QImage &image, std::span<const int32_t, 16> vectorData, bool cardActive,
                   DeviceScale scale = {});

// Column of the synchronisation bar of entry k on a display `width` pixels wide.
int syncBarColumn(int k, int width);
