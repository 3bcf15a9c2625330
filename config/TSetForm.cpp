#include "config/TSetForm.h"

#include "ground/Dialogs.h"
#include "ground/Translated.h"
#include "config/ComPortMap.h"
#include "config/DateFormats.h"
#include "config/RadioGroup.h"
#include "config/SettingsBatches.h"
#include "config/SettingsStore.h"
#include "config/StationTab.h"
#include "config/TSettings.h"
#include "controls/AlertDevice.h"
#include "controls/TCGauge.h"
#include "engine/EngineInterface.h"
#include "config/DatePattern.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QStringList deviceNames(const std::vector<std::string> &names)
{
    QStringList list;
    for (const std::string &name : names)
        list << QString::fromStdString(name);
    return list;
}

// The hints keep the original's CR LF line breaks in their text; tool tips want LF.
QString hintText(const char *utf8)
{
    return QCoreApplication::translate("Korvo", utf8).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QFont smallFonts()
{
    QFont font(QStringLiteral("Small Fonts"), 7);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QWidget *labelled(const QString &label, QWidget *field, QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(new QLabel(label, box));
    layout->addWidget(field);
    return box;
}

} // namespace

TSetForm::TSetForm(TSettings &settings, EngineInterface &engine, SettingsStore &store,
                   const QStringList &presentDevices, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_engine(engine), m_store(store)
{
    setWindowTitle(QCoreApplication::translate("Korvo", "Configuration"));
    buildControls();
    InitForm(presentDevices);
}

void TSetForm::buildControls()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 0);
    PageCtrl = new QTabWidget(this);
    TabSheet1 = new QWidget(PageCtrl);
    PageCtrl->addTab(TabSheet1, QCoreApplication::translate("Korvo", "Générale"));
    outer->addWidget(PageCtrl);

    QStringList dateItems;
    for (int i = 0; i < kDateFormatCount; ++i)
        dateItems << dateFormatShownAs(i);
    DateGroup = new RadioGroup(QCoreApplication::translate("Korvo", " Date format "), dateItems, TabSheet1);
    DateGroup->setToolTip(QCoreApplication::translate("Korvo", "Format de la date à transmettre"));
    DateGroup->setItemIndex(0);

    RXModeGroup = new RadioGroup(QCoreApplication::translate("Korvo", " Mode "),
                                 {QStringLiteral("BPSK"), QStringLiteral("QPSK (USB)"),
                                  QStringLiteral("QPSK (LSB)")},
                                 TabSheet1);
    RXModeGroup->setToolTip(QCoreApplication::translate("Korvo", "Mode PSK31"));
    RXModeGroup->setItemIndex(0);

    CWGroup = new RadioGroup(QCoreApplication::translate("Korvo", " Vitesse CW "),
                             {QCoreApplication::translate("Korvo", "37.5 mots/mn"), QCoreApplication::translate("Korvo", "18.75 mots/mn"),
                              QCoreApplication::translate("Korvo", "12.5 mots/mn"), QCoreApplication::translate("Korvo", "9.375 mots/mn")},
                             TabSheet1);
    CWGroup->setToolTip(
        QCoreApplication::translate("Korvo", "Vitesse à laquelle l'identification CW (CWID) sera envoyée"));
    CWGroup->setItemIndex(0);

    PORTGroup = new QGroupBox(QCoreApplication::translate("Korvo", " Ports COM "), TabSheet1);
    auto *portLayout = new QGridLayout(PORTGroup);
    portLayout->setContentsMargins(8, 4, 8, 4);
    portLayout->setSpacing(0);
    for (int i = 0; i < 8; ++i) {
        auto *button = new QRadioButton(QStringLiteral("COM %1").arg(i + 1), PORTGroup);
        button->setObjectName(QStringLiteral("COM%1").arg(i + 1));
        button->setEnabled(false);
        portLayout->addWidget(button, i % 4, i / 4);
        comButtons[i] = button;
        const int port = i + 1;
        connect(button, &QRadioButton::toggled, this, [this, port](bool on) {
            if (on)
                PortGroupClick(port);
        });
    }
    COM1 = comButtons[0]; COM2 = comButtons[1]; COM3 = comButtons[2]; COM4 = comButtons[3];
    COM5 = comButtons[4]; COM6 = comButtons[5]; COM7 = comButtons[6]; COM8 = comButtons[7];
    // Checked before the handler matters: the design state, not an operator's choice.
    COM1->blockSignals(true);
    COM1->setChecked(true);
    COM1->blockSignals(false);

    PTTGroup = new RadioGroup(QCoreApplication::translate("Korvo", " Activation du port "),
                              {QCoreApplication::translate("Korvo", "Inactif"), QCoreApplication::translate("Korvo", "RTS Seulement"),
                               QCoreApplication::translate("Korvo", "DTR Seulement"), QCoreApplication::translate("Korvo", "RTS et DTR")},
                              TabSheet1);
    PTTGroup->setToolTip(
        QCoreApplication::translate("Korvo", "Activation du port COM séléctionné pour actionner transceiver."));
    PTTGroup->setItemIndex(0);

    PpmSpin = new QSpinBox(TabSheet1);
    PpmSpin->setRange(-10000, 10000);
    PpmSpin->setSingleStep(50);
    PpmSpin->setValue(0);
    if (auto *text = PpmSpin->findChild<QLineEdit *>())
        text->setMaxLength(6);
    PpmSpin->setFont(smallFonts());
    PpmSpin->setToolTip(hintText(QT_TRANSLATE_NOOP("Korvo", "Pour accélérer l'horloge de la carte son \r\n"
                                 "selon les informations qu'elle renvoie.")));

    BlocksSpin = new QSpinBox(TabSheet1);
    BlocksSpin->setRange(1, 99);
    BlocksSpin->setValue(1);
    BlocksSpin->setFont(smallFonts());
    BlocksSpin->setToolTip(hintText(QT_TRANSLATE_NOOP("Korvo", "Nombre de blocks à réécouter (Bouton Replay).\r\n"
                                    "Le maximum est 99 de 0.256 secondes chacun.\r\n"
                                    "Temps maximum 25.344 secondes.")));

    CALLEdit = new QLineEdit(TabSheet1);
    CALLEdit->setFont(smallFonts());
    CWMsgEdit = new QLineEdit(TabSheet1);
    CWMsgEdit->setFont(smallFonts());
    CWMsgEdit->setEnabled(false);
    CWMsgEdit->setReadOnly(true);

    HTUBox = new QCheckBox(QCoreApplication::translate("Korvo", "Afficher l'heure TU"), TabSheet1);
    HTUBox->setChecked(true);
    SpecBox = new QCheckBox(QCoreApplication::translate("Korvo", "Spectre plein"), TabSheet1);
    SpecBox->setChecked(true);

    BAND = new TCGauge(TabSheet1);
    BAND->setFixedSize(392, 52);
    BAND->setMinValue(0);
    BAND->setMaxValue(3600);
    BAND->setScaleStep(300);
    BAND->setAreaRight(3000);
    BAND->setAreaLeft(75);
    BAND->setAreaCursor(true);
    BAND->setAreaCursorColor(QColor(0x00, 0x00, 0x80));
    BAND->setValueShow(false);
    BAND->setValueCursor(5);
    BAND->setReadOnly(false);
    BAND->setMarginLeft(8);
    BAND->setGaugeWidth(375);
    BAND->setGaugeTop(20);
    BAND->setGaugeHeight(12);
    BAND->setMarginCaption(3);
    BAND->setGaugeColor(palette().color(QPalette::Button));
    BAND->setScaleFont(smallFonts());
    BAND->setShowHint(true);
    BAND->setToolTip(hintText(QT_TRANSLATE_NOOP("Korvo", "Réglez ici la largeur de bande que \r\n"
                              "vous souhaitez voir affichée dans le\r\n"
                              "waterfall et l'analyseur de sprectre")));

    auto *grid = new QGridLayout(TabSheet1);
    grid->addWidget(labelled(QCoreApplication::translate("Korvo", "Mon Indicatif (MyCall)"), CALLEdit, TabSheet1), 0, 0);
    grid->addWidget(labelled(QCoreApplication::translate("Korvo", "Message CW ID"), CWMsgEdit, TabSheet1), 0, 1);
    grid->addWidget(labelled(QCoreApplication::translate("Korvo", "Correction ppm"), PpmSpin, TabSheet1), 0, 2);
    grid->addWidget(labelled(QCoreApplication::translate("Korvo", "Blocks à réécouter"), BlocksSpin, TabSheet1), 0, 3);
    grid->addWidget(DateGroup, 1, 0, 2, 1);
    grid->addWidget(CWGroup, 1, 1);
    grid->addWidget(RXModeGroup, 2, 1);
    grid->addWidget(PORTGroup, 1, 2, 1, 2);
    grid->addWidget(PTTGroup, 2, 2, 1, 2);
    auto *boxes = new QHBoxLayout;
    boxes->addWidget(HTUBox);
    boxes->addWidget(SpecBox);
    boxes->addStretch();
    grid->addLayout(boxes, 3, 0, 1, 4);
    grid->addWidget(BAND, 4, 0, 1, 3);

    auto *buttons = new QVBoxLayout;
    ApplyBtn = new QPushButton(QCoreApplication::translate("Korvo", "Appliquer"), TabSheet1);
    ApplyBtn->setDefault(true);
    CancelBtn = new QPushButton(QCoreApplication::translate("Korvo", "Annuler"), TabSheet1);
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(CancelBtn);
    grid->addLayout(buttons, 4, 3);

    ConfigBar = new QLabel(this);
    ConfigBar->setFrameShape(QFrame::Panel);
    ConfigBar->setFrameShadow(QFrame::Sunken);
    ConfigBar->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ConfigBar->setMinimumHeight(19);
    outer->addWidget(ConfigBar);

    Station = new StationTab(PageCtrl);
    PageCtrl->addTab(Station, QCoreApplication::translate("Korvo", "Station"));
    Station->setRigModels(m_engine.pskRigModels());
    Station->setAudioDevices(deviceNames(m_engine.pskAudioDeviceNames(true)),
                             deviceNames(m_engine.pskAudioDeviceNames(false)));
    Station->setAlertDevices(alertDeviceNames());
    StationApplyBtn = new QPushButton(QCoreApplication::translate("Korvo", "Appliquer"), Station);
    StationCancelBtn = new QPushButton(QCoreApplication::translate("Korvo", "Annuler"), Station);
    Station->footer()->addWidget(StationApplyBtn);
    Station->footer()->addWidget(StationCancelBtn);

    connect(CALLEdit, &QLineEdit::textChanged, this, &TSetForm::ChangeCall);
    connect(DateGroup, &RadioGroup::clicked, this, &TSetForm::ChangeDateFormat);
    connect(PpmSpin, &QSpinBox::valueChanged, this, &TSetForm::ChangePPM);
    connect(BlocksSpin, &QSpinBox::valueChanged, this, &TSetForm::ChangeBlocks);
    connect(PTTGroup, &RadioGroup::clicked, this, &TSetForm::PTTGroupClick);
    connect(ApplyBtn, &QPushButton::clicked, this, &TSetForm::ApplyBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TSetForm::reject);
    connect(StationApplyBtn, &QPushButton::clicked, this, &TSetForm::ApplyBtnClick);
    connect(StationCancelBtn, &QPushButton::clicked, this, &TSetForm::reject);
}

