#pragma once

#include <QByteArray>

class SettingsStore;

// The browser dock as the operator left it, in the store's [Look] section as text:
// BrowserVisible (1/0) and BrowserPlace, the main window's dock state (side, size,
// floating geometry) in base 64.
struct BrowserStoreValues
{
    bool visible = false;
    QByteArray place;   // QMainWindow::saveState(); empty: the default place
};

// Read at start-up, after the window's own values; a failure shows the reading message
// and leaves the defaults.
BrowserStoreValues readBrowserSettings(SettingsStore &store);
// Written at close, after the close batch, as one batch of its own.
bool writeBrowserSettings(SettingsStore &store, const BrowserStoreValues &values);
