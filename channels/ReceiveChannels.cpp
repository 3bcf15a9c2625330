#include "channels/ReceiveChannels.h"

#include "channels/ChannelWidgets.h"
#include "engine/EngineInterface.h"

#include <QTabWidget>

namespace {
constexpr int kStartCaptureRangeHz = 10;
constexpr int kStartSquelchSpeed = 1;
}

ReceiveChannels::ReceiveChannels(EngineInterface &engine, QTabWidget *canal,
                                 const std::array<ChannelWidgets, 2> &widgets, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_canal(canal)
{
    for (int i = 0; i < 2; ++i)
        m_channels[static_cast<size_t>(i)] = std::make_unique<ChannelControls>(engine, widgets[static_cast<size_t>(i)], i);
}

int ReceiveChannels::currentChannel() const
{
    return m_canal->currentIndex() == 1 ? 1 : 0;
}

void ReceiveChannels::setCurrentChannel(int index)
{
    m_canal->setCurrentIndex(index);
}

void ReceiveChannels::applyNetRule()
{
    ChannelControls &c = channel(currentChannel());
    if (c.netOn())
        c.setTransmitField(c.receiveFrequency());
    m_engine.fnSetTXFrequency(c.transmitFrequency());
}

void ReceiveChannels::pushReceiveFrequencies()
{
    for (const auto &c : m_channels)
        m_engine.fnSetRXFrequency(c->receiveFrequency(), kStartCaptureRangeHz, c->channel());
}

void ReceiveChannels::pushAFCLimits()
{
    for (const auto &c : m_channels)
        m_engine.fnSetAFCLimit(c->afcLimit(), c->channel());
}

void ReceiveChannels::pushSquelchThresholds()
{
    for (const auto &c : m_channels)
        m_engine.fnSetSquelchThreshold(c->squelchThreshold(), kStartSquelchSpeed, c->channel());
}

void ReceiveChannels::engineRefresh()
{
    for (const auto &c : m_channels)
        c->setLevel(m_engine.fnGetSignalLevel(c->channel()));
    for (const auto &c : m_channels)
        c->setReceiveField(m_engine.fnGetRXFrequency(c->channel()));
}
