// Builds the main window's controls at their design places. ResizeForm then moves
// the ones that follow the window's size.

#include "app/CompactTabWidget.h"
#include "ground/InfoPanel.h"
#include "app/MainWindowMetrics.h"
#include "ground/StatusBar.h"
#include "app/TPSKForm.h"
#include "browser/BrowserIcon.h"
#include "browser/BrowserList.h"
#include "controls/TLEDLabel.h"
#include "controls/TSpinEdit.h"
#include "controls/Tdbmeter.h"
#include "displays/TPaintBox.h"
#include "logbook/LogQsoIcon.h"
#include "session/EngineReadouts.h"

#include <QAction>
#include <QCoreApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kToolButtonWidth = 28;
// The noise read-out at its widest (three digits and the sign).
constexpr int kWidestNoiseDb = -100;
constexpr int kToolButtonHeight = 27;

const QColor kChannelColours[2] = {QColor(0, 255, 0), QColor(255, 255, 0)};

QToolButton *toolButton(QWidget *parent, QVBoxLayout *layout, const ImageList &images, int image,
                        const QString &hint, bool enabled)
{
    auto *button = new QToolButton(parent);
    button->setFixedSize(kToolButtonWidth, kToolButtonHeight);
    button->setIconSize(QSize(ImageList::kSize, ImageList::kSize));
    button->setIcon(images.icon(image));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setEnabled(enabled);
    button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(button);
    return button;
}

// The small raised label riding on a channel marker: "1" on lime, "2" on yellow.
QLabel *channelTag(QWidget *parent, int channel)
{
    auto *tag = new QLabel(QString::number(channel + 1), parent);
    tag->setGeometry(0, 0, 8, 11);
    tag->setFrameStyle(QFrame::Panel | QFrame::Raised);
    tag->setLineWidth(1);
    tag->setAlignment(Qt::AlignCenter);
    QFont f = tag->font();
    f.setBold(true);
    f.setPixelSize(8);
    tag->setFont(f);
    tag->setAutoFillBackground(true);
    QPalette pal = tag->palette();
    pal.setColor(QPalette::Window, kChannelColours[channel]);
    pal.setColor(QPalette::WindowText, Qt::black);
    tag->setPalette(pal);
    return tag;
}

void paintChannelField(QWidget *field, int channel)
{
    QPalette pal = field->palette();
    pal.setColor(QPalette::Base, kChannelColours[channel]);
    pal.setColor(QPalette::Window, kChannelColours[channel]);
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::black);
    field->setPalette(pal);
    field->setAutoFillBackground(true);
}

QPlainTextEdit *terminalPane(QWidget *parent, const QColor &textColour)
{
    auto *pane = new QPlainTextEdit(parent);
    pane->setTabChangesFocus(false);
    pane->setFocusPolicy(Qt::ClickFocus);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setToolTip(QCoreApplication::translate("Korvo", "Click droit pour le menu"));
    pane->setMinimumHeight(20);
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(8);
    pane->setFont(f);
    QPalette pal = pane->palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, textColour);
    pane->setPalette(pal);
    return pane;
}

QLabel *readOut(QWidget *parent, int channel, const QRect &place)
{
    auto *panel = new QLabel(parent);
    panel->setGeometry(place);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    paintChannelField(panel, channel);
    return panel;
}

QLabel *caption(QWidget *parent, const QString &text, const QRect &place)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(place);
    return label;
}

TSpinEdit *frequencyField(QWidget *parent, int channel, const QRect &place)
{
    auto *field = new TSpinEdit(parent);
    field->setDecimals(0);
    field->setRange(1, 3996);
    field->setGeometry(place);
    paintChannelField(field, channel);
    return field;
}

QSpinBox *integerField(QWidget *parent, int channel, int maximum, int value, const QRect &place)
{
    auto *field = new QSpinBox(parent);
    field->setRange(0, maximum);
    field->setValue(value);
    field->setGeometry(place);
    paintChannelField(field, channel);
    return field;
}

QCheckBox *leftCaptionedBox(QWidget *parent, const QString &text, const QRect &place)
{
    auto *box = new QCheckBox(text, parent);
    box->setLayoutDirection(Qt::RightToLeft);
    box->setChecked(true);
    box->setGeometry(place);
    return box;
}

} // namespace

