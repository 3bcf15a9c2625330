#include "config/ConfigCommand.h"
#include "config/SettingsBatches.h"
#include "config/SettingsStore.h"
#include "config/StationSettings.h"
#include "config/StationTab.h"
#include "config/TSetForm.h"
#include "config/TSettings.h"
#include "tests/support/FormHarness.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedEngine.h"

#include <QComboBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

StationSettings sampleStation()
{
    StationSettings s;
    s.LogFile = QStringLiteral("/tmp/other/log.adi");
    s.MyGrid = QStringLiteral("IO91wm");
    s.UDPEnabled = false;
    s.UDPHost = QStringLiteral("239.255.0.1");
    s.UDPPort = 2333;
    s.ClearAfterLog = true;
    s.Language = kEnglishLanguage;
    return s;
}

} // namespace

class TestStationTab : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void locatorRule_data();
    void locatorRule();
    void absentValuesReadDefaults();
    void storeRoundTrip();
    void invalidValuesReadDefaults_data();
    void invalidValuesReadDefaults();
    void languageReadAtStart_data();
    void languageReadAtStart();
    void tabSitsBesideGenerale();
    void dialogLoadsAndStoresTheTab();
    void invalidFieldKeepsDialogOpen_data();
    void invalidFieldKeepsDialogOpen();
    void confirmedDialogReachesTheWindow();
    void devicesAndKeyingInTheTab();
    void alertDeviceChoice_data();
    void alertDeviceChoice();

private:
    QString storeWith(const QByteArray &settingsLines);

    std::unique_ptr<QTemporaryDir> m_dir;
    int m_generation = 0;
};

void TestStationTab::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestStationTab::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

QString TestStationTab::storeWith(const QByteArray &settingsLines)
{
    const QString path = m_dir->filePath(QStringLiteral("KORVO-%1.ini").arg(++m_generation));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("[Settings]\n" + settingsLines + "\n[Macros]\n[Look]\n");
    return path;
}

void TestStationTab::locatorRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("normalised");
    QTest::newRow("field") << "JN" << true << "JN";
    QTest::newRow("square") << "jn18" << true << "JN18";
    QTest::newRow("subsquare") << "JN18EU" << true << "JN18eu";
    QTest::newRow("extended") << "io91wm48" << true << "IO91wm48";
    QTest::newRow("field beyond R") << "JS18" << false << "";
    QTest::newRow("subsquare beyond X") << "JN18EY" << false << "";
    QTest::newRow("odd length") << "JN1" << false << "";
    QTest::newRow("letters for digits") << "JNAB" << false << "";
    QTest::newRow("too long") << "JN18eu48aa" << false << "";
    QTest::newRow("empty") << "" << false << "";
}

void TestStationTab::locatorRule()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, normalised);
    QCOMPARE(isMaidenheadLocator(text), valid);
    if (valid)
        QCOMPARE(normalisedLocator(text), normalised);
}

