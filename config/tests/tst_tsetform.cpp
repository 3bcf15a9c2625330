#include "config/ConfigCommand.h"
#include "config/RadioGroup.h"
#include "config/SettingsStore.h"
#include "config/TSetForm.h"
#include "config/TSettings.h"
#include "controls/TCGauge.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedEngine.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <unistd.h>

namespace {

// An engine that refuses the first `refusals` port choices, then accepts.
class RefusingEngine : public ScriptedEngine
{
public:
    int refusals = 0;
    int32_t fnSetComPort(int32_t port, int32_t lines) override
    {
        ScriptedEngine::fnSetComPort(port, lines);
        if (refusals > 0) {
            --refusals;
            return 0;
        }
        return refusals < 0 ? 0 : 1;   // negative: refuse for ever
    }
};

const QStringList kThreeDevices{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyS1"),
                                QStringLiteral("/dev/ttyS0")};

} // namespace

class TestTSetForm : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void portDiscovery();
    void loadingCallSignRunsChangeCall();
    void readFailureLeavesLaterControlsInDesignState();
    void loadingPttTellsEngineThePortAgain();
    void loadingDateFormat_data();
    void loadingDateFormat();
    void loadingClampsRadioIndexAndBand();
    void typingCallShowsCwIdAtOnce();
    void clickingPortSixWithPttStoresAndTellsEngine();
    void refusedPttFallsBackToCom1Inactif();
    void endlessRefusalStillEnds();
    void bandCorrection_data();
    void bandCorrection();
    void applyStoresAndCopies();
    void cancelKeepsLiveChanges();
    void writeFailureStillClosesWithOk();

private:
    void writeStore(const QString &settingsLines);
    std::unique_ptr<TSetForm> openDialog(const QStringList &devices = kThreeDevices);
    QString storedValue(const QString &name);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    RefusingEngine m_engine;
    TSettings m_settings;
};

void TestTSetForm::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_engine.clearCalls();
    m_engine.refusals = 0;
    m_settings = TSettings();
    writeStore({});
}

void TestTSetForm::cleanup()
{
    m_store.reset();
    m_dialogs.reset();
}

void TestTSetForm::writeStore(const QString &settingsLines)
{
    m_store.reset();
    // A fresh file each time: the settings layer caches a file it has read, and a
    // rewrite of the same size within the same second would look unchanged.
    static int generation = 0;
    QFile file(m_dir->filePath(QStringLiteral("KORVO-%1.ini").arg(++generation)));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Settings]\n" + settingsLines.toUtf8() + "\n[Macros]\n[Look]\n");
    file.close();
    m_store = std::make_unique<SettingsStore>(file.fileName());
}

std::unique_ptr<TSetForm> TestTSetForm::openDialog(const QStringList &devices)
{
    return std::make_unique<TSetForm>(m_settings, m_engine, *m_store, devices);
}

QString TestTSetForm::storedValue(const QString &name)
{
    SettingsStore reread(m_store->path());
    return reread.readString(SettingsStore::Settings, name, QStringLiteral("<absent>"));
}