void TPSKForm::buildToolBar(QWidget *client)
{
    CoolBar = new QFrame(client);
    CoolBar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ToolBar = new QWidget(CoolBar);
    auto *frame = new QVBoxLayout(CoolBar);
    frame->setContentsMargins(1, 1, 1, 1);
    frame->addWidget(ToolBar);
    // Hidden buttons (TalmerBtn) take no room: the buttons below move up.
    auto *buttons = new QVBoxLayout(ToolBar);
    buttons->setContentsMargins(1, 1, 0, 0);
    buttons->setSpacing(0);

    OnBtn = toolButton(ToolBar, buttons, Images, Image::Connect, QCoreApplication::translate("Korvo", "Connecter/activer la carte son"), true);
    TxBtn = toolButton(ToolBar, buttons, Images, Image::Transmit, QCoreApplication::translate("Korvo", "Emettre"), false);
    TuneBtn = toolButton(ToolBar, buttons, Images, Image::Tune, QCoreApplication::translate("Korvo", "Envoyer un tune"), false);
    CWIDBtn = toolButton(ToolBar, buttons, Images, Image::CwId, QCoreApplication::translate("Korvo", "Envoyer l'identification CW"), false);
    RewindBtn = toolButton(ToolBar, buttons, Images, Image::Replay, QCoreApplication::translate("Korvo", "Replay"), false);
    MacroBtn = toolButton(ToolBar, buttons, Images, Image::MacroEditor, QCoreApplication::translate("Korvo", "Créer/Editer une procédure"), true);
    RxAdjustBtn = toolButton(ToolBar, buttons, Images, Image::InputLevel,
                             QCoreApplication::translate("Korvo", "Ajuster le niveau d'entrée de la carte son"), true);
    TXAdjustBtn = toolButton(ToolBar, buttons, Images, Image::OutputLevel,
                             QCoreApplication::translate("Korvo", "Ajuster le niveau de sortie de la carte son"), true);
    // Its picture and hint come with the dock's switch, BrowserAction.
    BrowserBtn = toolButton(ToolBar, buttons, Images, Image::Information, QString(), true);
    TalmerBtn = toolButton(ToolBar, buttons, Images, Image::Logbook, QCoreApplication::translate("Korvo", "Se connecter à Talmer"), true);
    TalmerBtn->hide();
    CfgBtn = toolButton(ToolBar, buttons, Images, Image::Configuration, QCoreApplication::translate("Korvo", "Configuration"), true);
    AboutBtn = toolButton(ToolBar, buttons, Images, Image::About, QCoreApplication::translate("Korvo", "A propos de Korvo..."), true);
    HelpBtn = toolButton(ToolBar, buttons, Images, Image::Help, QCoreApplication::translate("Korvo", "Aide en ligne"), false);
    ExitBtn = toolButton(ToolBar, buttons, Images, Image::Exit, QCoreApplication::translate("Korvo", "Quitter Korvo"), true);
    buttons->addStretch(1);
    CoolBar->setGeometry(0, 0, kToolBarWidth, 376);
}

void TPSKForm::buildTerminal(QWidget *client)
{
    PageControl = new QTabWidget(client);
    PageControl->setGeometry(33, 1, 422, 289);
    TabTerm = new QWidget;
    PageControl->addTab(TabTerm, QCoreApplication::translate("Korvo", "Terminal"));

    TermSplitter = new QSplitter(Qt::Vertical, TabTerm);
    TermSplitter->setHandleWidth(5);
    TermSplitter->setOpaqueResize(true);
    TermOne = terminalPane(TermSplitter, kChannelColours[0]);
    TermTwo = terminalPane(TermSplitter, kChannelColours[1]);
    TxBuf = terminalPane(TermSplitter, kChannelColours[1]);
    TermSplitter->addWidget(TermOne);
    TermSplitter->addWidget(TermTwo);
    TermSplitter->addWidget(TxBuf);
    // Only the channel 1 pane closes when dragged below its minimum.
    TermSplitter->setCollapsible(0, true);
    TermSplitter->setCollapsible(1, false);
    TermSplitter->setCollapsible(2, false);
    for (int i = 0; i < 3; ++i)
        TermSplitter->setStretchFactor(i, i == 2 ? 1 : 0);
    Splitter2 = TermSplitter->handle(1);
    Splitter1 = TermSplitter->handle(2);

    auto *layout = new QVBoxLayout(TabTerm);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TermSplitter);
}

