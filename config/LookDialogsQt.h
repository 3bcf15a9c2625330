#pragma once

#include "config/PaneLook.h"

// The program's colour and font dialogs: Qt's colour dialog, and Qt's font dialog
// with the text colour list the panes' fonts carry.
class QtLookDialogs : public LookDialogs
{
public:
    bool chooseColor(QColor &color) override;
    bool chooseFont(PaneFontChoice &choice) override;
};
