#pragma once

#include <QString>
#include <cstdint>

// The read-outs of the engine's reports. No space between the number and "dB".
QString imdReadout(int32_t db);      // "IMD:-28dB"
QString noiseReadout(int32_t db);    // "Niveau de bruit: -40dB"
QString clockErrorReadout(int32_t ppm); // "-12 ppm"
