#pragma once

#include "channels/ChannelWidgets.h"
#include "ground/Images.h"
#include "config/SettingsBatches.h"
#include "config/StationSettings.h"
#include "config/TSettings.h"
#include "controls/TSpinEdit.h"
#include "engine/ConnectionFlags.h"

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <memory>

class EngineInterface;
class InfoPanel;
class PanelStatusBar;
class QCheckBox;
class QDoubleSpinBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QSplitter;
class QSplitterHandle;
class SettingsStore;
class Tdbmeter;
class Displays;
class ConnectionControl;
struct ConnectionWidgets;
struct DisplayWidgets;
struct NotificationTargets;
class ConfigCommand;
class LogbookLink;
class QsoLogger;
class PaneLook;
class TWAVPlayer;
class MacroControl;
class TransmitBuffer;
class TransmitControl;
class EngineNotifications;
class ReceiveChannels;
class ReceiveTerminal;
class TLEDLabel;
class BrowserList;
class QAction;
class QDockWidget;
class SignalBrowser;
class StationLink;
class StripHandle;
class TPaintBox;
class QTabWidget;
class QTimer;
class QToolButton;
class QVBoxLayout;

// The main window: every named control, the lasting state of the program and the
// wiring between the engine and the subsystems.
class TPSKForm : public QMainWindow
{
    Q_OBJECT
public:
    // settingsPath: the store's file; empty for the operator's own (~/.config/korvo/korvo.ini).
    explicit TPSKForm(EngineInterface &engine, const QString &settingsPath = QString(),
                      QWidget *parent = nullptr);
    ~TPSKForm() override;

    // The close handler: stops the engine and saves. Reached by closing the window.
    void ClosePSK();
    void ResizeForm();

    // Status bar (panel 3 notice, panel 4 connection icon).
    void TimerTimer();
    void StatusMouseMove(int x);
    void PanelMove(int x);
    void setStatusNotice(int icon, const QString &message);
    void repaintStatusBar();

    void RxAdjMenuClick();
    void TxAdjMenuClick();
    void AboutBtnClick();
    void HelpBtnClick();
    void ExitBtnClick();

    // Lights the "Port COM" indicator and its hint from TSettings.PTTControl and ComPort.
    void updatePortIndicator();
    // The replay button's hint from TSettings.Blocks.
    void updateReplayHint();
    // What stands in for the sound card (note empty: the sound card itself), shown in the
    // caption and the "Carte son" indicator for the life of the window; outputNowhere: a
    // transmission plays on no device, which the transmit status then says.
    void showAudioStandIn(const QString &note, bool outputNowhere);

    EngineInterface &engine;
    TSettings Settings;
    // The "Station" tab's settings: the ADIF file, the locator, the UDP messages.
    StationSettings Station;
    ConnectionFlags flags;
    // Open for the life of the window.
    std::unique_ptr<SettingsStore> store;

    // Receive path: the channels' handlers, the two receive panes, the engine's notices.
    std::unique_ptr<ReceiveChannels> receiveChannels;
    std::array<std::unique_ptr<ReceiveTerminal>, 2> receiveTerminals;
    std::unique_ptr<EngineNotifications> notifications;
    // Waterfall, spectrum, signal, synchro and vector displays; click-to-tune; band shifts.
    std::unique_ptr<Displays> displays;
    // OnBtn: connecting and disconnecting the sound card.
    std::unique_ptr<ConnectionControl> connection;
    // CfgBtn: the configuration dialog and what it hands to the engine.
    std::unique_ptr<ConfigCommand> configCommand;
    // The panes' "Couleur" and "Police" commands and their stored look.
    std::unique_ptr<PaneLook> paneLook;
    // The QSO's time on, the ADIF file and the UDP messages.
    std::unique_ptr<QsoLogger> qsoLogger;
    // The QSO box's buttons and the Talmer logbook.
    std::unique_ptr<LogbookLink> logbook;
    // TxBtn, TuneBtn, CWIDBtn, RewindBtn and the transmit-status reports (0x7EA).
    std::unique_ptr<TransmitControl> transmit;
    // The transmit pane's key handler and pop-up menu.
    std::unique_ptr<TransmitBuffer> transmitBuffer;
    // The macro table, its buttons M1-M20, MacroBtn's editor and the macro launch.
    std::unique_ptr<MacroControl> macros;
    // The "Navigateur" dock: every signal of the band, polled from the engine.
    std::unique_ptr<SignalBrowser> browser;
    TWAVPlayer *WAVPlayer = nullptr;
    // The keying method, the rig and its dial read-out, the transmit time limit.
    std::unique_ptr<StationLink> stationLink;

