#include "app/ResizeForm.h"

ResizeLayout computeResizeLayout(const ResizeInput &in)
{
    ResizeLayout out;
    const int clientWidth = in.client.width();
    const int clientHeight = in.client.height();

    out.PageControl = QRect(35, in.pageControlTop, clientWidth - 220, clientHeight - 129);
    const int pageWidth = out.PageControl.width();
    const int pageHeight = out.PageControl.height();

    out.TermOneHeight = pageHeight / 3;
    out.TermTwoHeight = pageHeight / 3;
    const int tabTermHeight = pageHeight - in.tabTermOverhead;
    // The two 5-pixel splitters take the 10 pixels.
    out.TxBufHeight = tabTermHeight - out.TermOneHeight - out.TermTwoHeight - 10;

    out.Monitor = QRect(35, pageHeight + 2, pageWidth - in.qsoBoxWidth - 2, in.monitorHeight);
    out.RightBtn = QPoint(out.Monitor.width() + 17, pageHeight + 65);
    out.LeftBtn = QPoint(out.RightBtn.x() - 18, pageHeight + 65);
    out.MacroPage = QPoint(pageWidth + 40, 1);
    out.Canal = QPoint(pageWidth + 40, in.macroPageHeight + 5);
    out.QSOBox = QPoint(out.Monitor.width() + 38, pageHeight + 2);

    out.statusPanel3Width = clientWidth - (in.statusPanelWidths[0] + in.statusPanelWidths[1]
                                           + in.statusPanelWidths[2]) - 25;
    return out;
}