void TSetForm::InitForm(const QStringList &presentDevices)
{
    discoverPorts(presentDevices);
    loadFromStore();
}

// Enables the buttons whose COM number stands for a present device. Never disables
// anything and never changes which button is checked.
void TSetForm::discoverPorts(const QStringList &presentDevices)
{
    const QStringList ordered = comPortOrder(presentDevices);
    for (int i = 0; i < ordered.size(); ++i) {
        comButtons[i]->setEnabled(true);
        comButtons[i]->setToolTip(ordered.at(i));
    }
}

// Each value goes through its control, so a value that differs from the control's
// design state runs the control's handler just as the operator's edit would.
void TSetForm::loadFromStore()
{
    const DialogStoreValues v = loadDialogSettings(m_store);
    if (v.MyCall)
        CALLEdit->setText(*v.MyCall);
    if (v.ShowUTCTime)
        HTUBox->setChecked(*v.ShowUTCTime);
    if (v.SpectrumPlain)
        SpecBox->setChecked(*v.SpectrumPlain);
    if (v.DateFormat)
        DateGroup->setItemIndex(*v.DateFormat);
    if (v.CWIDSpeed)
        CWGroup->setItemIndex(*v.CWIDSpeed);
    if (v.CWID)
        CWMsgEdit->setText(*v.CWID);
    if (v.ComPort) {
        m_settings.ComPort = *v.ComPort;
        if (*v.ComPort >= 1 && *v.ComPort <= 8)
            comButtons[*v.ComPort - 1]->setChecked(true);
    }
    if (v.PTTControl)
        PTTGroup->setItemIndex(*v.PTTControl);
    if (v.RXMode)
        RXModeGroup->setItemIndex(*v.RXMode);
    if (v.Blocks)
        BlocksSpin->setValue(*v.Blocks);
    // Left first, against the design right edge: a stored WFMin above 3000 shows as 3000.
    if (v.WFMin)
        BAND->setAreaLeft(*v.WFMin);
    if (v.WFMax)
        BAND->setAreaRight(*v.WFMax);
    if (v.PPMAdjust)
        PpmSpin->setValue(*v.PPMAdjust);
    if (v.station)
        Station->load(*v.station);
}

