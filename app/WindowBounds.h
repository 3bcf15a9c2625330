#pragma once

// The main window's stored size against the screen: a side too small to hold
// anything to grab takes its default, one larger than the screen's available area
// is cut to it, so the window always opens visible and closable.
constexpr int kSmallestWindowSidePx = 200;

int storedWindowSide(int storedPx, int defaultPx, int availablePx);
