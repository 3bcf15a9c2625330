#include "app/TPSKForm.h"

#include "app/WindowBounds.h"

#include "ground/DataFolders.h"
#include "ground/Dialogs.h"
#include "app/FKeyShortcuts.h"
#include "ground/InfoPanel.h"
#include "app/MainWindowMetrics.h"
#include "app/ResizeForm.h"
#include "app/StartupTexts.h"
#include "app/StripHandle.h"
#include "ground/StatusBar.h"
#include "app/StatusClock.h"
#include "app/ToolCommands.h"
#include "config/ConfigCommand.h"
#include "config/DateFormats.h"
#include "config/PaneLook.h"
#include "controls/TWAVPlayer.h"
#include "forms/TAboutForm.h"
#include "logbook/LogbookLink.h"
#include "logbook/QsoLogger.h"
#include "displays/Displays.h"
#include "session/ConnectionControl.h"
#include "config/SettingsStore.h"
#include "channels/ReceiveChannels.h"
#include "channels/ReceiveTerminal.h"
#include "controls/TLEDLabel.h"
#include "controls/TSpinEdit.h"
#include "controls/Tdbmeter.h"
#include "engine/EngineInterface.h"
#include "engine/EngineMessage.h"
#include "session/EngineNotifications.h"
#include "session/StationLink.h"
#include "macros/MacroControl.h"
#include "transmit/TransmitBuffer.h"
#include "transmit/TransmitControl.h"
#include "app/TransmitWiring.h"
#include "browser/BrowserList.h"
#include "browser/BrowserSettings.h"
#include "browser/SignalBrowser.h"

#include <QAction>
#include <QCoreApplication>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {
constexpr int kTimerIntervalMs = 15000;
constexpr int kCreditMouseX = 600;
const QString kEngineCredit = QStringLiteral("Moteur PSK31 pskcore.dll version 1.7  ");
const QString kSoundCardLedCaption = QCoreApplication::translate("Korvo", "Carte son");
const QString kStandInLedCaption = QStringLiteral("Simulation");
}

