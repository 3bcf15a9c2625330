#pragma once

class TPSKForm;

// Creates the transmit control, the transmit pane's handler and the macros on the
// main window and connects their buttons, the pane's menu and the macro buttons.
// Runs once the receive channels and the pane look exist; the macros are loaded
// later, by the window's creation, once the store is open.
void attachTransmitAndMacros(TPSKForm &form);
