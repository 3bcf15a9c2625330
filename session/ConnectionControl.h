#pragma once

#include <QObject>
#include <array>
#include <functional>

struct ConnectionFlags;
class Displays;
class EngineInterface;
class ImageList;
class PanelStatusBar;
class QPushButton;
class QTabWidget;
class QToolButton;
class ReceiveChannels;
class TLED;
struct TSettings;

// The main-window controls the connection switches, and the subsystems it starts and stops.
struct ConnectionWidgets
{
    QObject *window = nullptr;                      // where the engine posts its messages
    QToolButton *OnBtn = nullptr;
    QToolButton *TxBtn = nullptr;
    QToolButton *TuneBtn = nullptr;
    QToolButton *CWIDBtn = nullptr;
    QToolButton *RewindBtn = nullptr;
    QToolButton *LeftBtn = nullptr;
    QToolButton *RightBtn = nullptr;
    QTabWidget *Canal = nullptr;
    TLED *LEDOne = nullptr;                         // the sound card's indicator
    TLED *RXLed = nullptr;
    TLED *TXLed = nullptr;
    PanelStatusBar *StatusBar = nullptr;            // panel 2 is the activity panel
    std::array<QPushButton *, 20> macroButtons{};
    const ImageList *Images = nullptr;
    Displays *displays = nullptr;
    ReceiveChannels *channels = nullptr;
    std::function<void()> repaintStatusBar;
    // The message of a start failure about the chosen sound devices, naming them; empty otherwise.
    std::function<QString(int32_t)> deviceFailureText;
};

// OnBtn: connects the sound card and gives the engine every receive setting, or ends
// any transmission and stops the engine; in both directions it switches the controls
// that need a running engine.
class ConnectionControl : public QObject
{
    Q_OBJECT
public:
    ConnectionControl(EngineInterface &engine, ConnectionFlags &flags, const TSettings &settings,
                      ConnectionWidgets widgets, QObject *parent = nullptr);

    // The click handler of OnBtn: inverts CardActive and follows the new value.
    void OnBtnClick();

private:
    void connectCard();
    void disconnectCard();
    void showDisconnected();
    void pushReceiveSettings();
    void setEngineControlsEnabled(bool enabled);

    EngineInterface &m_engine;
    ConnectionFlags &m_flags;
    const TSettings &m_settings;
    ConnectionWidgets m_w;
    bool m_disconnecting = false;
};
