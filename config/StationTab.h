#pragma once

#include <QCoreApplication>

#include "config/StationSettings.h"

#include <QStringList>
#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QSpinBox;
class QToolButton;
class QVBoxLayout;

// The configuration dialog's "Station" tab: one group box per concern, stacked.
// A new concern (sound devices, rig control...) is a group added with addGroup()
// and its fields carried by StationSettings, loaded and read back through
// load() and values().
class StationTab : public QWidget
{
    Q_OBJECT
public:
    explicit StationTab(QWidget *parent = nullptr);

    void load(const StationSettings &settings);
    // The fields as they stand, locator normalised; check invalidFieldText() first.
    StationSettings values() const;
    // Empty when every field is valid, else the French message naming the first bad one.
    QString invalidFieldText() const;

    // The sound devices offered, by name, after "Défaut"; a stored name not among them
    // is kept and shown as absent.
    void setAudioDevices(const QStringList &inputs, const QStringList &outputs);
    // The desktop's outputs offered for the alert sounds, by description, after "Défaut".
    void setAlertDevices(const QStringList &outputs);
    // hamlib's rig models offered for CAT, in the order given.
    void setRigModels(const std::vector<PskRigModel> &models);

    QGroupBox *addGroup(const QString &title);
    // The row under the groups, where the dialog puts its buttons.
    QHBoxLayout *footer() const { return m_footer; }

    QGroupBox *LogGroup = nullptr;
    QLineEdit *LogFileEdit = nullptr;
    QToolButton *LogFileBtn = nullptr;
    QLineEdit *GridEdit = nullptr;
    QCheckBox *ClearAfterLogBox = nullptr;

    QGroupBox *UdpGroup = nullptr;
    QCheckBox *UdpBox = nullptr;
    QLineEdit *UdpHostEdit = nullptr;
    QSpinBox *UdpPortSpin = nullptr;

    QGroupBox *LanguageGroup = nullptr;
    QComboBox *LanguageCombo = nullptr;   // its items' data: the language codes
    QGroupBox *SoundGroup = nullptr;
    QComboBox *InputCombo = nullptr;      // item 0 "Défaut", item data = device name
    QComboBox *OutputCombo = nullptr;
    QComboBox *AlertCombo = nullptr;

    QGroupBox *KeyingGroup = nullptr;
    QComboBox *KeyingCombo = nullptr;     // item index = pskkey method
    QComboBox *RigModelCombo = nullptr;   // item data = hamlib model
    QLineEdit *RigDeviceEdit = nullptr;
    QComboBox *RigSpeedCombo = nullptr;   // item data = bit/s, 0 the model's default
    QLineEdit *RigctldEdit = nullptr;
    QLineEdit *Cm108Edit = nullptr;
    QSpinBox *TxLimitSpin = nullptr;      // minutes, 0 = none

private:
    void addLanguageGroup();
    void chooseLogFile();
    void showValidity();
    void buildKeyingGroup();
    void buildSoundGroup();
    // Only the fields of the chosen keying method are enabled.
    void showKeyingFields();
    void selectRigModel(int model);

    QVBoxLayout *m_groups = nullptr;
    QHBoxLayout *m_footer = nullptr;
};

inline const QString kInvalidLocatorText = QStringLiteral(QT_TRANSLATE_NOOP("Korvo",
    "Le locator n'est pas valide.\r\n"
    "Il s'écrit avec 2, 4, 6 ou 8 caractères, par exemple JN18 ou JN18eu."));
inline const QString kInvalidUdpHostText = QStringLiteral(QT_TRANSLATE_NOOP("Korvo",
    "L'adresse UDP n'est pas valide.\r\n"
    "Indiquez une adresse IP, par exemple 127.0.0.1 ou 239.255.0.1."));
inline const QString kEmptyLogFileText = QStringLiteral(QT_TRANSLATE_NOOP("Korvo", "Indiquez le fichier du journal ADIF."));
