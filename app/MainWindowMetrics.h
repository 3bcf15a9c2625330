#pragma once

// Sizes of the main window's docked bars: its first layout and its resize must agree.
inline constexpr int kToolBarWidth = 33;
inline constexpr int kInfoPanelHeight = 19;
inline constexpr int kStatusBarHeight = 24;
// The display strip (Monitor) at design; the operator may drag it taller.
inline constexpr int kMonitorDesignHeight = 82;