void TPSKForm::buildMonitor(QWidget *client)
{
    Monitor = new CompactTabWidget(client);
    Monitor->setTabPosition(QTabWidget::South);
    Monitor->setGeometry(35, 292, 272, 82);

    auto *waterfallTab = new QWidget;
    WaterfallPanel = new QFrame(waterfallTab);
    WaterfallPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    AmpliDisplay = new TPaintBox(WaterfallPanel);
    AmpliDisplay->setFixedHeight(15);
    WaterfallDisplay = new TPaintBox(WaterfallPanel);
    WaterfallDisplay->setCursor(Qt::CrossCursor);
    WaterfallDisplay->setToolTip(QCoreApplication::translate("Korvo", "Click gauche pour freq 1\nClick droit pour freq 2"));
    auto *waterfallLayout = new QVBoxLayout(WaterfallPanel);
    waterfallLayout->setContentsMargins(1, 1, 1, 1);
    waterfallLayout->setSpacing(0);
    waterfallLayout->addWidget(AmpliDisplay);
    waterfallLayout->addWidget(WaterfallDisplay, 1);
    CN1 = channelTag(WaterfallPanel, 0);
    CN2 = channelTag(WaterfallPanel, 1);
    CN1->setToolTip(QCoreApplication::translate("Korvo", "Canal 1"));
    CN2->setToolTip(QCoreApplication::translate("Korvo", "Canal 2"));
    auto *waterfallTabLayout = new QVBoxLayout(waterfallTab);
    waterfallTabLayout->setContentsMargins(0, 0, 0, 0);
    waterfallTabLayout->addWidget(WaterfallPanel);
    Monitor->addTab(waterfallTab, QCoreApplication::translate("Korvo", "Waterfall"));

    auto *spectrumTab = new QWidget;
    SpectrumPanel = new QFrame(spectrumTab);
    SpectrumPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SpectrumDisplay = new TPaintBox(SpectrumPanel);
    SpectrumDisplay->setCursor(Qt::CrossCursor);
    auto *spectrumLayout = new QVBoxLayout(SpectrumPanel);
    spectrumLayout->setContentsMargins(1, 1, 1, 1);
    spectrumLayout->addWidget(SpectrumDisplay);
    SP1 = channelTag(SpectrumPanel, 0);
    SP2 = channelTag(SpectrumPanel, 1);
    auto *spectrumTabLayout = new QVBoxLayout(spectrumTab);
    spectrumTabLayout->setContentsMargins(0, 0, 0, 0);
    spectrumTabLayout->addWidget(SpectrumPanel);
    Monitor->addTab(spectrumTab, QCoreApplication::translate("Korvo", "Spectre"));

    auto *signalTab = new QWidget;
    SignalDisplay = new TPaintBox(signalTab);
    auto *signalLayout = new QVBoxLayout(signalTab);
    signalLayout->setContentsMargins(0, 0, 0, 0);
    signalLayout->addWidget(SignalDisplay);
    Monitor->addTab(signalTab, QCoreApplication::translate("Korvo", "Signal"));

    auto *synchroTab = new QWidget;
    VisuPanel = new QFrame(synchroTab);
    VisuPanel->setFixedWidth(54);
    VisuPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    VECDisplay = new TPaintBox(VisuPanel);
    VECDisplay->setGeometry(1, 1, 52, 52);
    SyncDisplay = new TPaintBox(synchroTab);
    auto *synchroLayout = new QHBoxLayout(synchroTab);
    synchroLayout->setContentsMargins(0, 0, 0, 0);
    synchroLayout->setSpacing(0);
    synchroLayout->addWidget(VisuPanel);
    synchroLayout->addWidget(SyncDisplay, 1);
    Monitor->addTab(synchroTab, QCoreApplication::translate("Korvo", "Synchro"));

    // The shift buttons sit in the free end of the tab row, over the tab set.
    LeftBtn = new QToolButton(client);
    LeftBtn->setArrowType(Qt::LeftArrow);
    LeftBtn->setGeometry(269, 356, 18, 18);
    LeftBtn->setToolTip(QCoreApplication::translate("Korvo", "Déplacement à gauche de 100Hz"));
    LeftBtn->setEnabled(false);
    RightBtn = new QToolButton(client);
    RightBtn->setArrowType(Qt::RightArrow);
    RightBtn->setGeometry(288, 356, 18, 18);
    RightBtn->setToolTip(QCoreApplication::translate("Korvo", "Déplacement à droite de 100Hz"));
    RightBtn->setEnabled(false);
}