void TestTSetForm::portDiscovery()
{
    auto dialog = openDialog();
    const bool expected[8] = {true, true, true, false, false, false, false, false};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(dialog->comButtons[i]->isEnabled(), expected[i]);
    QCOMPARE(dialog->COM1->toolTip(), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(dialog->COM2->toolTip(), QStringLiteral("/dev/ttyS1"));
    QCOMPARE(dialog->COM3->toolTip(), QStringLiteral("/dev/ttyUSB0"));
    QVERIFY(dialog->COM1->isChecked());
    QCOMPARE(dialog->COM6->text(), QStringLiteral("COM 6"));

    QStringList many;
    for (int i = 12; i >= 0; --i)
        many << QStringLiteral("/dev/ttyS%1").arg(i);
    auto crowded = openDialog(many);
    for (int i = 0; i < 8; ++i)
        QVERIFY(crowded->comButtons[i]->isEnabled());
    QCOMPARE(crowded->COM3->toolTip(), QStringLiteral("/dev/ttyS2"));
    QCOMPARE(crowded->COM8->toolTip(), QStringLiteral("/dev/ttyS7"));

    auto none = openDialog({});
    for (QRadioButton *button : none->comButtons)
        QVERIFY(!button->isEnabled());
    QVERIFY(none->COM1->isChecked());
}

void TestTSetForm::loadingCallSignRunsChangeCall()
{
    writeStore(QStringLiteral("MyCall=f6abc\nCWID=de F6ABC/P"));
    auto dialog = openDialog();
    QCOMPARE(m_settings.CWID, QStringLiteral("de f6abc"));
    QCOMPARE(dialog->CWMsgEdit->text(), QStringLiteral("de F6ABC/P"));
    QCOMPARE(dialog->CALLEdit->text(), QStringLiteral("f6abc"));
    QVERIFY(!dialog->CWMsgEdit->isEnabled());
    QVERIFY(dialog->CWMsgEdit->isReadOnly());
}

void TestTSetForm::readFailureLeavesLaterControlsInDesignState()
{
    // A list is not plain text: the load stops there.
    writeStore(QStringLiteral("MyCall=f6abc\nSpectrumPlain=1, 2\nShowUTCTime=0\nDateFormat=3\nPTTControl=2"));
    auto dialog = openDialog();
    QCOMPARE(m_dialogs->shown(), (QStringList{QStringLiteral("beep"),
                                              QStringLiteral("message: Problème en lisant la base de registre")}));
    QCOMPARE(dialog->CALLEdit->text(), QStringLiteral("f6abc"));
    QVERIFY(!dialog->HTUBox->isChecked());
    QVERIFY(dialog->SpecBox->isChecked());
    QCOMPARE(dialog->DateGroup->itemIndex(), 0);
    QCOMPARE(dialog->PTTGroup->itemIndex(), 0);
    QVERIFY(m_engine.calls().isEmpty());
    QCOMPARE(dialog->BAND->AreaLeft(), 75);
    QCOMPARE(dialog->BAND->AreaRight(), 3000);
}

void TestTSetForm::loadingPttTellsEngineThePortAgain()
{
    writeStore(QStringLiteral("ComPort=3\nPTTControl=2"));
    auto dialog = openDialog();
    QCOMPARE(m_engine.calls(), QStringList{QStringLiteral("fnSetComPort(3, 2)")});
    QVERIFY(dialog->COM3->isChecked());
    QCOMPARE(dialog->PTTGroup->itemIndex(), 2);
    QCOMPARE(m_settings.ComPort, 3);

    // "Inactif" stored: the port is only remembered, the engine hears nothing.
    m_engine.clearCalls();
    writeStore(QStringLiteral("ComPort=2\nPTTControl=0"));
    auto quiet = openDialog();
    QVERIFY(m_engine.calls().isEmpty());
    QCOMPARE(m_settings.ComPort, 2);
}

void TestTSetForm::loadingDateFormat_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("preview");
    QTest::newRow("format 0 leaves the preview empty") << "0" << "" << false;
    QTest::newRow("format 2") << "2" << "dd/mm/yyyy" << true;
    QTest::newRow("beyond the last: the last") << "9" << "dddd d mmmm yyyy" << true;
}

void TestTSetForm::loadingDateFormat()
{
    QFETCH(QString, stored);
    QFETCH(QString, pattern);
    QFETCH(bool, preview);
    writeStore(QStringLiteral("DateFormat=") + stored);
    auto dialog = openDialog();
    QCOMPARE(m_settings.DatePattern, pattern);
    QCOMPARE(!dialog->ConfigBar->text().isEmpty(), preview);
}

void TestTSetForm::loadingClampsRadioIndexAndBand()
{
    writeStore(QStringLiteral("RXMode=-1\nCWIDSpeed=7\nWFMin=3200\nWFMax=3400\nBlocks=7\nPPMAdjust=-150"));
    auto dialog = openDialog();
    // Values outside their range read as their defaults: BPSK, 12.5 words a minute.
    QCOMPARE(dialog->RXModeGroup->itemIndex(), 0);
    QCOMPARE(dialog->CWGroup->itemIndex(), 2);
    // The left edge is loaded first against the design right edge 3000.
    QCOMPARE(dialog->BAND->AreaLeft(), 3000);
    QCOMPARE(dialog->BAND->AreaRight(), 3400);
    QCOMPARE(m_settings.Blocks, 7);
    QCOMPARE(m_settings.PPMAdjust, -150);
}

void TestTSetForm::typingCallShowsCwIdAtOnce()
{
    auto dialog = openDialog();
    dialog->CALLEdit->clear();
    QTest::keyClicks(dialog->CALLEdit, QStringLiteral("test"));
    QCOMPARE(dialog->CWMsgEdit->text(), QStringLiteral("de test"));
    QCOMPARE(m_settings.CWID, QStringLiteral("de test"));
}

