#include "config/StationTab.h"

#include "ground/Translated.h"
#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QScrollArea>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// No locator at all is allowed: MY_GRIDSQUARE is then left out of the record.
bool gridAccepted(const QString &text)
{
    const QString grid = text.trimmed();
    return grid.isEmpty() || isMaidenheadLocator(grid);
}

void markInvalid(QLineEdit *edit, bool invalid)
{
    edit->setStyleSheet(invalid ? QStringLiteral("color: red") : QString());
}

constexpr int kRigSpeeds[] = {0, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

} // namespace

// The groups scroll when the dialog is smaller than they are; the buttons stay in view below them.
StationTab::StationTab(QWidget *parent) : QWidget(parent)
{
    auto *outer = new QVBoxLayout(this);
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *content = new QWidget(scroll);
    scroll->setWidget(content);
    outer->addWidget(scroll);
    m_groups = new QVBoxLayout(content);
    m_groups->setContentsMargins(0, 0, 0, 0);

    LogGroup = addGroup(QCoreApplication::translate("Korvo", " Journal "));
    auto *logForm = new QFormLayout(LogGroup);
    LogFileEdit = new QLineEdit(LogGroup);
    LogFileEdit->setToolTip(QCoreApplication::translate("Korvo",
        "Fichier ADIF auquel chaque QSO enregistré est ajouté (Ctrl+L).\n"
        "Les logiciels de trafic (CQRLOG, Log4OM, QLog...) savent l'importer."));
    LogFileBtn = new QToolButton(LogGroup);
    LogFileBtn->setText(QStringLiteral("..."));
    LogFileBtn->setToolTip(QCoreApplication::translate("Korvo", "Choisir le fichier"));
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(LogFileEdit);
    fileRow->addWidget(LogFileBtn);
    logForm->addRow(QCoreApplication::translate("Korvo", "Fichier ADIF"), fileRow);
    GridEdit = new QLineEdit(LogGroup);
    GridEdit->setMaxLength(8);
    GridEdit->setToolTip(QCoreApplication::translate("Korvo", "Votre locator (QTH locator Maidenhead), par exemple JN18eu"));
    logForm->addRow(QCoreApplication::translate("Korvo", "Mon locator"), GridEdit);
    ClearAfterLogBox = new QCheckBox(QCoreApplication::translate("Korvo", "Effacer le QSO en cours après l'enregistrement"), LogGroup);
    logForm->addRow(ClearAfterLogBox);

    UdpGroup = addGroup(QCoreApplication::translate("Korvo", " Messages UDP (protocole WSJT-X) "));
    auto *udpForm = new QFormLayout(UdpGroup);
    UdpBox = new QCheckBox(QCoreApplication::translate("Korvo", "Envoyer les QSO enregistrés"), UdpGroup);
    UdpBox->setToolTip(QCoreApplication::translate("Korvo",
        "Messages \"QSO Logged\" et \"Logged ADIF\" lus par GridTracker, JTAlert,\n"
        "CQRLOG, Log4OM, Wavelog Gate, N1MM..."));
    udpForm->addRow(UdpBox);
    UdpHostEdit = new QLineEdit(UdpGroup);
    UdpHostEdit->setToolTip(QCoreApplication::translate("Korvo",
        "Adresse IP du logiciel qui écoute (127.0.0.1 sur cette machine),\n"
        "ou d'un groupe multicast (239.255.0.1...). Pas de nom de machine."));
    udpForm->addRow(QStringLiteral("Adresse"), UdpHostEdit);
    UdpPortSpin = new QSpinBox(UdpGroup);
    UdpPortSpin->setRange(kUdpPortMin, kUdpPortMax);
    udpForm->addRow(QStringLiteral("Port"), UdpPortSpin);
    buildSoundGroup();
    buildKeyingGroup();
    addLanguageGroup();
    m_groups->addStretch();
    m_footer = new QHBoxLayout;
    m_footer->addStretch();
    outer->addLayout(m_footer);

    connect(LogFileBtn, &QToolButton::clicked, this, &StationTab::chooseLogFile);
    connect(GridEdit, &QLineEdit::textChanged, this, &StationTab::showValidity);
    connect(UdpHostEdit, &QLineEdit::textChanged, this, &StationTab::showValidity);
    connect(UdpBox, &QCheckBox::toggled, this, [this](bool on) {
        UdpHostEdit->setEnabled(on);
        UdpPortSpin->setEnabled(on);
    });

    load(StationSettings());
}