    int StatusIcon = Image::Information;
    QString StatusMessage;

    ImageList Images;

    // Tool bar, docked left.
    QFrame *CoolBar = nullptr;
    QWidget *ToolBar = nullptr;
    QToolButton *OnBtn = nullptr;
    QToolButton *TxBtn = nullptr;
    QToolButton *TuneBtn = nullptr;
    QToolButton *CWIDBtn = nullptr;
    QToolButton *RewindBtn = nullptr;
    QToolButton *MacroBtn = nullptr;
    QToolButton *RxAdjustBtn = nullptr;
    QToolButton *TXAdjustBtn = nullptr;
    QToolButton *BrowserBtn = nullptr;    // shows or hides the browser dock
    QAction *BrowserAction = nullptr;     // BrowserBtn's switch, checked while the dock is shown
    QToolButton *TalmerBtn = nullptr;
    QToolButton *CfgBtn = nullptr;
    QToolButton *AboutBtn = nullptr;
    QToolButton *HelpBtn = nullptr;
    QToolButton *ExitBtn = nullptr;

    // Terminal page.
    QTabWidget *PageControl = nullptr;
    QWidget *TabTerm = nullptr;
    QSplitter *TermSplitter = nullptr;
    QPlainTextEdit *TermOne = nullptr;
    QPlainTextEdit *TermTwo = nullptr;
    QPlainTextEdit *TxBuf = nullptr;
    QSplitterHandle *Splitter2 = nullptr;   // between TermOne and TermTwo
    QSplitterHandle *Splitter1 = nullptr;   // between TermTwo and TxBuf

    // Displays.
    QTabWidget *Monitor = nullptr;
    QFrame *WaterfallPanel = nullptr;
    TPaintBox *AmpliDisplay = nullptr;
    TPaintBox *WaterfallDisplay = nullptr;
    QLabel *CN1 = nullptr;
    QLabel *CN2 = nullptr;
    QFrame *SpectrumPanel = nullptr;
    TPaintBox *SpectrumDisplay = nullptr;
    QLabel *SP1 = nullptr;
    QLabel *SP2 = nullptr;
    TPaintBox *SignalDisplay = nullptr;
    QFrame *VisuPanel = nullptr;
    TPaintBox *VECDisplay = nullptr;
    TPaintBox *SyncDisplay = nullptr;
    QToolButton *LeftBtn = nullptr;
    QToolButton *RightBtn = nullptr;
    // The boundary between the terminal page and the display strip, dragged to give the
    // displays more height.
    StripHandle *DisplayStripHandle = nullptr;

    // QSO box.
    QGroupBox *QSOBox = nullptr;
    QLineEdit *HisCall = nullptr;
    QLineEdit *HisName = nullptr;
    QLineEdit *HisRep = nullptr;
    QToolButton *ClearBtn = nullptr;
    QToolButton *SendBtn = nullptr;
    QToolButton *LogBtn = nullptr;   // "Enregistrer le QSO", also Ctrl+L

    // Macro buttons.
    QTabWidget *MacroPage = nullptr;
    QPushButton *M1 = nullptr, *M2 = nullptr, *M3 = nullptr, *M4 = nullptr, *M5 = nullptr;
    QPushButton *M6 = nullptr, *M7 = nullptr, *M8 = nullptr, *M9 = nullptr, *M10 = nullptr;
    QPushButton *M11 = nullptr, *M12 = nullptr, *M13 = nullptr, *M14 = nullptr, *M15 = nullptr;
    QPushButton *M16 = nullptr, *M17 = nullptr, *M18 = nullptr, *M19 = nullptr, *M20 = nullptr;
    std::array<QPushButton *, 20> macroButtons{};