void TestStationTab::absentValuesReadDefaults()
{
    ScriptedDialogs dialogs;
    SettingsStore store(storeWith({}));
    const StationSettings defaults;
    QCOMPARE(defaults.LogFile,
             QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/korvo/korvo.adi");
    QVERIFY(defaults.LogFile.endsWith(QStringLiteral("/korvo/korvo.adi")));
    QCOMPARE(defaults.UDPHost, QStringLiteral("127.0.0.1"));
    QCOMPARE(defaults.UDPPort, 2237);
    QVERIFY(defaults.UDPEnabled);
    QVERIFY(!defaults.ClearAfterLog);
    QVERIFY(defaults.MyGrid.isEmpty());
    QVERIFY(loadStartupSettings(store).station == defaults);
    QVERIFY(*loadDialogSettings(store).station == defaults);
    QVERIFY(dialogs.shown().isEmpty());
}

void TestStationTab::storeRoundTrip()
{
    ScriptedDialogs dialogs;
    const QString path = storeWith({});
    StationSettings station = sampleStation();
    station.Keying = pskkey::Rigctld;
    station.RigModel = 3073;
    station.RigDevice = QStringLiteral("/dev/ttyUSB1");
    station.RigSpeed = 19200;
    station.RigctldAddress = QStringLiteral("192.168.1.5:4533");
    station.Cm108Device = QStringLiteral("/dev/hidraw2");
    station.TxTimeLimitMin = 0;
    station.InputDevice = QStringLiteral("USB Audio CODEC: - (hw:1,0)");
    station.OutputDevice = QStringLiteral("pulse");
    station.AlertDevice = QStringLiteral("Casque USB Analog Stereo");
    {
        SettingsStore store(path);
        QVERIFY(writeDialogSettings(store, TSettings(), &station));
    }
    SettingsStore store(path);
    QVERIFY(*loadDialogSettings(store).station == station);
    QVERIFY(loadStartupSettings(store).station == station);
    QCOMPARE(store.readString(SettingsStore::Settings, QStringLiteral("UDPEnabled"), {}), QStringLiteral("0"));
    QCOMPARE(store.readString(SettingsStore::Settings, QStringLiteral("UDPPort"), {}), QStringLiteral("2333"));
    QVERIFY(dialogs.shown().isEmpty());
}

void TestStationTab::invalidValuesReadDefaults_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("defaultLogFile");
    QTest::newRow("locator case mended") << QByteArray("MyGrid=jn18EU") << "JN18eu" << "127.0.0.1" << 2237 << true;
    QTest::newRow("locator invalid") << QByteArray("MyGrid=XX99") << "" << "127.0.0.1" << 2237 << true;
    QTest::newRow("host name refused") << QByteArray("UDPHost=localhost") << "" << "127.0.0.1" << 2237 << true;
    QTest::newRow("multicast group") << QByteArray("UDPHost=239.255.0.1") << "" << "239.255.0.1" << 2237 << true;
    QTest::newRow("IPv6") << QByteArray("UDPHost=::1") << "" << "::1" << 2237 << true;
    QTest::newRow("port 0") << QByteArray("UDPPort=0") << "" << "127.0.0.1" << 2237 << true;
    QTest::newRow("port too high") << QByteArray("UDPPort=70000") << "" << "127.0.0.1" << 2237 << true;
    QTest::newRow("port not a number") << QByteArray("UDPPort=abc") << "" << "127.0.0.1" << 2237 << true;
    QTest::newRow("port 1") << QByteArray("UDPPort=1") << "" << "127.0.0.1" << 1 << true;
    QTest::newRow("blank log file") << QByteArray("LogFile=\"  \"") << "" << "127.0.0.1" << 2237 << true;
    QTest::newRow("log file kept") << QByteArray("LogFile=/srv/log.adi") << "" << "127.0.0.1" << 2237 << false;
}

void TestStationTab::invalidValuesReadDefaults()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, grid);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(bool, defaultLogFile);
    ScriptedDialogs dialogs;
    SettingsStore store(storeWith(lines));
    const StationSettings s = loadStartupSettings(store).station;
    QCOMPARE(s.MyGrid, grid);
    QCOMPARE(s.UDPHost, host);
    QCOMPARE(s.UDPPort, port);
    QCOMPARE(s.LogFile == StationSettings().LogFile, defaultLogFile);
    QVERIFY(dialogs.shown().isEmpty());
}

// The language is read before any window, from the file the program will use; anything
// but a known language, or a file that cannot be read, is French.
void TestStationTab::languageReadAtStart_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("language");
    QTest::newRow("absent") << QByteArray() << kFrenchLanguage;
    QTest::newRow("English") << QByteArray("Language=en") << kEnglishLanguage;
    QTest::newRow("French") << QByteArray("Language=fr") << kFrenchLanguage;
    QTest::newRow("unknown") << QByteArray("Language=de") << kFrenchLanguage;
    QTest::newRow("not text") << QByteArray("Language=@Variant(\\0\\0\\0\\x1)") << kFrenchLanguage;
}

void TestStationTab::languageReadAtStart()
{
    QFETCH(QByteArray, lines);
    ScriptedDialogs dialogs;
    QTEST(storedInterfaceLanguage(storeWith(lines)), "language");
    QCOMPARE(storedInterfaceLanguage(QStringLiteral("/nonexistent/korvo.ini")), kFrenchLanguage);
    QVERIFY(dialogs.shown().isEmpty());
}

void TestStationTab::tabSitsBesideGenerale()
{
    ScriptedDialogs dialogs;
    ScriptedEngine engine;
    TSettings settings;
    SettingsStore store(storeWith({}));
    TSetForm dialog(settings, engine, store, {});
    QCOMPARE(dialog.PageCtrl->count(), 2);
    QCOMPARE(dialog.PageCtrl->tabText(0), QStringLiteral("Générale"));
    QCOMPARE(dialog.PageCtrl->widget(0), dialog.TabSheet1);
    QCOMPARE(dialog.PageCtrl->tabText(1), QStringLiteral("Station"));
    QCOMPARE(dialog.PageCtrl->widget(1), static_cast<QWidget *>(dialog.Station));
    QCOMPARE(dialog.PageCtrl->currentIndex(), 0);
}