void StationTab::addLanguageGroup()
{
    LanguageGroup = addGroup(QCoreApplication::translate("Korvo", " Langue "));
    auto *form = new QFormLayout(LanguageGroup);
    LanguageCombo = new QComboBox(LanguageGroup);
    // Each language under its own name, whatever the interface's language.
    LanguageCombo->addItem(QStringLiteral("Français"), kFrenchLanguage);
    LanguageCombo->addItem(QStringLiteral("English"), kEnglishLanguage);
    LanguageCombo->setToolTip(QCoreApplication::translate("Korvo", "La langue de l'interface change au prochain démarrage."));
    form->addRow(QCoreApplication::translate("Korvo", "Interface (au prochain démarrage)"), LanguageCombo);
}

QGroupBox *StationTab::addGroup(const QString &title)
{
    auto *group = new QGroupBox(title, m_groups->parentWidget());
    // Above the closing stretch once it is there.
    const int at = m_footer ? m_groups->count() - 1 : m_groups->count();
    m_groups->insertWidget(at, group);
    return group;
}

namespace {

void fillDevices(QComboBox *combo, const QStringList &names)
{
    const QString chosen = combo->currentData().toString();
    combo->clear();
    combo->addItem(QCoreApplication::translate("Korvo", "Défaut"), QString());
    for (const QString &name : names)
        combo->addItem(name, name);
    combo->setCurrentIndex(0);
    if (!chosen.isEmpty()) {
        const int at = combo->findData(chosen);
        if (at >= 0)
            combo->setCurrentIndex(at);
    }
}

// A stored device that is not present stays chosen, marked absent, so that it is not
// replaced by another without the operator knowing.
void selectDevice(QComboBox *combo, const QString &name)
{
    int at = combo->findData(name);
    if (at < 0) {
        combo->addItem(QCoreApplication::translate("Korvo", "%1 (absent)").arg(name), name);
        at = combo->count() - 1;
    }
    combo->setCurrentIndex(at);
}

} // namespace

void StationTab::buildSoundGroup()
{
    SoundGroup = addGroup(QCoreApplication::translate("Korvo", " Carte son "));
    auto *form = new QFormLayout(SoundGroup);
    const auto deviceCombo = [this](const QString &hint) {
        auto *combo = new QComboBox(SoundGroup);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(24);
        combo->setToolTip(hint);
        return combo;
    };
    InputCombo = deviceCombo(QCoreApplication::translate("Korvo", "Entrée du son reçu (pris en compte à la prochaine connexion)"));
    form->addRow(QCoreApplication::translate("Korvo", "Entrée (réception)"), InputCombo);
    OutputCombo = deviceCombo(QCoreApplication::translate("Korvo", "Sortie vers le transceiver (prise en compte à la prochaine connexion)"));
    form->addRow(QCoreApplication::translate("Korvo", "Sortie (émission)"), OutputCombo);
    AlertCombo = deviceCombo(QCoreApplication::translate("Korvo", "Sortie des sons d'alerte (jamais celle de l'émission, sauf si vous la choisissez ici)"));
    form->addRow(QCoreApplication::translate("Korvo", "Alertes"), AlertCombo);
    setAudioDevices({}, {});
    setAlertDevices({});
}

void StationTab::setAudioDevices(const QStringList &inputs, const QStringList &outputs)
{
    fillDevices(InputCombo, inputs);
    fillDevices(OutputCombo, outputs);
}

void StationTab::setAlertDevices(const QStringList &outputs)
{
    fillDevices(AlertCombo, outputs);
}

