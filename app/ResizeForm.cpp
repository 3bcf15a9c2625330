#include "app/ResizeForm.h"

#include <algorithm>

namespace {
// The terminal page keeps room for its three panes however tall the display strip is.
constexpr int kMinPageHeight = 120;
constexpr int kStripHandleHeight = 4;
}

ResizeLayout computeResizeLayout(const ResizeInput &in)
{
    ResizeLayout out;
    const int clientWidth = in.client.width();
    const int clientHeight = in.client.height();

    const int designPageHeight = clientHeight - 129;
    out.displayStripExtra = std::clamp(in.displayStripExtra, 0, std::max(0, designPageHeight - kMinPageHeight));
    out.PageControl = QRect(35, in.pageControlTop, clientWidth - 220, designPageHeight - out.displayStripExtra);
    const int pageWidth = out.PageControl.width();
    const int pageHeight = out.PageControl.height();

    out.TermOneHeight = pageHeight / 3;
    out.TermTwoHeight = pageHeight / 3;
    const int tabTermHeight = pageHeight - in.tabTermOverhead;
    // The two 5-pixel splitters take the 10 pixels.
    out.TxBufHeight = tabTermHeight - out.TermOneHeight - out.TermTwoHeight - 10;

    out.Monitor = QRect(35, pageHeight + 2, pageWidth - in.qsoBoxWidth - 2, in.monitorHeight + out.displayStripExtra);
    // Centred on the one-pixel gap between the terminal page and the strip.
    out.StripHandle = QRect(35, pageHeight + 1 - kStripHandleHeight / 2, pageWidth, kStripHandleHeight);
    out.RightBtn = QPoint(out.Monitor.width() + 17, pageHeight + 65 + out.displayStripExtra);
    out.LeftBtn = QPoint(out.RightBtn.x() - 18, pageHeight + 65 + out.displayStripExtra);
    out.MacroPage = QPoint(pageWidth + 40, 1);
    out.Canal = QPoint(pageWidth + 40, in.macroPageHeight + 5);
    out.QSOBox = QPoint(out.Monitor.width() + 38, pageHeight + 2);

    out.statusPanel3Width = clientWidth - (in.statusPanelWidths[0] + in.statusPanelWidths[1]
                                           + in.statusPanelWidths[2]) - 25;
    return out;
}
