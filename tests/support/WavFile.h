#pragma once

#include <QString>
#include <vector>

// The samples of a WAV file the engine wrote, as floats in -1..1; empty when it
// cannot be opened.
std::vector<float> readWav(const QString &path);