void StationTab::buildKeyingGroup()
{
    KeyingGroup = addGroup(QCoreApplication::translate("Korvo", " Emission et transceiver "));
    auto *form = new QFormLayout(KeyingGroup);
    KeyingCombo = new QComboBox(KeyingGroup);
    // In the order of the engine's keying methods.
    KeyingCombo->addItems({QCoreApplication::translate("Korvo", "Aucune (VOX)"), QCoreApplication::translate("Korvo", "Port série RTS/DTR (onglet Générale)"), QCoreApplication::translate("Korvo", "CAT (hamlib)"),
                           QCoreApplication::translate("Korvo", "rigctld (réseau)"), QCoreApplication::translate("Korvo", "GPIO CM108")});
    KeyingCombo->setToolTip(QCoreApplication::translate("Korvo", "Comment le transceiver est passé en émission"));
    form->addRow(QCoreApplication::translate("Korvo", "Commande d'émission"), KeyingCombo);
    RigModelCombo = new QComboBox(KeyingGroup);
    RigModelCombo->setToolTip(QCoreApplication::translate("Korvo", "Modèle du transceiver dans la liste de hamlib"));
    RigModelCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    RigModelCombo->setMinimumContentsLength(24);
    form->addRow(QCoreApplication::translate("Korvo", "Modèle"), RigModelCombo);
    RigDeviceEdit = new QLineEdit(KeyingGroup);
    RigDeviceEdit->setPlaceholderText(QStringLiteral("/dev/ttyUSB0"));
    RigDeviceEdit->setToolTip(QCoreApplication::translate("Korvo", "Port série CAT du transceiver"));
    form->addRow(QCoreApplication::translate("Korvo", "Port CAT"), RigDeviceEdit);
    RigSpeedCombo = new QComboBox(KeyingGroup);
    for (int speed : kRigSpeeds)
        RigSpeedCombo->addItem(speed == 0 ? QCoreApplication::translate("Korvo", "Défaut") : QString::number(speed), speed);
    form->addRow(QCoreApplication::translate("Korvo", "Vitesse (bit/s)"), RigSpeedCombo);
    RigctldEdit = new QLineEdit(KeyingGroup);
    RigctldEdit->setToolTip(QCoreApplication::translate("Korvo", "Adresse d'un rigctld déjà lancé, machine:port"));
    form->addRow(QCoreApplication::translate("Korvo", "rigctld"), RigctldEdit);
    Cm108Edit = new QLineEdit(KeyingGroup);
    Cm108Edit->setToolTip(QCoreApplication::translate("Korvo", "Périphérique hidraw de l'interface son CM108"));
    form->addRow(QCoreApplication::translate("Korvo", "Interface CM108"), Cm108Edit);
    TxLimitSpin = new QSpinBox(KeyingGroup);
    TxLimitSpin->setRange(0, kTxTimeLimitMaxMin);
    TxLimitSpin->setSuffix(QCoreApplication::translate("Korvo", " min"));
    TxLimitSpin->setSpecialValueText(QCoreApplication::translate("Korvo", "Aucune"));
    TxLimitSpin->setToolTip(QCoreApplication::translate("Korvo", "Une émission plus longue est arrêtée (0 : pas de limite)"));
    form->addRow(QCoreApplication::translate("Korvo", "Durée maximale d'émission"), TxLimitSpin);
    connect(KeyingCombo, &QComboBox::currentIndexChanged, this, &StationTab::showKeyingFields);
}

void StationTab::showKeyingFields()
{
    const int keying = KeyingCombo->currentIndex();
    RigModelCombo->setEnabled(keying == pskkey::Cat);
    RigDeviceEdit->setEnabled(keying == pskkey::Cat);
    RigSpeedCombo->setEnabled(keying == pskkey::Cat);
    RigctldEdit->setEnabled(keying == pskkey::Rigctld);
    Cm108Edit->setEnabled(keying == pskkey::Cm108);
}

void StationTab::setRigModels(const std::vector<PskRigModel> &models)
{
    const int chosen = RigModelCombo->currentData().toInt();
    RigModelCombo->clear();
    for (const PskRigModel &m : models)
        RigModelCombo->addItem(QStringLiteral("%1 %2 (%3)")
                                   .arg(QString::fromStdString(m.maker), QString::fromStdString(m.name))
                                   .arg(m.model),
                               m.model);
    selectRigModel(chosen);
}

