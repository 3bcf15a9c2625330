#pragma once

#include "engine/BrowserSignal.h"

#include <QObject>
#include <QTimer>
#include <vector>

class BrowserList;
class Displays;
class EngineInterface;
struct ConnectionFlags;
struct TSettings;

// What the browser shows on and acts through.
struct BrowserWidgets
{
    BrowserList *list = nullptr;
    Displays *displays = nullptr;    // a click tunes as on the waterfall; the signals are marked there
};

// The signal browser's handlers, on the GUI thread: turns the engine's browser on while
// the panel is shown, polls its list a few times a second while the engine runs, shows
// it as lines and marks on the waterfall, and tunes a channel to a clicked line.
class SignalBrowser : public QObject
{
    Q_OBJECT
public:
    static constexpr int kRefreshIntervalMs = 250;

    // settings: MyCall, read at every refresh.
    SignalBrowser(EngineInterface &engine, const ConnectionFlags &flags, const TSettings &settings,
                  BrowserWidgets widgets, QObject *parent = nullptr);

    // Fetches the engine's list and shows it; nothing while the engine is stopped or the
    // panel is hidden.
    void refresh();
    // MyCall may have changed: the lines shown are highlighted again.
    void settingsChanged();
    // The panel shown or hidden: the engine's browser, the polling and the marks follow.
    void setShown(bool shown);

private:
    void showSignals();

    EngineInterface &m_engine;
    const ConnectionFlags &m_flags;
    const TSettings &m_settings;
    BrowserWidgets m_w;
    QTimer m_refreshTimer;
    std::vector<BrowserSignal> m_signals;
    // The engine starts with its browser off.
    bool m_engineOn = false;
};
