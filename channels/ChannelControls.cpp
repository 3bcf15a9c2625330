#include "channels/ChannelControls.h"

#include "channels/ChannelWidgets.h"
#include "controls/TSpinEdit.h"
#include "controls/Tdbmeter.h"
#include "engine/EngineInterface.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

namespace {
// Receive steps keep the engine's normal capture range.
constexpr int kCaptureRangeHz = 10;

// The S-meter: 30 segments of 5 pixels (4 coloured, 1 black) for positions 0 to 100,
// all unlit segments dark green.
void applySMeterLook(Tdbmeter &meter)
{
    const QColor unlit(0, 128, 0);
    meter.resize(151, 13);
    meter.setBevelStyle(Tdbmeter::bvLowered);
    meter.setBevelWidth(1);
    meter.setGreens(15);
    meter.setGreenMax(50);
    meter.setYellows(12);
    meter.setYellowMax(30);
    meter.setReds(3);
    meter.setRedMax(20);
    meter.setGreenColor(QColor(0, 255, 0));
    meter.setYellowColor(QColor(255, 255, 0));
    meter.setRedColor(QColor(255, 0, 0));
    meter.setGreenBack(unlit);
    meter.setYellowBack(unlit);
    meter.setRedBack(unlit);
    meter.setShowJustOne(false);
    meter.setSepWidth(1);
    meter.setSepColor(Qt::black);
    meter.setStyle(Tdbmeter::dsHorizontal);
    meter.setDirection(Tdbmeter::ddRightDown);
    meter.setPosition(0);
}

} // namespace

ChannelControls::ChannelControls(EngineInterface &engine, const ChannelWidgets &widgets, int channel,
                                 QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_w(widgets)
    , m_rx(widgets.rx)
    , m_tx(widgets.tx)
    , m_channel(channel)
{
    // toggled and valueChanged fire for changes made from code too, and only
    // when the value really changes: loading the settings runs the handlers.
    connect(m_w.afc, &QCheckBox::toggled, this, &ChannelControls::AFCClick);
    connect(m_w.afcRange, &QSpinBox::valueChanged, this, &ChannelControls::AFCLimitChange);
    connect(m_rx, &TSpinEdit::DownClick, this, &ChannelControls::RXDownClick);
    connect(m_rx, &TSpinEdit::UpClick, this, &ChannelControls::RXUpClick);
    connect(m_tx, &TSpinEdit::DownClick, this, &ChannelControls::TXClick);
    connect(m_tx, &TSpinEdit::UpClick, this, &ChannelControls::TXClick);
    connect(m_w.squelchBar, &QSlider::valueChanged, this, &ChannelControls::SelectSquelch);
    m_w.afcRange->setEnabled(m_w.afc->isChecked());
    applySMeterLook(*m_w.meter);
}

void ChannelControls::AFCClick()
{
    m_w.afcRange->setEnabled(m_w.afc->isChecked());
    m_engine.fnSetAFCLimit(afcLimit(), m_channel);
}

void ChannelControls::AFCLimitChange()
{
    m_engine.fnSetAFCLimit(m_w.afcRange->value(), m_channel);
}

void ChannelControls::receiveStep(int deltaHz)
{
    // The engine is given f +- 1 unclamped on purpose; only the field clamps.
    const int32_t f = m_engine.fnGetRXFrequency(m_channel) + deltaHz;
    m_engine.fnSetRXFrequency(f, kCaptureRangeHz, m_channel);
    setReceiveField(f);
}

void ChannelControls::TXClick()
{
    m_engine.fnSetTXFrequency(transmitFrequency());
}

void ChannelControls::SelectSquelch()
{
    const int threshold = squelchThreshold();
    m_engine.fnSetSquelchThreshold(threshold, m_w.squelchSpeed->value(), m_channel);
    m_w.squelchLabel->setText(QCoreApplication::translate("Korvo", "Niveau de Squelch: ") + QString::number(threshold));
}

int ChannelControls::receiveFrequency() const
{
    return static_cast<int>(m_rx->value());
}

int ChannelControls::transmitFrequency() const
{
    return static_cast<int>(m_tx->value());
}

int ChannelControls::afcLimit() const
{
    return m_w.afc->isChecked() ? m_w.afcRange->value() : 0;
}

int ChannelControls::squelchThreshold() const
{
    return m_w.squelchBar->value();
}

bool ChannelControls::netOn() const
{
    return m_w.net->isChecked();
}

void ChannelControls::setReceiveField(int hz)
{
    m_rx->setValue(hz);
}

void ChannelControls::setTransmitField(int hz)
{
    m_tx->setValue(hz);
}

void ChannelControls::setLevel(int position)
{
    m_w.meter->setPosition(position);
}
