#pragma once

#include "channels/ChannelControls.h"
#include "channels/ChannelWidgets.h"

#include <QObject>
#include <array>
#include <memory>

class EngineInterface;
class QTabWidget;

// The two receive channels together: the current channel (the tab shown in
// `Canal`), the NET rule, the engine start push and the engine refresh.
class ReceiveChannels : public QObject
{
    Q_OBJECT
public:
    ReceiveChannels(EngineInterface &engine, QTabWidget *canal, const std::array<ChannelWidgets, 2> &widgets,
                    QObject *parent = nullptr);

    ChannelControls &channel(int index) { return *m_channels[static_cast<size_t>(index & 1)]; }

    // 0 or 1: the selected tab of `Canal`. Selecting works while `Canal` is disabled.
    int currentChannel() const;
    void setCurrentChannel(int index);

    // Before any transmission starts: with NET on, the current channel transmits on
    // its receive frequency; then the engine gets its transmit field.
    void applyNetRule();

    // The engine start push, in three steps that the connection sequence places
    // between its own calls: receive frequencies; AFC limits; squelch thresholds
    // (speed 1: a speed field reaches the engine only with its next threshold change).
    void pushReceiveFrequencies();
    void pushAFCLimits();
    void pushSquelchThresholds();

    // On every new-data notification: the S-meters, then the receive fields follow
    // the engine (AFC).
    void engineRefresh();

private:
    EngineInterface &m_engine;
    QTabWidget *m_canal;
    std::array<std::unique_ptr<ChannelControls>, 2> m_channels;
};