void TestStationTab::dialogLoadsAndStoresTheTab()
{
    ScriptedDialogs dialogs;
    ScriptedEngine engine;
    TSettings settings;
    const QString path = storeWith("LogFile=/tmp/other/log.adi\nMyGrid=IO91wm\nUDPEnabled=0\n"
                                   "UDPHost=239.255.0.1\nUDPPort=2333\nClearAfterLog=1\nLanguage=en");
    SettingsStore store(path);
    TSetForm dialog(settings, engine, store, {});
    StationTab &tab = *dialog.Station;
    QCOMPARE(tab.LogFileEdit->text(), QStringLiteral("/tmp/other/log.adi"));
    QCOMPARE(tab.GridEdit->text(), QStringLiteral("IO91wm"));
    QVERIFY(!tab.UdpBox->isChecked());
    QVERIFY(!tab.UdpHostEdit->isEnabled());
    QCOMPARE(tab.UdpHostEdit->text(), QStringLiteral("239.255.0.1"));
    QCOMPARE(tab.UdpPortSpin->value(), 2333);
    QVERIFY(tab.ClearAfterLogBox->isChecked());
    QCOMPARE(tab.LanguageCombo->currentData().toString(), kEnglishLanguage);

    tab.LanguageCombo->setCurrentIndex(tab.LanguageCombo->findData(kFrenchLanguage));
    tab.GridEdit->setText(QStringLiteral("jn18EU"));
    tab.UdpBox->setChecked(true);
    tab.UdpHostEdit->setText(QStringLiteral("192.168.1.20"));
    tab.UdpPortSpin->setValue(2238);
    tab.ClearAfterLogBox->setChecked(false);
    dialog.PageCtrl->setCurrentWidget(&tab);
    dialog.StationApplyBtn->click();   // the tab's own "Appliquer": the first one is on the hidden page
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    SettingsStore reread(path);
    StationSettings expected = sampleStation();
    expected.MyGrid = QStringLiteral("JN18eu");
    expected.UDPEnabled = true;
    expected.UDPHost = QStringLiteral("192.168.1.20");
    expected.UDPPort = 2238;
    expected.ClearAfterLog = false;
    expected.Language = kFrenchLanguage;
    QVERIFY(*loadDialogSettings(reread).station == expected);
    QVERIFY(dialogs.shown().isEmpty());
}

void TestStationTab::invalidFieldKeepsDialogOpen_data()
{
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("logFile");
    QTest::addColumn<QString>("message");
    QTest::newRow("locator") << "JN18z" << "127.0.0.1" << "/tmp/a.adi" << kInvalidLocatorText;
    QTest::newRow("host name") << "" << "localhost" << "/tmp/a.adi" << kInvalidUdpHostText;
    QTest::newRow("no log file") << "" << "127.0.0.1" << " " << kEmptyLogFileText;
}

void TestStationTab::invalidFieldKeepsDialogOpen()
{
    QFETCH(QString, grid);
    QFETCH(QString, host);
    QFETCH(QString, logFile);
    QFETCH(QString, message);
    ScriptedDialogs dialogs;
    ScriptedEngine engine;
    TSettings settings;
    const QString path = storeWith({});
    SettingsStore store(path);
    TSetForm dialog(settings, engine, store, {});
    dialog.CALLEdit->setText(QStringLiteral("f5abc"));
    dialog.Station->GridEdit->setText(grid);
    dialog.Station->UdpHostEdit->setText(host);
    dialog.Station->LogFileEdit->setText(logFile);
    dialog.ApplyBtnClick();
    QCOMPARE(dialogs.shown(), QStringList({QStringLiteral("beep"), QStringLiteral("message: ") + message}));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));   // still open, nothing accepted
    QCOMPARE(dialog.PageCtrl->currentWidget(), static_cast<QWidget *>(dialog.Station));
    SettingsStore reread(path);
    QCOMPARE(reread.readString(SettingsStore::Settings, QStringLiteral("MyCall"), QStringLiteral("<absent>")),
             QStringLiteral("<absent>"));
}

