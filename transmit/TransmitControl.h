#pragma once

#include <QDateTime>
#include <QLocale>
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

struct ConnectionFlags;
class EngineInterface;
class ImageList;
class PanelStatusBar;
class QPlainTextEdit;
class QTabWidget;
class QToolButton;
class TLED;
struct TSettings;

// The main-window controls transmit control acts on, and the services of other
// subsystems it calls (status notice, NET rule).
struct TransmitWidgets
{
    QToolButton *TxBtn = nullptr;
    QToolButton *TuneBtn = nullptr;
    QToolButton *CWIDBtn = nullptr;
    QToolButton *RewindBtn = nullptr;
    QPlainTextEdit *TxBuf = nullptr;
    QTabWidget *Canal = nullptr;                    // its selected tab is the current channel
    std::array<QPlainTextEdit *, 2> terms{};        // TermOne, TermTwo
    TLED *TXLed = nullptr;
    TLED *RXLed = nullptr;
    PanelStatusBar *StatusBar = nullptr;            // panel 2 is the activity panel
    const ImageList *Images = nullptr;
    // The status notice (icon, message), status bar repainted.
    std::function<void(int icon, const QString &message)> setStatusNotice;
    // The NET rule for the current channel: NET checked copies the receive field into
    // the transmit field, then the engine gets the transmit frequency.
    std::function<void()> applyNetRule;
    // Drops the macro or pasted text not yet typed into the transmit pane.
    std::function<void()> dropUndelivered;
};

// Keys and unkeys the engine's transmitter for the operator: the transmit, tune, CW
// identification and replay buttons, and the engine's transmit-status reports
// (message 0x7EA), which alone set and clear Transmitting.
class TransmitControl : public QObject
{
    Q_OBJECT
public:
    TransmitControl(EngineInterface &engine, ConnectionFlags &flags, const TSettings &settings,
                    TransmitWidgets widgets, QObject *parent = nullptr);

    // The clock and locale of the stamps (tests fix them).
    void setClock(std::function<QDateTime()> localNow) { m_localNow = std::move(localNow); }
    void setLocale(const QLocale &locale) { m_locale = locale; }

    void TxBtnClick();
    void TuneBtnClick();
    void CWIDBtnClick();
    void RewindBtnClick();
    // Handler of message 0x7EA; code is its wParam.
    void TxStatus(int32_t code);

    // A macro's \t: the start of TxBtnClick without moving the keyboard focus.
    void startFromMacro();

    // TxBtn's idle look: icon 3, hint "Emettre" (also used by the disconnection).
    void showTxIdle();

    // No playback device stands behind the engine: each transmission says it goes nowhere.
    void setOutputNowhere(bool nowhere) { m_outputNowhere = nowhere; }

private:
    enum class LookTiming { AfterStart, BeforeStart };
    void startTransmitter(LookTiming timing);
    void showTxRequested();
    void showTxActive();
    void addStamp(bool start);

    EngineInterface &m_engine;
    ConnectionFlags &m_flags;
    const TSettings &m_settings;
    TransmitWidgets m_w;
    std::function<QDateTime()> m_localNow;
    QLocale m_locale;
    bool m_outputNowhere = false;
};
