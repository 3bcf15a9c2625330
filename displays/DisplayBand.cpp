#include "displays/DisplayBand.h"

#include <algorithm>

void DisplayBand::shiftLeft()
{
    WFMin = std::max(WFMin - kShiftHz, kLowestEdgeHz);
    WFMax -= kShiftHz;
}

void DisplayBand::shiftRight()
{
    WFMin += kShiftHz;
    WFMax = std::min(WFMax + kShiftHz, kHighestEdgeHz);
}

QString frequencyReadout(int hz)
{
    return QString::number(hz) + QStringLiteral("Hz");
}

int channelLabelLeft(int markerX, int displayWidth, int offset, int labelWidth)
{
    if (markerX < 0 || markerX >= displayWidth)
        return -labelWidth - 1;
    return markerX - offset;
}