void TestStationTab::confirmedDialogReachesTheWindow()
{
    FormHarness h;
    h.open();
    QVERIFY(h.form().Station == StationSettings());
    h.form().configCommand->runDialog = [](TSetForm &dialog) {
        dialog.Station->GridEdit->setText(QStringLiteral("IO91wm"));
        dialog.Station->ClearAfterLogBox->setChecked(true);
        dialog.ApplyBtnClick();
        return dialog.result();
    };
    h.form().CfgBtn->click();
    QCOMPARE(h.form().Station.MyGrid, QStringLiteral("IO91wm"));
    QVERIFY(h.form().Station.ClearAfterLog);

    h.form().configCommand->runDialog = [](TSetForm &dialog) {
        dialog.Station->GridEdit->setText(QStringLiteral("JN18"));
        dialog.StationCancelBtn->click();
        return dialog.result();
    };
    h.form().CfgBtn->click();
    QCOMPARE(h.form().Station.MyGrid, QStringLiteral("IO91wm"));

    // And the next start reads it back.
    const QString settingsPath = h.settingsPath();
    QFile stored(settingsPath);
    QVERIFY(stored.open(QIODevice::ReadOnly));
    const QByteArray ini = stored.readAll();
    stored.close();
    h.open(ini);
    QCOMPARE(h.form().Station.MyGrid, QStringLiteral("IO91wm"));
    QVERIFY(h.form().Station.ClearAfterLog);
}

void TestStationTab::alertDeviceChoice_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("desktop default") << "" << "Défaut";
    QTest::newRow("present") << "Casque USB" << "Casque USB";
    QTest::newRow("absent, kept") << "Gone" << "Gone (absent)";
}

// The desktop's outputs after "Défaut"; the choice is kept by name, even when the device is away.
void TestStationTab::alertDeviceChoice()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    StationTab tab;
    tab.setAlertDevices({QStringLiteral("Haut-parleurs"), QStringLiteral("Casque USB")});
    QStringList items;
    for (int i = 0; i < tab.AlertCombo->count(); ++i)
        items << tab.AlertCombo->itemText(i);
    QCOMPARE(items, QStringList({QStringLiteral("Défaut"), QStringLiteral("Haut-parleurs"), QStringLiteral("Casque USB")}));
    StationSettings station;
    station.AlertDevice = stored;
    tab.load(station);
    QCOMPARE(tab.AlertCombo->currentText(), shown);
    QCOMPARE(tab.values().AlertDevice, stored);
    QVERIFY(tab.values() == station);
}

QTEST_MAIN(TestStationTab)
#include "tst_stationtab.moc"

// The devices are offered by name after "Défaut"; a stored one that is not present stays
// chosen, marked absent, rather than silently becoming another. Only the chosen keying
// method's fields are enabled.
void TestStationTab::devicesAndKeyingInTheTab()
{
    ScriptedDialogs dialogs;
    ScriptedEngine engine;
    engine.setAudioDeviceNames(true, {"pulse", "USB Audio CODEC"});
    engine.setAudioDeviceNames(false, {"pulse"});
    engine.setRigModels({{1, "Hamlib", "Dummy"}, {3073, "Icom", "IC-7300"}});
    TSettings settings;
    SettingsStore store(storeWith("InputDevice=USB Audio CODEC\nOutputDevice=Gone\nAlertDevice=Gone too\n"
                                  "Keying=2\nRigModel=3073"));
    TSetForm dialog(settings, engine, store, {});
    StationTab &tab = *dialog.Station;
    QCOMPARE(tab.InputCombo->itemText(0), QStringLiteral("Défaut"));
    QCOMPARE(tab.InputCombo->currentText(), QStringLiteral("USB Audio CODEC"));
    QCOMPARE(tab.OutputCombo->currentText(), QStringLiteral("Gone (absent)"));
    QCOMPARE(tab.values().OutputDevice, QStringLiteral("Gone"));
    QCOMPARE(tab.AlertCombo->itemText(0), QStringLiteral("Défaut"));
    QCOMPARE(tab.AlertCombo->currentText(), QStringLiteral("Gone too (absent)"));
    QCOMPARE(tab.RigModelCombo->currentData().toInt(), 3073);
    QVERIFY(tab.RigModelCombo->isEnabled() && tab.RigDeviceEdit->isEnabled());
    QVERIFY(!tab.RigctldEdit->isEnabled() && !tab.Cm108Edit->isEnabled());
    tab.KeyingCombo->setCurrentIndex(pskkey::Rigctld);
    QVERIFY(!tab.RigModelCombo->isEnabled() && tab.RigctldEdit->isEnabled());
    tab.OutputCombo->setCurrentIndex(0);
    QVERIFY(tab.values().OutputDevice.isEmpty());
    QVERIFY(dialogs.shown().isEmpty());
}
