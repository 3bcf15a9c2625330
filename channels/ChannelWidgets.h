#pragma once

class QCheckBox;
class QGroupBox;
class QLabel;
class QSlider;
class QSpinBox;
class QWidget;
class TSpinEdit;
class Tdbmeter;

// The controls of one receive channel; index 0 is "Canal 1", 1 is "Canal 2".
struct ChannelWidgets
{
    QWidget *page = nullptr;
    QGroupBox *meterGroup = nullptr;
    QGroupBox *freqGroup = nullptr;
    Tdbmeter *meter = nullptr;
    QLabel *squelchLabel = nullptr;
    QSlider *squelchBar = nullptr;
    QSpinBox *squelchSpeed = nullptr;
    TSpinEdit *rx = nullptr;
    TSpinEdit *tx = nullptr;
    QCheckBox *afc = nullptr;
    QSpinBox *afcRange = nullptr;
    QCheckBox *net = nullptr;
    QLabel *ppm = nullptr;
    QLabel *imd = nullptr;
};