void TPSKForm::buildQSOBox(QWidget *client)
{
    QSOBox = new QGroupBox(QCoreApplication::translate("Korvo", " QSO en cours "), client);
    QSOBox->setGeometry(308, 291, 147, 82);

    QFont small = QSOBox->font();
    small.setPixelSize(10);
    auto edit = [&](int y, int width, const QString &label) {
        caption(QSOBox, label, QRect(5, y, 56, 17));
        auto *field = new QLineEdit(QSOBox);
        field->setGeometry(60, y, width, 17);
        field->setFont(small);
        return field;
    };
    HisCall = edit(16, 80, QCoreApplication::translate("Korvo", "Son Call"));
    HisName = edit(37, 80, QCoreApplication::translate("Korvo", "Son nom"));
    HisRep = edit(58, 32, QCoreApplication::translate("Korvo", "Son report"));

    // Three small buttons share the room right of the report field.
    const auto smallButton = [&](int x, const QIcon &icon) {
        auto *button = new QToolButton(QSOBox);
        button->setGeometry(x, 58, 17, 17);
        button->setIconSize(QSize(14, 14));
        button->setIcon(icon);
        return button;
    };
    ClearBtn = smallButton(94, Images.icon(Image::Clear));
    ClearBtn->setToolTip(QCoreApplication::translate("Korvo", "Effacer les données du QSO"));
    SendBtn = smallButton(111, Images.icon(Image::Logbook));
    SendBtn->setToolTip(QCoreApplication::translate("Korvo", "Envoyer les données à TALMER"));
    SendBtn->setEnabled(false);
    LogBtn = smallButton(128, logQsoIcon());
}

void TPSKForm::buildMacroPage(QWidget *client)
{
    MacroPage = new CompactTabWidget(client);
    MacroPage->setGeometry(458, 1, 178, 140);
    for (int tab = 0; tab < 2; ++tab) {
        auto *page = new QWidget;
        MacroPage->addTab(page, QCoreApplication::translate("Korvo", "Procédures %1").arg(tab + 1));
        for (int i = 0; i < 10; ++i) {
            const int slot = tab * 10 + i;
            auto *button = new QPushButton(page);
            // First five numbers down the left column, next five down the right.
            button->setGeometry(2 + (i / 5) * 85, 2 + (i % 5) * 22, 83, 22);
            button->setToolTip(QCoreApplication::translate("Korvo", "Néant"));
            button->setProperty("Tag", slot);
            button->setEnabled(false);
            button->setFocusPolicy(Qt::NoFocus);
            button->setObjectName(QStringLiteral("M%1").arg(slot + 1));
            macroButtons[static_cast<size_t>(slot)] = button;
        }
    }
    M1 = macroButtons[0];   M2 = macroButtons[1];   M3 = macroButtons[2];   M4 = macroButtons[3];
    M5 = macroButtons[4];   M6 = macroButtons[5];   M7 = macroButtons[6];   M8 = macroButtons[7];
    M9 = macroButtons[8];   M10 = macroButtons[9];  M11 = macroButtons[10]; M12 = macroButtons[11];
    M13 = macroButtons[12]; M14 = macroButtons[13]; M15 = macroButtons[14]; M16 = macroButtons[15];
    M17 = macroButtons[16]; M18 = macroButtons[17]; M19 = macroButtons[18]; M20 = macroButtons[19];
}