TPSKForm::TPSKForm(EngineInterface &engine, const QString &settingsPath, QWidget *parent)
    : QMainWindow(parent),
      engine(engine),
      m_settingsPath(settingsPath.isEmpty() ? SettingsStore::defaultPath() : settingsPath)
{
    StatusMessage = kWebPageAddress;

    // The layout is drawn for an 11-pixel sans serif of Arial's width.
    QFont windowFont = font();
    windowFont.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                            QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")});
    windowFont.setPixelSize(11);
    setFont(windowFont);

    auto *client = new QWidget(this);
    setCentralWidget(client);
    buildToolBar(client);
    buildTerminal(client);
    buildMonitor(client);
    buildQSOBox(client);
    buildMacroPage(client);
    buildCanal(client);
    buildBottomBars(client);
    buildBrowserDock();
    DisplayStripHandle = new StripHandle(client);
    connect(DisplayStripHandle, &StripHandle::dragStarted, this, [this] { m_stripExtraAtPress = m_stripExtraShown; });
    connect(DisplayStripHandle, &StripHandle::dragged, this, [this](int dyPixels) {
        m_stripExtraAsked = m_stripExtraAtPress - dyPixels;
        ResizeForm();
    });
    LeftBtn->raise();
    RightBtn->raise();
    TermSplitter->installEventFilter(this);
    client->installEventFilter(this);

    StatusBar->setDrawPanel([this](QPainter &painter, int panel, const QRect &rect) {
        StatusBarDrawPanel(painter, panel, rect);
    });
    connect(StatusBar, &PanelStatusBar::mouseMoved, this, &TPSKForm::StatusMouseMove);
    connect(Infopanel, &InfoPanel::mouseMoved, this, &TPSKForm::PanelMove);
    connectToolBar();
    // Before FormCreate: the stored channel values run the channels' handlers.
    receiveChannels = std::make_unique<ReceiveChannels>(engine, Canal, channels);
    receiveTerminals[0] = std::make_unique<ReceiveTerminal>(TermOne, 0, *receiveChannels, HisCall, Images);
    receiveTerminals[1] = std::make_unique<ReceiveTerminal>(TermTwo, 1, *receiveChannels, HisCall, Images);
    displays = std::make_unique<Displays>(engine, flags, Settings, displayWidgets());
    notifications = std::make_unique<EngineNotifications>(engine, flags, notificationTargets());
    connection = std::make_unique<ConnectionControl>(engine, flags, Settings, connectionWidgets());
    connect(OnBtn, &QToolButton::clicked, connection.get(), &ConnectionControl::OnBtnClick);
    configCommand = std::make_unique<ConfigCommand>(
        Settings, engine, [this]() -> SettingsStore & { return *store; }, this,
        ConfigWindowHooks{[this] {
                              updateCaption();
                              browser->settingsChanged();
                          },
                          [this] { displays->applyShiftRule(); },
                          [this] { updatePortIndicator(); }, [this] { updateReplayHint(); }},
        &Station);
    stationLink = std::make_unique<StationLink>(engine, Station, RigReadout);
    connect(CfgBtn, &QToolButton::clicked, this, [this] {
        configCommand->CfgBtnClick();
        applyStation();
    });
    paneLook = std::make_unique<PaneLook>(std::array<QPlainTextEdit *, 3>{TermOne, TermTwo, TxBuf},
                                          [this]() -> SettingsStore & { return *store; });
    for (int i = 0; i < 2; ++i)
        paneLook->bindMenu(i, receiveTerminals[i]->colorAction, receiveTerminals[i]->fontAction);
    attachLogbook();
    attachTransmitAndMacros(*this);
    attachBrowser();
    WAVPlayer = new TWAVPlayer(this);

    Timer = new QTimer(this);
    Timer->setInterval(kTimerIntervalMs);
    connect(Timer, &QTimer::timeout, this, &TPSKForm::TimerTimer);
    Timer->start();

    resize(638, 419);
    FormCreate();
}

TPSKForm::~TPSKForm()
{
    // The engine must not post to a window that no longer exists.
    if (flags.CardActive)
        engine.fnStopSoundCard();
}

DisplayWidgets TPSKForm::displayWidgets() const
{
    DisplayWidgets w;
    w.Monitor = Monitor;
    w.WaterfallDisplay = WaterfallDisplay;
    w.AmpliDisplay = AmpliDisplay;
    w.SpectrumDisplay = SpectrumDisplay;
    w.SignalDisplay = SignalDisplay;
    w.SyncDisplay = SyncDisplay;
    w.VECDisplay = VECDisplay;
    w.waterfallLabels = {CN1, CN2};
    w.spectrumLabels = {SP1, SP2};
    w.LeftBtn = LeftBtn;
    w.RightBtn = RightBtn;
    w.Canal = Canal;
    w.channels = channels;
    w.StatusBar = StatusBar;
    return w;
}

NotificationTargets TPSKForm::notificationTargets()
{
    NotificationTargets t;
    t.displays = displays.get();
    t.channels = receiveChannels.get();
    t.terminals = {receiveTerminals[0].get(), receiveTerminals[1].get()};
    t.TxBuf = TxBuf;
    t.Monitor = Monitor;
    t.imd = {IMDOne, IMDTwo};
    t.ppm = {PPMOne, PPMTwo};
    t.StatusBar = StatusBar;
    t.TXLed = TXLed;
    t.RXLed = RXLed;
    t.setStatusNotice = [this](int icon, const QString &message) { setStatusNotice(icon, message); };
    return t;
}

