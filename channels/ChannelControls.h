#pragma once

#include <QObject>

class EngineInterface;
class TSpinEdit;
struct ChannelWidgets;

// The handlers of one receive channel's controls (frequencies, AFC, squelch).
// One instance per channel; `channel` is the engine's index, 0 or 1.
class ChannelControls : public QObject
{
    Q_OBJECT
public:
    ChannelControls(EngineInterface &engine, const ChannelWidgets &widgets, int channel,
                    QObject *parent = nullptr);

    int channel() const { return m_channel; }

    // AFCOneClick / AFCTwoClick: runs whenever the box changes, also from code.
    void AFCClick();
    // AFCOneLimitChange / AFCTwoLimitChange.
    void AFCLimitChange();
    // RXOneDownClick / RXOneUpClick: one hertz from the engine's own frequency.
    void RXDownClick() { receiveStep(-1); }
    void RXUpClick() { receiveStep(+1); }
    // TXOneClick / TXTwoClick.
    void TXClick();
    // SelectSquelchOne / SelectSquelchTwo.
    void SelectSquelch();

    // Values as given to the engine: the fields truncated to whole numbers.
    int receiveFrequency() const;
    int transmitFrequency() const;
    // The AFC limit the engine should hold: the width while AFC is on, else 0.
    int afcLimit() const;
    int squelchThreshold() const;
    bool netOn() const;

    void setReceiveField(int hz);
    void setTransmitField(int hz);
    void setLevel(int position);

private:
    void receiveStep(int deltaHz);

    EngineInterface &m_engine;
    const ChannelWidgets &m_w;
    TSpinEdit *m_rx;
    TSpinEdit *m_tx;
    int m_channel;
};
