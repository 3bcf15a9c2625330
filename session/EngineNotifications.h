#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

struct ConnectionFlags;
class Displays;
class EngineInterface;
class PanelStatusBar;
class QLabel;
class QPlainTextEdit;
class QTabWidget;
class ReceiveChannels;
class ReceiveTerminal;
class TLED;

// What the engine's notices reach: the displays, the channels and their panes, the
// read-outs and the receive look of the status bar.
struct NotificationTargets
{
    Displays *displays = nullptr;
    ReceiveChannels *channels = nullptr;
    std::array<ReceiveTerminal *, 2> terminals{};   // the receive panes of channels 0 and 1
    QPlainTextEdit *TxBuf = nullptr;                // the transmit pane, kept short as well
    QTabWidget *Monitor = nullptr;                  // its shown tab decides between raw samples and FFT
    std::array<QLabel *, 2> imd{};                  // IMDOne, IMDTwo
    std::array<QLabel *, 2> ppm{};                  // PPMOne, PPMTwo
    PanelStatusBar *StatusBar = nullptr;
    TLED *TXLed = nullptr;
    TLED *RXLed = nullptr;
    // The status notice (icon, message), status bar repainted.
    std::function<void(int icon, const QString &message)> setStatusNotice;
};

// The handlers of the engine's data, character, IMD/noise and clock-error messages
// (0x7E8, 0x7E9, 0x7EB, 0x7EC).
class EngineNotifications : public QObject
{
    Q_OBJECT
public:
    EngineNotifications(EngineInterface &engine, const ConnectionFlags &flags, NotificationTargets targets,
                        QObject *parent = nullptr);

    // Handles one of the four messages; false for any other message number.
    bool dispatch(int32_t message, int32_t wParam, int32_t lParam);

    void NewData();
    void CharReceived(int32_t wParam, int32_t lParam);
    void ImdOrNoise(int32_t wParam, int32_t lParam);
    void ClockError(int32_t wParam, int32_t lParam);

    // The result of the latest FFT fetch: the input saturates.
    bool Overload() const { return m_overload; }

private:
    void fetchSpectrum();

    EngineInterface &m_engine;
    const ConnectionFlags &m_flags;
    NotificationTargets m_t;
    bool m_overload = false;
};