int TSetForm::checkedPort() const
{
    for (int i = 0; i < 8; ++i)
        if (comButtons[i]->isChecked())
            return i + 1;
    return 1;
}

void TSetForm::ChangeCall()
{
    m_settings.CWID = QStringLiteral("de ") + CALLEdit->text();
    CWMsgEdit->setText(m_settings.CWID);
}

void TSetForm::ChangeDateFormat()
{
    m_settings.DatePattern = datePatternFor(DateGroup->itemIndex());
    ConfigBar->setText(
        formatDatePattern(m_settings.DatePattern, QDateTime::currentDateTime(), QLocale()));
}

void TSetForm::ChangePPM()
{
    m_settings.PPMAdjust = PpmSpin->value();
}

void TSetForm::ChangeBlocks()
{
    m_settings.Blocks = BlocksSpin->value();
}

void TSetForm::PortGroupClick(int port)
{
    m_settings.ComPort = port;
    if (PTTGroup->itemIndex() >= 1 && !m_engine.fnSetComPort(port, PTTGroup->itemIndex()))
        portRefused();
}

void TSetForm::PTTGroupClick()
{
    if (!m_engine.fnSetComPort(m_settings.ComPort, PTTGroup->itemIndex()))
        portRefused();
}

// Back to COM1 and "Inactif" as if the operator had clicked them, so their handlers
// run. A control already there does not run again, which also ends the fall-back if
// the engine keeps refusing.
void TSetForm::portRefused()
{
    showFailure(translated(kPortRefusedText));
    COM1->setChecked(true);
    PTTGroup->setItemIndex(0);
}

