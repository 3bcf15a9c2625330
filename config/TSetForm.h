#pragma once

#include <QCoreApplication>

#include <QDialog>
#include <QStringList>
#include <array>

class EngineInterface;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class RadioGroup;
class SettingsStore;
class StationTab;
class TCGauge;
struct TSettings;

// The configuration dialog. Several handlers act on the main window's settings and
// on the engine at once, before and whether or not the dialog is confirmed; only the
// store and what CfgBtnClick copies on OK wait for "Appliquer".
class TSetForm : public QDialog
{
    Q_OBJECT
public:
    // presentDevices: the serial devices present (COM1 to COM8 are mapped onto them).
    TSetForm(TSettings &settings, EngineInterface &engine, SettingsStore &store,
             const QStringList &presentDevices, QWidget *parent = nullptr);

    // Port discovery, then the load of the dialog's values through the controls.
    void InitForm(const QStringList &presentDevices);

    void ChangeCall();
    void ChangeDateFormat();
    void ChangePPM();
    void ChangeBlocks();
    void PortGroupClick(int port);
    void PTTGroupClick();
    void ApplyBtnClick();

    // Port number of the checked COM button (1 when none is checked).
    int checkedPort() const;

    QTabWidget *PageCtrl = nullptr;
    QWidget *TabSheet1 = nullptr;
    StationTab *Station = nullptr;   // beside "Générale": logging, later the station's devices
    QLabel *ConfigBar = nullptr;
    RadioGroup *DateGroup = nullptr;
    RadioGroup *RXModeGroup = nullptr;
    RadioGroup *CWGroup = nullptr;
    QGroupBox *PORTGroup = nullptr;
    QRadioButton *COM1 = nullptr, *COM2 = nullptr, *COM3 = nullptr, *COM4 = nullptr;
    QRadioButton *COM5 = nullptr, *COM6 = nullptr, *COM7 = nullptr, *COM8 = nullptr;
    std::array<QRadioButton *, 8> comButtons{};
    RadioGroup *PTTGroup = nullptr;
    QSpinBox *PpmSpin = nullptr;
    QSpinBox *BlocksSpin = nullptr;
    QLineEdit *CALLEdit = nullptr;
    QLineEdit *CWMsgEdit = nullptr;
    QCheckBox *HTUBox = nullptr;
    QCheckBox *SpecBox = nullptr;
    TCGauge *BAND = nullptr;
    QPushButton *ApplyBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    // The same two commands on the "Station" tab, whose page hides the first two.
    QPushButton *StationApplyBtn = nullptr;
    QPushButton *StationCancelBtn = nullptr;

private:
    void buildControls();
    void discoverPorts(const QStringList &presentDevices);
    void loadFromStore();
    void correctBand();
    void portRefused();

    TSettings &m_settings;
    EngineInterface &m_engine;
    SettingsStore &m_store;
};

// Texts of the dialog that other code and the tests refer to.
inline const QString kPortRefusedText = QStringLiteral(QT_TRANSLATE_NOOP("Korvo", "Erreur en sélectionnant le port COM"));
inline const QString kNarrowBandText = QStringLiteral(QT_TRANSLATE_NOOP("Korvo",
    "Pour éviter les problèmes, la bande passante ne peut être inférieure à 400Hz\r\n"
    "La correction a été effectuée."));