ConnectionWidgets TPSKForm::connectionWidgets()
{
    ConnectionWidgets w;
    w.window = this;
    w.OnBtn = OnBtn;
    w.TxBtn = TxBtn;
    w.TuneBtn = TuneBtn;
    w.CWIDBtn = CWIDBtn;
    w.RewindBtn = RewindBtn;
    w.LeftBtn = LeftBtn;
    w.RightBtn = RightBtn;
    w.Canal = Canal;
    w.LEDOne = LEDOne;
    w.RXLed = RXLed;
    w.TXLed = TXLed;
    w.StatusBar = StatusBar;
    w.macroButtons = macroButtons;
    w.Images = &Images;
    w.displays = displays.get();
    w.channels = receiveChannels.get();
    w.repaintStatusBar = [this] { repaintStatusBar(); };
    w.deviceFailureText = [this](int32_t code) { return stationLink->deviceFailureText(code); };
    return w;
}

void TPSKForm::attachLogbook()
{
    QsoLogger::Sources sources;
    sources.settings = &Settings;
    sources.station = &Station;
    sources.rigDial = [this] { return stationLink->dial(); };
    sources.audioHz = [this] {
        return static_cast<int>(channels[static_cast<size_t>(receiveChannels->currentChannel())].rx->value());
    };
    sources.notice = [this](int icon, const QString &text) { setStatusNotice(icon, text); };
    qsoLogger = std::make_unique<QsoLogger>(QsoLogger::Fields{HisCall, HisName, HisRep}, std::move(sources));
    logbook = std::make_unique<LogbookLink>(LogbookLink::Controls{
        HisCall, HisName, HisRep, ClearBtn, SendBtn, TalmerBtn, QuenLed, &Images, LogBtn, qsoLogger.get()});
}

void TPSKForm::attachBrowser()
{
    browser = std::make_unique<SignalBrowser>(engine, flags, Settings, BrowserWidgets{Browser, displays.get()});
    connect(BrowserAction, &QAction::toggled, this, &TPSKForm::showBrowserDock);
    connect(BrowserAction, &QAction::toggled, browser.get(), &SignalBrowser::setShown);
}

// At start-up the stored window size already holds the dock.
void TPSKForm::showBrowserDock(bool shown)
{
    const QSize before = centralWidget()->size();
    BrowserDock->setVisible(shown);
    if (!isVisible() || isMaximized() || isFullScreen() || BrowserDock->isFloating())
        return;
    layout()->activate();
    const QSize after = centralWidget()->size();
    const Qt::DockWidgetArea area = dockWidgetArea(BrowserDock);
    const bool beside = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
    if (beside)
        resize(width() + before.width() - after.width(), height());
    else
        resize(width(), height() + before.height() - after.height());
}

void TPSKForm::connectToolBar()
{
    connect(RxAdjustBtn, &QToolButton::clicked, this, &TPSKForm::RxAdjMenuClick);
    connect(TXAdjustBtn, &QToolButton::clicked, this, &TPSKForm::TxAdjMenuClick);
    connect(AboutBtn, &QToolButton::clicked, this, &TPSKForm::AboutBtnClick);
    connect(HelpBtn, &QToolButton::clicked, this, &TPSKForm::HelpBtnClick);
    connect(ExitBtn, &QToolButton::clicked, this, &TPSKForm::ExitBtnClick);
}

void TPSKForm::FormCreate()
{
    std::array<QAbstractButton *, 20> shortcutTargets{};
    std::copy(macroButtons.begin(), macroButtons.end(), shortcutTargets.begin());
    qApp->installEventFilter(new FKeyShortcuts(shortcutTargets, this));

    store = std::make_unique<SettingsStore>(m_settingsPath);
    applyStartupValues(loadStartupSettings(*store));
    const BrowserStoreValues browserStored = readBrowserSettings(*store);
    if (!browserStored.place.isEmpty())
        restoreState(browserStored.place);
    BrowserDock->setVisible(browserStored.visible);
    BrowserAction->setChecked(browserStored.visible);

    Settings.DatePattern = datePatternFor(Settings.DateFormat);
    PageControl->setCurrentWidget(TabTerm);
    placeChannels();

    if (!engine.fnSetComPort(Settings.ComPort, Settings.PTTControl))
        showFailure(QCoreApplication::translate("Korvo", "Erreur en sélectionnant le port COM"));
    Infopanel->setCaption(engineVersionCaption(engine.fnGetDLLVersion()));
    applyStation();
    flags.CardActive = false;

    loadMacros();
    updateReplayHint();
    logbook->showButtonIfInstalled();
    qsoLogger->start();
    if (!findDataFile(kHelpFileName).isEmpty())
        HelpBtn->setEnabled(true);
    playStartupSound();
}

