#include "browser/SignalBrowser.h"

#include "browser/BrowserLines.h"
#include "browser/BrowserList.h"
#include "config/TSettings.h"
#include "displays/Displays.h"
#include "engine/ConnectionFlags.h"
#include "engine/EngineInterface.h"

#include <cmath>

SignalBrowser::SignalBrowser(EngineInterface &engine, const ConnectionFlags &flags, const TSettings &settings,
                             BrowserWidgets widgets, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_flags(flags)
    , m_settings(settings)
    , m_w(widgets)
{
    m_refreshTimer.setInterval(kRefreshIntervalMs);
    connect(&m_refreshTimer, &QTimer::timeout, this, &SignalBrowser::refresh);
    connect(m_w.list, &BrowserList::tuneRequested, m_w.displays, &Displays::tuneByButton);
}

void SignalBrowser::setShown(bool shown)
{
    if (shown != m_engineOn) {
        m_engineOn = shown;
        m_engine.pskSetBrowser(shown);
    }
    if (shown) {
        m_refreshTimer.start();
        refresh();
    } else {
        m_refreshTimer.stop();
        m_w.displays->setSignalMarks({});
    }
}

void SignalBrowser::refresh()
{
    if (!m_flags.CardActive || !m_engineOn)
        return;
    m_signals = m_engine.pskGetBrowserSignals();
    showSignals();
}

void SignalBrowser::settingsChanged()
{
    showSignals();
}

void SignalBrowser::showSignals()
{
    m_w.list->setLines(browserLines(m_signals, m_settings.MyCall));
    std::vector<int> marksHz;
    marksHz.reserve(m_signals.size());
    for (const BrowserSignal &s : m_signals)
        marksHz.push_back(static_cast<int>(std::lround(s.freqHz)));
    m_w.displays->setSignalMarks(std::move(marksHz));
}
