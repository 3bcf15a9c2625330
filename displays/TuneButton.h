#pragma once

#include <Qt>

// The channel a click tunes, on the displays and wherever a click tunes like them:
// left button channel 1 (0), right button channel 2 (1), any other button none (-1).
constexpr int channelOfButton(Qt::MouseButton button)
{
    return button == Qt::LeftButton ? 0 : button == Qt::RightButton ? 1 : -1;
}