void TPSKForm::applyStartupValues(const StartupStoreValues &values)
{
    Settings = values.settings;
    Station = values.station;
    updateCaption();

    // In the order of the store: each value for both channels before the next value,
    // so the change handlers reach the engine in that order.
    for (size_t i = 0; i < 2; ++i)
        if (values.channels[i].AFCOk)
            channels[i].afc->setChecked(*values.channels[i].AFCOk);
    for (size_t i = 0; i < 2; ++i)
        if (values.channels[i].AFCRange)
            channels[i].afcRange->setValue(*values.channels[i].AFCRange);
    for (size_t i = 0; i < 2; ++i)
        if (values.channels[i].NetOk)
            channels[i].net->setChecked(*values.channels[i].NetOk);
    for (size_t i = 0; i < 2; ++i)
        if (values.channels[i].Sq)
            channels[i].squelchBar->setValue(*values.channels[i].Sq);
    for (size_t i = 0; i < 2; ++i)
        if (values.channels[i].SqSp)
            channels[i].squelchSpeed->setValue(*values.channels[i].SqSp);

    const WindowStartupValues &w = values.window;
    if (w.WindowState.value_or(false)) {
        setWindowState(windowState() | Qt::WindowMaximized);
    } else {
        if (w.Left)
            move(*w.Left, y());
        if (w.Top)
            move(x(), *w.Top);
        const QScreen *s = screen();
        const QSize available = s ? s->availableGeometry().size() : QSize(kDefaultWindowWidthPx, kDefaultWindowHeightPx);
        if (w.Height)
            resize(width(), storedWindowSide(*w.Height, kDefaultWindowHeightPx, available.height()));
        if (w.Width)
            resize(storedWindowSide(*w.Width, kDefaultWindowWidthPx, available.width()), height());
    }

    if (w.MonitorHeight) {
        m_stripExtraAsked = std::max(0, *w.MonitorHeight - kMonitorDesignHeight);
        ResizeForm();
    }

    applyPaneLook(values.panes);
    if (values.complete)
        updatePortIndicator();
}

void TPSKForm::placeChannels()
{
    const auto [rxOne, rxTwo] = channelPlacement(Settings.WFMin, Settings.WFMax);
    RXOne->setValue(rxOne);
    RXTwo->setValue(rxTwo);
    TXOne->setValue(RXOne->value());
    TXTwo->setValue(RXTwo->value());
}

void TPSKForm::updatePortIndicator()
{
    const QString hint = portIndicatorHint(Settings.PTTControl, Settings.ComPort);
    LEDTwo->setLit(!hint.isEmpty());
    LEDTwo->setToolTip(hint);
}

void TPSKForm::updateCaption()
{
    setWindowTitle(mainWindowCaption(Settings.MyCall, m_standInNote));
}

void TPSKForm::showAudioStandIn(const QString &note, bool outputNowhere)
{
    m_standInNote = note;
    updateCaption();
    LEDOne->setCaption(note.isEmpty() ? kSoundCardLedCaption : kStandInLedCaption);
    LEDOne->setToolTip(note);
    placeIndicators();
    transmit->setOutputNowhere(outputNowhere);
    if (!note.isEmpty())
        setStatusNotice(StatusIcon, note);
}

void TPSKForm::updateReplayHint()
{
    RewindBtn->setToolTip(replayHint(Settings.Blocks));
}

void TPSKForm::loadMacros()
{
    macros->loadMacros(*store);
}