void TestTSetForm::clickingPortSixWithPttStoresAndTellsEngine()
{
    QStringList six;
    for (int i = 0; i < 6; ++i)
        six << QStringLiteral("/dev/ttyS%1").arg(i);
    writeStore(QStringLiteral("PTTControl=1"));
    auto dialog = openDialog(six);
    m_engine.clearCalls();
    dialog->COM6->click();
    QCOMPARE(m_engine.calls(), QStringList{QStringLiteral("fnSetComPort(6, 1)")});
    QCOMPARE(m_settings.ComPort, 6);
    dialog->ApplyBtnClick();
    QCOMPARE(storedValue(QStringLiteral("ComPort")), QStringLiteral("6"));
}

void TestTSetForm::refusedPttFallsBackToCom1Inactif()
{
    writeStore(QStringLiteral("ComPort=3"));
    auto dialog = openDialog();
    m_engine.refusals = 1;
    dialog->PTTGroup->button(1)->click();   // "RTS Seulement"
    QCOMPARE(m_dialogs->shown(),
             (QStringList{QStringLiteral("beep"), QStringLiteral("message: ") + kPortRefusedText}));
    QVERIFY(dialog->COM1->isChecked());
    QCOMPARE(dialog->PTTGroup->itemIndex(), 0);
    QCOMPARE(m_settings.ComPort, 1);
    // COM1 is clicked while "RTS Seulement" still shows, then "Inactif".
    QCOMPARE(m_engine.calls(), (QStringList{QStringLiteral("fnSetComPort(3, 1)"),
                                            QStringLiteral("fnSetComPort(1, 1)"),
                                            QStringLiteral("fnSetComPort(1, 0)")}));
}

void TestTSetForm::endlessRefusalStillEnds()
{
    writeStore(QStringLiteral("ComPort=2"));
    auto dialog = openDialog();
    m_engine.refusals = -1;
    dialog->PTTGroup->button(3)->click();
    QVERIFY(dialog->COM1->isChecked());
    QCOMPARE(dialog->PTTGroup->itemIndex(), 0);
    QVERIFY(m_engine.calls().size() <= 4);
}

void TestTSetForm::bandCorrection_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("appliedLeft");
    QTest::addColumn<int>("appliedRight");
    QTest::addColumn<bool>("message");
    QTest::newRow("3300-3500") << 3300 << 3500 << 3100 << 3500 << true;
    QTest::newRow("50-3600") << 50 << 3600 << 100 << 3500 << false;
    QTest::newRow("1000-1400") << 1000 << 1400 << 1000 << 1400 << false;
    QTest::newRow("1000-1399") << 1000 << 1399 << 1000 << 1400 << true;
    QTest::newRow("both edges at 50") << 50 << 50 << 50 << 450 << true;
    QTest::newRow("3400-3600") << 3400 << 3600 << 3100 << 3500 << true;
}

void TestTSetForm::bandCorrection()
{
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, appliedLeft);
    QFETCH(int, appliedRight);
    QFETCH(bool, message);
    auto dialog = openDialog();
    // As a drag leaves them: right edge first so that the left one is free to move.
    dialog->BAND->setAreaRight(3600);
    dialog->BAND->setAreaLeft(left);
    dialog->BAND->setAreaRight(right);
    QCOMPARE(dialog->BAND->AreaLeft(), left);
    dialog->ApplyBtnClick();
    QCOMPARE(dialog->BAND->AreaLeft(), appliedLeft);
    QCOMPARE(dialog->BAND->AreaRight(), appliedRight);
    QCOMPARE(m_dialogs->messages(), message ? QStringList{kNarrowBandText} : QStringList{});
    if (message)
        QCOMPARE(m_dialogs->kinds(), QList<Dialogs::Kind>{Dialogs::Kind::Warning});
    QCOMPARE(storedValue(QStringLiteral("WFMin")), QString::number(appliedLeft));
    QCOMPARE(storedValue(QStringLiteral("WFMax")), QString::number(appliedRight));
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
}