// The band is corrected on the gauge itself, through its clamping setters: with both
// edges at 50, raising the left edge to 100 stops at the right edge and the width
// correction then works from 50.
void TSetForm::correctBand()
{
    if (BAND->AreaRight() > 3500)
        BAND->setAreaRight(3500);
    if (BAND->AreaLeft() < 100)
        BAND->setAreaLeft(100);
    if (BAND->AreaRight() - BAND->AreaLeft() < 400) {
        showFailure(translated(kNarrowBandText), Dialogs::Kind::Warning);
        if (BAND->AreaLeft() > 3100)
            BAND->setAreaLeft(3100);
        BAND->setAreaRight(BAND->AreaLeft() + 400);
    }
}

void TSetForm::ApplyBtnClick()
{
    // A field the operator left invalid is shown, not stored: the dialog stays open on it.
    const QString invalid = Station->invalidFieldText();
    if (!invalid.isEmpty()) {
        showFailure(invalid);
        PageCtrl->setCurrentWidget(Station);
        return;
    }
    correctBand();

    TSettings stored = m_settings;
    stored.MyCall = CALLEdit->text();
    stored.ShowUTCTime = HTUBox->isChecked();
    stored.SpectrumPlain = SpecBox->isChecked();
    stored.DateFormat = DateGroup->itemIndex();
    stored.CWIDSpeed = CWGroup->itemIndex();
    stored.CWID = CWMsgEdit->text();
    stored.PTTControl = PTTGroup->itemIndex();
    stored.RXMode = RXModeGroup->itemIndex();
    stored.WFMin = BAND->AreaLeft();
    stored.WFMax = BAND->AreaRight();
    const StationSettings station = Station->values();
    writeDialogSettings(m_store, stored, &station);   // a failure is reported; the dialog still closes with OK

    m_settings.ShowUTCTime = HTUBox->isChecked();
    m_settings.SpectrumPlain = SpecBox->isChecked();
    accept();
}