void TPSKForm::applyPaneLook(const std::array<PaneStartupValues, 3> &panes)
{
    for (int i = 0; i < 3; ++i)
        paneLook->applyStored(i, panes[i]);
}

void TPSKForm::applyStation()
{
    stationLink->apply();
    WAVPlayer->setDeviceName(Station.AlertDevice);
}

void TPSKForm::playStartupSound()
{
    WAVPlayer->setFileName(findDataFile(kStartupSoundName));
    WAVPlayer->Play();
}

void TPSKForm::resetWaterfallHistory()
{
    if (displays)
        displays->resetWaterfallHistory();
}

void TPSKForm::ClosePSK()
{
    Timer->stop();
    if (flags.CardActive) {
        engine.fnStopSoundCard();
        flags.CardActive = false;
    }

    CloseStoreValues values;
    values.WFMin = Settings.WFMin;
    values.WFMax = Settings.WFMax;
    values.FreqOne = static_cast<int>(RXOne->value());
    values.FreqTwo = static_cast<int>(RXTwo->value());
    for (size_t i = 0; i < 2; ++i) {
        values.channels[i].AFCOk = channels[i].afc->isChecked();
        values.channels[i].AFCRange = channels[i].afcRange->value();
        values.channels[i].NetOk = channels[i].net->isChecked();
        values.channels[i].Sq = channels[i].squelchBar->value();
        values.channels[i].SqSp = channels[i].squelchSpeed->value();
    }
    values.Blocks = Settings.Blocks;
    values.WindowState = isMaximized();
    values.Left = x();
    values.Top = y();
    values.Height = height();
    values.Width = width();
    values.MonitorHeight = kMonitorDesignHeight + m_stripExtraShown;
    if (writeCloseSettings(*store, values))
        writeBrowserSettings(*store, {!BrowserDock->isHidden(), saveState()});
}

void TPSKForm::closeEvent(QCloseEvent *e)
{
    if (!m_closed) {
        m_closed = true;
        ClosePSK();
    }
    e->accept();
}

void TPSKForm::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    // Opens centred whatever Left and Top say; they are still saved at close.
    if (!m_placed && !isMaximized()) {
        m_placed = true;
        if (const QScreen *s = screen()) {
            const QRect area = s->availableGeometry();
            move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
        }
    }
}

void TPSKForm::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    ResizeForm();
}

QSize TPSKForm::clientSize() const
{
    return m_centralPlaced ? centralWidget()->size() : size();
}

void TPSKForm::ResizeForm()
{
    const QSize client = clientSize();
    const int dockedBottom = kInfoPanelHeight + kStatusBarHeight;
    CoolBar->setGeometry(0, 0, kToolBarWidth, client.height() - dockedBottom);
    Infopanel->setGeometry(0, client.height() - dockedBottom, client.width(), kInfoPanelHeight);
    StatusBar->setGeometry(0, client.height() - kStatusBarHeight, client.width(), kStatusBarHeight);

    ResizeInput in;
    in.client = client;
    in.pageControlTop = PageControl->y();
    in.tabTermOverhead = PageControl->height() - TermSplitter->height();
    in.monitorHeight = kMonitorDesignHeight;
    in.displayStripExtra = m_stripExtraAsked;
    in.qsoBoxWidth = QSOBox->width();
    in.macroPageHeight = MacroPage->height();
    for (int i = 0; i < 3; ++i)
        in.statusPanelWidths[static_cast<size_t>(i)] = StatusBar->panelWidth(i);
    const ResizeLayout out = computeResizeLayout(in);

    PageControl->setGeometry(out.PageControl);
    m_termHeights = {out.TermOneHeight, out.TermTwoHeight};
    applyTerminalSplit();
    Monitor->setGeometry(out.Monitor);
    m_stripExtraShown = out.displayStripExtra;
    if (DisplayStripHandle) {
        DisplayStripHandle->setGeometry(out.StripHandle);
        DisplayStripHandle->raise();
    }
    RightBtn->move(out.RightBtn);
    LeftBtn->move(out.LeftBtn);
    MacroPage->move(out.MacroPage);
    Canal->move(out.Canal);
    QSOBox->move(out.QSOBox);
    resetWaterfallHistory();
    StatusBar->setPanelWidth(3, out.statusPanel3Width);
    CoolBar->update();
}