    // Channel tabs.
    QTabWidget *Canal = nullptr;
    // The named twins below (RXOne, RXTwo, ...) point at the same widgets.
    std::array<ChannelWidgets, 2> channels{};
    Tdbmeter *SMOne = nullptr;
    Tdbmeter *SMTwo = nullptr;
    QLabel *SQLbl1 = nullptr;
    QLabel *SQLbl2 = nullptr;
    QSlider *SQOneBar = nullptr;
    QSlider *SQTwoBar = nullptr;
    QSpinBox *SQSpOne = nullptr;
    QSpinBox *SQSpTwo = nullptr;
    TSpinEdit *RXOne = nullptr;
    TSpinEdit *RXTwo = nullptr;
    TSpinEdit *TXOne = nullptr;
    TSpinEdit *TXTwo = nullptr;
    QCheckBox *AFCOne = nullptr;
    QCheckBox *AFCTwo = nullptr;
    QSpinBox *AFCOneRg = nullptr;
    QSpinBox *AFCTwoRg = nullptr;
    QCheckBox *NETOne = nullptr;
    QCheckBox *NETTwo = nullptr;
    QLabel *PPMOne = nullptr;
    QLabel *PPMTwo = nullptr;
    QLabel *IMDOne = nullptr;
    QLabel *IMDTwo = nullptr;

    // The signal browser, docked beside the panes (right by default) or floating.
    QDockWidget *BrowserDock = nullptr;
    BrowserList *Browser = nullptr;

    // Information strip and status bar, docked at the bottom.
    InfoPanel *Infopanel = nullptr;
    TLEDLabel *LEDOne = nullptr;
    TLEDLabel *LEDTwo = nullptr;
    TLEDLabel *QuenLed = nullptr;
    TLEDLabel *RXLed = nullptr;
    TLEDLabel *TXLed = nullptr;
    QLabel *RigReadout = nullptr;   // the rig's dial and mode, after the indicators
    PanelStatusBar *StatusBar = nullptr;

    QTimer *Timer = nullptr;

protected:
    bool event(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    // The area the design layout fills: the central widget's once it is laid out (the
    // docked browser takes the rest), the window's before.
    QSize clientSize() const;

    // The creation handler: restores the settings and prepares the window.
    void FormCreate();
    void applyStartupValues(const StartupStoreValues &values);

    void buildToolBar(QWidget *client);
    void buildTerminal(QWidget *client);
    void buildMonitor(QWidget *client);
    void buildQSOBox(QWidget *client);
    void buildMacroPage(QWidget *client);
    void buildCanal(QWidget *client);
    ChannelWidgets buildChannelPage(int channel);
    void buildBottomBars(QWidget *client);
    void buildBrowserDock();
    void attachBrowser();
    // Shows or hides the browser dock. The panes keep their width: once the window is on
    // screen, it grows or shrinks by what the docked browser takes from their side.
    void showBrowserDock(bool shown);
    void bindNamedChannelControls();
    // What each subsystem is handed of the window.
    DisplayWidgets displayWidgets() const;
    NotificationTargets notificationTargets();
    ConnectionWidgets connectionWidgets();
    void connectToolBar();
    void attachLogbook();

    void StatusBarDrawPanel(class QPainter &painter, int panel, const QRect &rect);
    void applyTerminalSplit();
    void placeIndicators();
    void placeChannels();
    void updateCaption();

    void handleEngineMessage(int32_t message, int32_t wParam, int32_t lParam);

    // Steps of start-up that belong to their own subsystems.
    void loadMacros();
    void applyPaneLook(const std::array<PaneStartupValues, 3> &panes);
    // The station settings to the engine and to the alert sounds.
    void applyStation();
    void playStartupSound();
    void resetWaterfallHistory();

    struct IndicatorPlace
    {
        TLEDLabel *led = nullptr;
        QRect design;
    };
    // LEDOne, LEDTwo, QuenLed, RXLed, TXLed.
    std::array<IndicatorPlace, 5> m_indicatorPlaces{};
    QString m_settingsPath;
    QString m_standInNote;
    std::array<int, 2> m_termHeights{100, 100};
    // The display strip's extra height over its design: as asked, as shown, at the drag's start.
    int m_stripExtraAsked = 0;
    int m_stripExtraShown = 0;
    int m_stripExtraAtPress = 0;
    bool m_placed = false;
    // The window's layout has given the central widget its size (its first resize event).
    bool m_centralPlaced = false;
    bool m_closed = false;
};
