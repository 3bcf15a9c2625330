#include "config/StationTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QScrollArea>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

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

    LogGroup = addGroup(QStringLiteral(" Journal "));
    auto *logForm = new QFormLayout(LogGroup);
    LogFileEdit = new QLineEdit(LogGroup);
    LogFileEdit->setToolTip(QStringLiteral(
        "Fichier ADIF auquel chaque QSO enregistré est ajouté (Ctrl+L).\n"
        "Les logiciels de trafic (CQRLOG, Log4OM, QLog...) savent l'importer."));
    LogFileBtn = new QToolButton(LogGroup);
    LogFileBtn->setText(QStringLiteral("..."));
    LogFileBtn->setToolTip(QStringLiteral("Choisir le fichier"));
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(LogFileEdit);
    fileRow->addWidget(LogFileBtn);
    logForm->addRow(QStringLiteral("Fichier ADIF"), fileRow);
    GridEdit = new QLineEdit(LogGroup);
    GridEdit->setMaxLength(8);
    GridEdit->setToolTip(QStringLiteral("Votre locator (QTH locator Maidenhead), par exemple JN18eu"));
    logForm->addRow(QStringLiteral("Mon locator"), GridEdit);
    ClearAfterLogBox = new QCheckBox(QStringLiteral("Effacer le QSO en cours après l'enregistrement"), LogGroup);
    logForm->addRow(ClearAfterLogBox);

    UdpGroup = addGroup(QStringLiteral(" Messages UDP (protocole WSJT-X) "));
    auto *udpForm = new QFormLayout(UdpGroup);
    UdpBox = new QCheckBox(QStringLiteral("Envoyer les QSO enregistrés"), UdpGroup);
    UdpBox->setToolTip(QStringLiteral(
        "Messages \"QSO Logged\" et \"Logged ADIF\" lus par GridTracker, JTAlert,\n"
        "CQRLOG, Log4OM, Wavelog Gate, N1MM..."));
    udpForm->addRow(UdpBox);
    UdpHostEdit = new QLineEdit(UdpGroup);
    UdpHostEdit->setToolTip(QStringLiteral(
        "Adresse IP du logiciel qui écoute (127.0.0.1 sur cette machine),\n"
        "ou d'un groupe multicast (239.255.0.1...). Pas de nom de machine."));
    udpForm->addRow(QStringLiteral("Adresse"), UdpHostEdit);
    UdpPortSpin = new QSpinBox(UdpGroup);
    UdpPortSpin->setRange(kUdpPortMin, kUdpPortMax);
    udpForm->addRow(QStringLiteral("Port"), UdpPortSpin);
    buildSoundGroup();
    buildKeyingGroup();
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
    combo->addItem(QCoreApplication::translate("StationTab", "Défaut"), QString());
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
        combo->addItem(QCoreApplication::translate("StationTab", "%1 (absent)").arg(name), name);
        at = combo->count() - 1;
    }
    combo->setCurrentIndex(at);
}

} // namespace

void StationTab::buildSoundGroup()
{
    SoundGroup = addGroup(tr(" Carte son "));
    auto *form = new QFormLayout(SoundGroup);
    const auto deviceCombo = [this](const QString &hint) {
        auto *combo = new QComboBox(SoundGroup);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(24);
        combo->setToolTip(hint);
        return combo;
    };
    InputCombo = deviceCombo(tr("Entrée du son reçu (pris en compte à la prochaine connexion)"));
    form->addRow(tr("Entrée (réception)"), InputCombo);
    OutputCombo = deviceCombo(tr("Sortie vers le transceiver (prise en compte à la prochaine connexion)"));
    form->addRow(tr("Sortie (émission)"), OutputCombo);
    setAudioDevices({}, {});
}

void StationTab::setAudioDevices(const QStringList &inputs, const QStringList &outputs)
{
    fillDevices(InputCombo, inputs);
    fillDevices(OutputCombo, outputs);
}