void TPSKForm::applyTerminalSplit()
{
    const int rest = TermSplitter->height() - m_termHeights[0] - m_termHeights[1] - 2 * TermSplitter->handleWidth();
    TermSplitter->setSizes({m_termHeights[0], m_termHeights[1], std::max(rest, TxBuf->minimumHeight())});
}

bool TPSKForm::eventFilter(QObject *watched, QEvent *e)
{
    // The pane heights of the last resize hold once the terminal page has its real size.
    if (watched == TermSplitter && e->type() == QEvent::Resize)
        applyTerminalSplit();
    // Showing, hiding or resizing the docked browser resizes the central widget alone.
    if (watched == centralWidget() && e->type() == QEvent::Resize) {
        m_centralPlaced = true;
        ResizeForm();
    }
    return QMainWindow::eventFilter(watched, e);
}

bool TPSKForm::event(QEvent *e)
{
    if (e->type() == EngineMessageEvent::eventType()) {
        const auto *m = static_cast<EngineMessageEvent *>(e);
        handleEngineMessage(m->message(), m->wParam(), m->lParam());
        return true;
    }
    return QMainWindow::event(e);
}

void TPSKForm::handleEngineMessage(int32_t message, int32_t wParam, int32_t lParam)
{
    if (message == EngineMessage::TxStatus)
        transmit->TxStatus(wParam);
    else
        notifications->dispatch(message, wParam, lParam);
}

void TPSKForm::TimerTimer()
{
    const QDateTime now = QDateTime::currentDateTime();
    StatusBar->setPanelText(0, clockPanelText(now, Settings.ShowUTCTime, UTCOffset(now)));
    setStatusNotice(Image::Information, kWebPageAddress);
}

void TPSKForm::setStatusNotice(int icon, const QString &message)
{
    StatusIcon = icon;
    StatusMessage = message;
    repaintStatusBar();
}

void TPSKForm::repaintStatusBar()
{
    StatusBar->repaint();
}

void TPSKForm::StatusBarDrawPanel(QPainter &painter, int panel, const QRect &rect)
{
    if (panel == 3) {
        Images.draw(painter, rect.left() + 2, rect.top(), StatusIcon);
        painter.setPen(StatusBar->palette().color(QPalette::WindowText));
        painter.setFont(StatusBar->font());
        const QRect text(QPoint(rect.left() + 26, rect.top() + 4), rect.bottomRight());
        painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, StatusMessage);
    } else if (panel == 4) {
        Images.draw(painter, rect.left() + 2, rect.top(), flags.CardActive ? Image::Connect : Image::Disconnect);
    }
}

void TPSKForm::StatusMouseMove(int x)
{
    int panelsBefore = 0;
    for (int i = 0; i <= 3; ++i)
        panelsBefore += StatusBar->panelWidth(i);
    if (x <= panelsBefore + 2)
        return;
    StatusMessage = flags.CardActive ? QCoreApplication::translate("Korvo", "Carte son active") : QCoreApplication::translate("Korvo", "Carte son inactive");
    repaintStatusBar();
}

void TPSKForm::PanelMove(int x)
{
    if (x > kCreditMouseX)
        Infopanel->setCaption(kEngineCredit);
}

void TPSKForm::RxAdjMenuClick()
{
    startMixer(true);
}

void TPSKForm::TxAdjMenuClick()
{
    startMixer(false);
}

void TPSKForm::AboutBtnClick()
{
    TAboutForm about(this);
    about.exec();
}

void TPSKForm::HelpBtnClick()
{
    showHelpTopic(this, findDataFile(kHelpFileName), kHelpTopic);
}

void TPSKForm::ExitBtnClick()
{
    close();
}