void TestTSetForm::applyStoresAndCopies()
{
    QWidget owner;
    QStringList hooks;
    ConfigCommand command(m_settings, m_engine, [this]() -> SettingsStore & { return *m_store; },
                          &owner,
                          {[&] { hooks << QStringLiteral("caption ") + m_settings.MyCall.toUpper(); },
                           [&] { hooks << QStringLiteral("band"); },
                           [&] { hooks << QStringLiteral("port"); },
                           [&] { hooks << QStringLiteral("replay %1").arg(m_settings.Blocks); }});
    command.presentDevices = [] { return kThreeDevices; };
    command.runDialog = [](TSetForm &dialog) {
        dialog.CALLEdit->setText(QStringLiteral("test"));
        dialog.BlocksSpin->setValue(99);
        dialog.CWGroup->setItemIndex(1);
        dialog.RXModeGroup->setItemIndex(2);
        dialog.COM2->click();
        dialog.PTTGroup->setItemIndex(3);
        dialog.HTUBox->setChecked(false);
        dialog.ApplyBtnClick();
        return dialog.result();
    };
    command.CfgBtnClick();

    QCOMPARE(storedValue(QStringLiteral("MyCall")), QStringLiteral("test"));
    QCOMPARE(storedValue(QStringLiteral("Blocks")), QStringLiteral("99"));
    QCOMPARE(storedValue(QStringLiteral("ShowUTCTime")), QStringLiteral("0"));
    QCOMPARE(m_settings.MyCall, QStringLiteral("test"));
    QCOMPARE(m_settings.CWID, QStringLiteral("de test"));
    QCOMPARE(m_settings.ComPort, 2);
    QCOMPARE(m_settings.PTTControl, 3);
    QCOMPARE(m_settings.WFMin, 100);
    QCOMPARE(m_settings.WFMax, 3500);
    QCOMPARE(hooks, (QStringList{QStringLiteral("band"), QStringLiteral("port"),
                                 QStringLiteral("replay 99"), QStringLiteral("caption TEST")}));
    QCOMPARE(m_engine.calls().mid(m_engine.calls().size() - 6),
             (QStringList{QStringLiteral("fnSetCWIDString(de test)"), QStringLiteral("fnSetCWIDSpeed(2)"),
                          QStringLiteral("fnSetClockErrorAdjustment(0)"), QStringLiteral("fnSetComPort(2, 3)"),
                          QStringLiteral("fnSetRXPSKMode(2, 0)"), QStringLiteral("fnSetRXPSKMode(2, 1)")}));
}

void TestTSetForm::cancelKeepsLiveChanges()
{
    writeStore(QStringLiteral("Blocks=4\nMyCall=old\nCWIDSpeed=2"));
    m_settings.Blocks = 4;
    m_settings.MyCall = QStringLiteral("old");
    QWidget owner;
    QStringList hooks;
    ConfigCommand command(m_settings, m_engine, [this]() -> SettingsStore & { return *m_store; },
                          &owner,
                          {[&] { hooks << QStringLiteral("caption"); }, {}, {},
                           [&] { hooks << QStringLiteral("replay"); }});
    command.presentDevices = [] { return kThreeDevices; };
    command.runDialog = [](TSetForm &dialog) {
        dialog.BlocksSpin->setValue(10);
        dialog.PpmSpin->setValue(250);
        dialog.CALLEdit->setText(QStringLiteral("new"));
        dialog.CWGroup->setItemIndex(0);
        dialog.reject();
        return dialog.result();
    };
    m_engine.clearCalls();
    command.CfgBtnClick();

    QCOMPARE(m_settings.Blocks, 10);
    QCOMPARE(m_settings.PPMAdjust, 250);
    QCOMPARE(m_settings.MyCall, QStringLiteral("old"));
    QCOMPARE(m_settings.CWIDSpeed, 2);
    QCOMPARE(storedValue(QStringLiteral("Blocks")), QStringLiteral("4"));
    QCOMPARE(hooks, QStringList{QStringLiteral("caption")});
    QCOMPARE(m_engine.calls(),
             (QStringList{QStringLiteral("fnSetCWIDString(de new)"), QStringLiteral("fnSetCWIDSpeed(3)"),
                          QStringLiteral("fnSetClockErrorAdjustment(250)"), QStringLiteral("fnSetComPort(1, 0)"),
                          QStringLiteral("fnSetRXPSKMode(0, 0)"), QStringLiteral("fnSetRXPSKMode(0, 1)")}));
}

void TestTSetForm::writeFailureStillClosesWithOk()
{
    auto dialog = openDialog();
    QFile::setPermissions(m_store->path(), QFile::ReadOwner);
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner);
    dialog->HTUBox->setChecked(false);
    dialog->ApplyBtnClick();
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(!m_settings.ShowUTCTime);
    if (::geteuid() != 0)   // root writes anyway
        QCOMPARE(m_dialogs->messages(),
                 QStringList{QStringLiteral("Problème en écrivant dans la base de registre")});
}

QTEST_MAIN(TestTSetForm)
#include "tst_tsetform.moc"