void StationTab::buildKeyingGroup()
{
    KeyingGroup = addGroup(tr(" Emission et transceiver "));
    auto *form = new QFormLayout(KeyingGroup);
    KeyingCombo = new QComboBox(KeyingGroup);
    // In the order of the engine's keying methods.
    KeyingCombo->addItems({tr("Aucune (VOX)"), tr("Port série RTS/DTR (onglet Générale)"), tr("CAT (hamlib)"),
                           tr("rigctld (réseau)"), tr("GPIO CM108")});
    KeyingCombo->setToolTip(tr("Comment le transceiver est passé en émission"));
    form->addRow(tr("Commande d'émission"), KeyingCombo);
    RigModelCombo = new QComboBox(KeyingGroup);
    RigModelCombo->setToolTip(tr("Modèle du transceiver dans la liste de hamlib"));
    RigModelCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    RigModelCombo->setMinimumContentsLength(24);
    form->addRow(tr("Modèle"), RigModelCombo);
    RigDeviceEdit = new QLineEdit(KeyingGroup);
    RigDeviceEdit->setPlaceholderText(QStringLiteral("/dev/ttyUSB0"));
    RigDeviceEdit->setToolTip(tr("Port série CAT du transceiver"));
    form->addRow(tr("Port CAT"), RigDeviceEdit);
    RigSpeedCombo = new QComboBox(KeyingGroup);
    for (int speed : kRigSpeeds)
        RigSpeedCombo->addItem(speed == 0 ? tr("Défaut") : QString::number(speed), speed);
    form->addRow(tr("Vitesse (bit/s)"), RigSpeedCombo);
    RigctldEdit = new QLineEdit(KeyingGroup);
    RigctldEdit->setToolTip(tr("Adresse d'un rigctld déjà lancé, machine:port"));
    form->addRow(tr("rigctld"), RigctldEdit);
    Cm108Edit = new QLineEdit(KeyingGroup);
    Cm108Edit->setToolTip(tr("Périphérique hidraw de l'interface son CM108"));
    form->addRow(tr("Interface CM108"), Cm108Edit);
    TxLimitSpin = new QSpinBox(KeyingGroup);
    TxLimitSpin->setRange(0, kTxTimeLimitMaxMin);
    TxLimitSpin->setSuffix(tr(" min"));
    TxLimitSpin->setSpecialValueText(tr("Aucune"));
    TxLimitSpin->setToolTip(tr("Une émission plus longue est arrêtée (0 : pas de limite)"));
    form->addRow(tr("Durée maximale d'émission"), TxLimitSpin);
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
    s.Keying = KeyingCombo->currentIndex();
    s.RigModel = RigModelCombo->currentData().toInt();
    s.RigDevice = RigDeviceEdit->text().trimmed();
    s.RigSpeed = RigSpeedCombo->currentData().toInt();
    s.RigctldAddress = RigctldEdit->text().trimmed();
    s.Cm108Device = Cm108Edit->text().trimmed();
    s.TxTimeLimitMin = TxLimitSpin->value();
    s.InputDevice = InputCombo->currentData().toString();
    s.OutputDevice = OutputCombo->currentData().toString();
    return s;
}

QString StationTab::invalidFieldText() const
{
    if (LogFileEdit->text().trimmed().isEmpty())
        return kEmptyLogFileText;
    if (!gridAccepted(GridEdit->text()))
        return kInvalidLocatorText;
    if (UdpBox->isChecked() && !isUdpAddress(UdpHostEdit->text()))
        return kInvalidUdpHostText;
    if (KeyingCombo->currentIndex() == pskkey::Cat && RigModelCombo->currentIndex() < 0)
        return tr("Choisissez le modèle du transceiver (CAT).");
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
        this, QStringLiteral("Fichier du journal ADIF"), LogFileEdit->text(),
        QStringLiteral("Fichiers ADIF (*.adi);;Tous les fichiers (*)"), nullptr,
        QFileDialog::DontConfirmOverwrite);
    if (!path.isEmpty())
        LogFileEdit->setText(path);
}
