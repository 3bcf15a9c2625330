#include "app/WindowBounds.h"

#include <algorithm>

int storedWindowSide(int storedPx, int defaultPx, int availablePx)
{
    const int side = storedPx < kSmallestWindowSidePx ? defaultPx : storedPx;
    return std::clamp(side, std::min(kSmallestWindowSidePx, availablePx), std::max(availablePx, 1));
}