ChannelWidgets TPSKForm::buildChannelPage(int channel)
{
    ChannelWidgets c;
    c.page = new QWidget;

    c.meterGroup = new QGroupBox(QCoreApplication::translate("Korvo", " S-Mètre "), c.page);
    c.meterGroup->setGeometry(2, 0, 170, 92);
    c.meter = new Tdbmeter(c.meterGroup);
    c.meter->setGeometry(8, 15, 154, 12);
    c.squelchLabel = caption(c.meterGroup, QCoreApplication::translate("Korvo", "Seuil de squelch"), QRect(8, 28, 154, 13));
    c.squelchBar = new QSlider(Qt::Horizontal, c.meterGroup);
    c.squelchBar->setRange(0, 99);
    c.squelchBar->setValue(10);
    c.squelchBar->setTickPosition(QSlider::TicksAbove);
    c.squelchBar->setTickInterval(5);
    c.squelchBar->setGeometry(4, 41, 162, 24);
    caption(c.meterGroup, QCoreApplication::translate("Korvo", "Vitesse squelch (0-200)"), QRect(6, 69, 118, 18));
    c.squelchSpeed = integerField(c.meterGroup, channel, 200, 1, QRect(124, 67, 42, 20));

    c.freqGroup = new QGroupBox(QCoreApplication::translate("Korvo", " Réglages fréquence "), c.page);
    c.freqGroup->setGeometry(2, 93, 170, 114);
    caption(c.freqGroup, QCoreApplication::translate("Korvo", "Réception"), QRect(8, 14, 70, 14));
    caption(c.freqGroup, QCoreApplication::translate("Korvo", "Emission"), QRect(92, 14, 70, 14));
    c.rx = frequencyField(c.freqGroup, channel, QRect(8, 28, 62, 20));
    c.tx = frequencyField(c.freqGroup, channel, QRect(92, 28, 62, 20));
    c.afc = leftCaptionedBox(c.freqGroup, QCoreApplication::translate("Korvo", "AFC On"), QRect(6, 51, 68, 17));
    c.net = leftCaptionedBox(c.freqGroup, QCoreApplication::translate("Korvo", "NET On"), QRect(90, 51, 68, 17));
    auto *width = caption(c.freqGroup, QCoreApplication::translate("Korvo", "Largeur\nAFC"), QRect(8, 70, 46, 28));
    width->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    c.afcRange = integerField(c.freqGroup, channel, 100, 10, QRect(52, 74, 44, 20));
    c.ppm = readOut(c.freqGroup, channel, QRect(102, 72, 60, 15));
    c.imd = readOut(c.freqGroup, channel, QRect(102, 91, 60, 15));
    return c;
}

void TPSKForm::buildCanal(QWidget *client)
{
    Canal = new CompactTabWidget(client);
    Canal->setTabPosition(QTabWidget::South);
    Canal->setGeometry(459, 142, 178, 233);
    for (int channel = 0; channel < 2; ++channel) {
        channels[static_cast<size_t>(channel)] = buildChannelPage(channel);
        Canal->addTab(channels[static_cast<size_t>(channel)].page, QCoreApplication::translate("Korvo", "Canal %1").arg(channel + 1));
    }
    bindNamedChannelControls();
}

void TPSKForm::bindNamedChannelControls()
{
    const ChannelWidgets &one = channels[0];
    const ChannelWidgets &two = channels[1];
    SMOne = one.meter;               SMTwo = two.meter;
    SQLbl1 = one.squelchLabel;       SQLbl2 = two.squelchLabel;
    SQOneBar = one.squelchBar;       SQTwoBar = two.squelchBar;
    SQSpOne = one.squelchSpeed;      SQSpTwo = two.squelchSpeed;
    RXOne = one.rx;                  RXTwo = two.rx;
    TXOne = one.tx;                  TXTwo = two.tx;
    AFCOne = one.afc;                AFCTwo = two.afc;
    AFCOneRg = one.afcRange;         AFCTwoRg = two.afcRange;
    NETOne = one.net;                NETTwo = two.net;
    PPMOne = one.ppm;                PPMTwo = two.ppm;
    IMDOne = one.imd;                IMDTwo = two.imd;
}

