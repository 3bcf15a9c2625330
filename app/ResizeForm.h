#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>

// What the resize table reads besides the client size.
struct ResizeInput
{
    QSize client;                 // the main window's client area
    int pageControlTop = 1;
    int tabTermOverhead = 0;      // PageControl height minus TabTerm height (tab row, frame)
    int monitorHeight = 82;        // the display strip at design
    int displayStripExtra = 0;     // what the operator dragged the strip taller, pixels
    int qsoBoxWidth = 147;
    int macroPageHeight = 140;
    std::array<int, 3> statusPanelWidths{50, 120, 150};
};

// Where the resize table puts the controls that follow the window's size. Each rule
// uses the sizes set by the rules before it, in the table's order.
struct ResizeLayout
{
    QRect PageControl;
    int TermOneHeight = 0;
    int TermTwoHeight = 0;
    int TxBufHeight = 0;
    QRect Monitor;
    int displayStripExtra = 0;     // as asked, kept within what the window leaves
    QRect StripHandle;             // the draggable boundary above the display strip
    QPoint RightBtn;
    QPoint LeftBtn;
    QPoint MacroPage;
    QPoint Canal;
    QPoint QSOBox;
    int statusPanel3Width = 0;
};

ResizeLayout computeResizeLayout(const ResizeInput &in);
