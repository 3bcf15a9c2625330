#include "config/StationTab.h"

#include "ground/Translated.h"
#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
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

} // namespace

StationTab::StationTab(QWidget *parent) : QWidget(parent)
{
    m_groups = new QVBoxLayout(this);

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
    addLanguageGroup();
    m_groups->addStretch();
    m_footer = new QHBoxLayout;
    m_footer->addStretch();
    m_groups->addLayout(m_footer);

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
    auto *group = new QGroupBox(title, this);
    // Above the closing stretch and the footer once they are there.
    const int at = m_footer ? m_groups->count() - 2 : m_groups->count();
    m_groups->insertWidget(at, group);
    return group;
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