void TPSKForm::buildBottomBars(QWidget *client)
{
    Infopanel = new InfoPanel(client);
    Infopanel->setGeometry(0, 376, 638, kInfoPanelHeight);
    struct LedPlace
    {
        TLEDLabel **led;
        const char *caption;
        TLED::TLEDColor colour;
        QRect place;
    };
    const LedPlace leds[] = {
        {&LEDOne, QT_TRANSLATE_NOOP("Korvo", "Carte son"), TLED::lcGreen, QRect(4, 1, 62, 17)},
        {&LEDTwo, QT_TRANSLATE_NOOP("Korvo", "Port COM"), TLED::lcGreen, QRect(72, 1, 63, 17)},
        {&QuenLed, QT_TRANSLATE_NOOP("Korvo", "Talmer"), TLED::lcGreen, QRect(141, 1, 51, 17)},
        {&RXLed, QT_TRANSLATE_NOOP("Korvo", "Réception"), TLED::lcRed, QRect(198, 2, 66, 14)},
        {&TXLed, QT_TRANSLATE_NOOP("Korvo", "Emission"), TLED::lcRed, QRect(270, 2, 58, 14)},
    };
    for (size_t i = 0; i < std::size(leds); ++i) {
        const LedPlace &l = leds[i];
        auto *led = new TLEDLabel(Infopanel);
        led->setAlignment(TLEDLabel::caLeft);
        led->setCaption(QCoreApplication::translate("Korvo", l.caption));
        led->setColor(l.colour);
        led->setGeometry(l.place);
        *l.led = led;
        m_indicatorPlaces[i] = {led, l.place};
    }
    RigReadout = new QLabel(Infopanel);
    placeIndicators();

    StatusBar = new PanelStatusBar(client);
    StatusBar->setGeometry(0, 376 + kInfoPanelHeight, 638, kStatusBarHeight);
    // The longest texts of the two text panels show whole whatever the font's width.
    StatusBar->fitPanelToTexts(1, {noiseReadout(kWidestNoiseDb)});
    StatusBar->fitPanelToTexts(2, {QCoreApplication::translate("Korvo", "Programme inactif"), QCoreApplication::translate("Korvo", "Réception en cours..."),
                                   QCoreApplication::translate("Korvo", "Emission en cours..."), QCoreApplication::translate("Korvo", "Emission simulée...")});
}

void TPSKForm::buildBrowserDock()
{
    BrowserDock = new QDockWidget(QCoreApplication::translate("Korvo", "Navigateur"), this);
    BrowserDock->setObjectName(QStringLiteral("BrowserDock"));
    // The tool-bar button is its only switch: no close box on the dock.
    BrowserDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    Browser = new BrowserList(BrowserDock);
    BrowserDock->setWidget(Browser);
    addDockWidget(Qt::RightDockWidgetArea, BrowserDock);
    BrowserDock->hide();

    BrowserAction = new QAction(browserIcon(), QCoreApplication::translate("Korvo", "Navigateur"), this);
    BrowserAction->setCheckable(true);
    BrowserAction->setToolTip(QCoreApplication::translate("Korvo", "Afficher/masquer le navigateur de signaux"));
    BrowserBtn->setDefaultAction(BrowserAction);
}

// At their design places, each widened to its whole caption and pushed right by the one
// before it when that one grew.
void TPSKForm::placeIndicators()
{
    constexpr int kIndicatorGap = 6;
    int minLeft = 0;
    for (const IndicatorPlace &place : m_indicatorPlaces) {
        QRect rect = place.design;
        rect.moveLeft(std::max(rect.left(), minLeft));
        rect.setWidth(std::max(rect.width(), place.led->sizeHint().width()));
        place.led->setGeometry(rect);
        minLeft = rect.right() + 1 + kIndicatorGap;
    }
    constexpr int kReadoutWidth = 180;
    const QRect last = m_indicatorPlaces.back().led->geometry();
    RigReadout->setGeometry(minLeft, last.top(), std::max(kReadoutWidth, RigReadout->sizeHint().width()), last.height());
}