void StationTab::selectRigModel(int model)
{
    RigModelCombo->setCurrentIndex(RigModelCombo->findData(model));
}

void StationTab::load(const StationSettings &s)
{
    LogFileEdit->setText(s.LogFile);
    GridEdit->setText(s.MyGrid);
    ClearAfterLogBox->setChecked(s.ClearAfterLog);
    UdpBox->setChecked(s.UDPEnabled);
    UdpHostEdit->setEnabled(s.UDPEnabled);
    UdpPortSpin->setEnabled(s.UDPEnabled);
    UdpHostEdit->setText(s.UDPHost);
    UdpPortSpin->setValue(s.UDPPort);
    LanguageCombo->setCurrentIndex(std::max(0, LanguageCombo->findData(s.Language)));
    KeyingCombo->setCurrentIndex(s.Keying);
    selectRigModel(s.RigModel);
    RigDeviceEdit->setText(s.RigDevice);
    const int speed = RigSpeedCombo->findData(s.RigSpeed);
    RigSpeedCombo->setCurrentIndex(speed < 0 ? 0 : speed);
    RigctldEdit->setText(s.RigctldAddress);
    Cm108Edit->setText(s.Cm108Device);
    TxLimitSpin->setValue(s.TxTimeLimitMin);
    showKeyingFields();
    selectDevice(InputCombo, s.InputDevice);
    selectDevice(OutputCombo, s.OutputDevice);
    selectDevice(AlertCombo, s.AlertDevice);

}

StationSettings StationTab::values() const
{
    StationSettings s;
    s.LogFile = LogFileEdit->text().trimmed();
    s.MyGrid = normalisedLocator(GridEdit->text().trimmed());
    s.ClearAfterLog = ClearAfterLogBox->isChecked();
    s.UDPEnabled = UdpBox->isChecked();
    s.UDPHost = UdpHostEdit->text().trimmed();
    s.UDPPort = UdpPortSpin->value();
    s.Language = LanguageCombo->currentData().toString();
    s.Keying = KeyingCombo->currentIndex();
    s.RigModel = RigModelCombo->currentData().toInt();
    s.RigDevice = RigDeviceEdit->text().trimmed();
    s.RigSpeed = RigSpeedCombo->currentData().toInt();
    s.RigctldAddress = RigctldEdit->text().trimmed();
    s.Cm108Device = Cm108Edit->text().trimmed();
    s.TxTimeLimitMin = TxLimitSpin->value();
    s.InputDevice = InputCombo->currentData().toString();
    s.OutputDevice = OutputCombo->currentData().toString();
    s.AlertDevice = AlertCombo->currentData().toString();
    return s;
}

QString StationTab::invalidFieldText() const
{
    if (LogFileEdit->text().trimmed().isEmpty())
        return translated(kEmptyLogFileText);
    if (!gridAccepted(GridEdit->text()))
        return translated(kInvalidLocatorText);
    if (UdpBox->isChecked() && !isUdpAddress(UdpHostEdit->text()))
        return translated(kInvalidUdpHostText);
    if (KeyingCombo->currentIndex() == pskkey::Cat && RigModelCombo->currentIndex() < 0)
        return QCoreApplication::translate("Korvo", "Choisissez le modèle du transceiver (CAT).");
    return {};
}

void StationTab::showValidity()
{
    markInvalid(GridEdit, !gridAccepted(GridEdit->text()));
    markInvalid(UdpHostEdit, !isUdpAddress(UdpHostEdit->text()));
}

void StationTab::chooseLogFile()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QCoreApplication::translate("Korvo", "Fichier du journal ADIF"), LogFileEdit->text(),
        QCoreApplication::translate("Korvo", "Fichiers ADIF (*.adi);;Tous les fichiers (*)"), nullptr,
        QFileDialog::DontConfirmOverwrite);
    if (!path.isEmpty())
        LogFileEdit->setText(path);
}
