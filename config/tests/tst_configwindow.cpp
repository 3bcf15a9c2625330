#include "app/TPSKForm.h"
#include "config/ConfigCommand.h"
#include "config/PaneLook.h"
#include "config/RadioGroup.h"
#include "config/SettingsStore.h"
#include "config/TSetForm.h"
#include "controls/TCGauge.h"
#include "controls/TLEDLabel.h"
#include "controls/TWAVPlayer.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedEngine.h"
#include "channels/ReceiveTerminal.h"
#include "transmit/TransmitBuffer.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {

// The replay hint follows the system's decimal separator: run under a French
// locale, set before the application reads it.
const bool kFrenchLocale = [] {
    qputenv("LC_ALL", "fr_FR.UTF-8");
    qputenv("LANG", "fr_FR.UTF-8");
    return true;
}();

class AnsweringLookDialogs : public LookDialogs
{
public:
    QColor color;
    int asked = 0;
    bool chooseColor(QColor &chosen) override
    {
        ++asked;
        chosen = color;
        return true;
    }
    // OK without touching anything: the dialog's font comes back as it was given.
    bool chooseFont(PaneFontChoice &choice) override
    {
        fontsGiven << choice.font;
        return true;
    }
    QList<QFont> fontsGiven;
};

class RecordingOutput : public WaveOutput
{
public:
    QStringList started;
    int deviceCount() const override { return 1; }
    bool isPlaying() const override { return false; }
    void useDevice(const QString &) override {}
    void start(const QString &fileName, bool) override { started << fileName; }
    void playToEnd(const QString &fileName) override { started << fileName; }
};

} // namespace

// The configuration command and the pane look as the main window wires them.
class TestConfigWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void okUpdatesCaptionHintAndIndicator();
    void cancelKeepsOldHintButNewBlocks();
    void startupAppliesStoredLookAndPlaysSound();
    void paneMenusRunTheColourCommand();
    void fontDialogOpensOnTheFaceShown();
    void bandChosenWhileDisconnectedKeepsShiftsDisabled();

private:
    std::unique_ptr<TPSKForm> openWindow(const QByteArray &ini);
    QString stored(const QString &section, const QString &name);

    QTemporaryDir m_dir;
    QString m_iniPath;
    QString m_oldCurrent;
    ScriptedEngine m_engine;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    RecordingOutput m_sound;
};

void TestConfigWindow::init()
{
    QVERIFY(kFrenchLocale);
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_sound = RecordingOutput();
    WaveOutput::install(&m_sound);
    m_oldCurrent = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    // Sounds are found in the operator's data folder.
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path()));
}

void TestConfigWindow::cleanup()
{
    QDir::setCurrent(m_oldCurrent);
    qunsetenv("XDG_DATA_HOME");
    WaveOutput::install(nullptr);
    m_dialogs.reset();
}

std::unique_ptr<TPSKForm> TestConfigWindow::openWindow(const QByteArray &ini)
{
    // A fresh file per window: the settings layer caches a file it has read by its
    // size and time, which a rewrite within the same second can match.
    static int generation = 0;
    m_iniPath = m_dir.filePath(QStringLiteral("KORVO-%1.ini").arg(++generation));
    QFile file(m_iniPath);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(ini);
    file.close();
    auto form = std::make_unique<TPSKForm>(m_engine, file.fileName());
    form->configCommand->presentDevices = [] {
        return QStringList{QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB0")};
    };
    return form;
}

QString TestConfigWindow::stored(const QString &section, const QString &name)
{
    SettingsStore store(m_iniPath);
    return store.readString(section, name, QStringLiteral("<absent>"));
}

void TestConfigWindow::okUpdatesCaptionHintAndIndicator()
{
    auto form = openWindow("[Settings]\nMyCall=old\n");
    form->configCommand->runDialog = [](TSetForm &dialog) {
        dialog.CALLEdit->setText(QStringLiteral("test"));
        dialog.BlocksSpin->setValue(99);
        dialog.COM2->click();
        dialog.PTTGroup->setItemIndex(1);
        dialog.ApplyBtnClick();
        return dialog.result();
    };
    form->CfgBtn->click();
    QVERIFY(form->windowTitle().endsWith(QStringLiteral(" - TEST")));
    QCOMPARE(stored(SettingsStore::Settings, QStringLiteral("MyCall")), QStringLiteral("test"));
    QCOMPARE(form->RewindBtn->toolTip(), QStringLiteral("Replay 25,344 secondes"));
    QVERIFY(form->LEDTwo->Lit());
    QCOMPARE(form->LEDTwo->toolTip(), QStringLiteral("Le port COM 2 est ouvert"));
}

void TestConfigWindow::cancelKeepsOldHintButNewBlocks()
{
    auto form = openWindow("[Settings]\nBlocks=4\n");
    const QString oldHint = form->RewindBtn->toolTip();
    QCOMPARE(oldHint, QStringLiteral("Replay 1,024 secondes"));
    form->configCommand->runDialog = [](TSetForm &dialog) {
        dialog.BlocksSpin->setValue(10);
        dialog.reject();
        return dialog.result();
    };
    form->CfgBtn->click();
    QCOMPARE(form->Settings.Blocks, 10);
    QCOMPARE(form->RewindBtn->toolTip(), oldHint);
    QCOMPARE(stored(SettingsStore::Settings, QStringLiteral("Blocks")), QStringLiteral("4"));
}

void TestConfigWindow::startupAppliesStoredLookAndPlaysSound()
{
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("korvo")));
    const QString path = m_dir.filePath(QStringLiteral("korvo/Startup.Wav"));
    QFile wave(path);
    QVERIFY(wave.open(QIODevice::WriteOnly));
    wave.write("RIFF");
    wave.close();
    auto form = openWindow("[Look]\nColor1=255\nFT2Name=Arial\nFT2Size=12\nFT2Style=10\n"
                           "FT3Style=1100\n");
    QCOMPARE(m_sound.started, QStringList{path});
    QCOMPARE(form->paneLook->paneBackground(0), QColor(255, 0, 0));
    QCOMPARE(form->paneLook->paneBackground(1), QColor(Qt::black));
    QCOMPARE(form->TermTwo->font().family(), QStringLiteral("Arial"));
    const PaneFontChoice two = form->paneLook->paneFont(1);
    QCOMPARE(two.font.family(), QFontInfo(form->TermTwo->font()).family());
    QCOMPARE(two.font.pointSize(), 12);
    QVERIFY(!two.font.bold() && !two.font.italic());
    QCOMPARE(two.color, QColor(255, 255, 0));
    const PaneFontChoice three = form->paneLook->paneFont(2);
    QVERIFY(three.font.bold() && three.font.italic());
}

void TestConfigWindow::paneMenusRunTheColourCommand()
{
    auto form = openWindow("");
    AnsweringLookDialogs look;
    LookDialogs::install(&look);
    const QString names[3] = {QStringLiteral("Color1"), QStringLiteral("Color2"), QStringLiteral("Color3")};
    QAction *commands[3] = {form->receiveTerminals[0]->colorAction, form->receiveTerminals[1]->colorAction,
                            form->transmitBuffer->Color3};
    for (int pane = 0; pane < 3; ++pane) {
        look.color = QColor(pane * 10, 0, 0);
        commands[pane]->trigger();
        QCOMPARE(stored(SettingsStore::Look, names[pane]), QString::number(pane * 10));
    }
    QCOMPARE(look.asked, 3);
    QCOMPARE(form->TxBuf->palette().color(QPalette::Base), QColor(20, 0, 0));
    LookDialogs::install(nullptr);
}

void TestConfigWindow::fontDialogOpensOnTheFaceShown()
{
    auto form = openWindow("[Look]\nFT1Name=Korvo No Such Face\nFT1Size=10\n");
    const QString shownFace = QFontInfo(form->TermOne->font()).family();
    QVERIFY(shownFace != QStringLiteral("Korvo No Such Face"));
    AnsweringLookDialogs look;
    LookDialogs::install(&look);
    form->receiveTerminals[0]->fontAction->trigger();
    LookDialogs::install(nullptr);

    QCOMPARE(look.fontsGiven.size(), 1);
    QCOMPARE(look.fontsGiven.first().family(), shownFace);
    QCOMPARE(QFontInfo(form->TermOne->font()).family(), shownFace);
    QCOMPARE(QFontInfo(form->TermOne->font()).pointSize(), 10);
    QCOMPARE(stored(SettingsStore::Look, QStringLiteral("FT1Name")), shownFace);
}

void TestConfigWindow::bandChosenWhileDisconnectedKeepsShiftsDisabled()
{
    auto form = openWindow("");
    QVERIFY(!form->flags.CardActive);
    form->configCommand->runDialog = [](TSetForm &dialog) {
        dialog.BAND->setAreaLeft(300);
        dialog.BAND->setAreaRight(3000);
        dialog.accept();
        return dialog.result();
    };
    form->CfgBtn->click();
    QCOMPARE(form->Settings.WFMin, 300);
    QVERIFY(!form->LeftBtn->isEnabled());
    QVERIFY(!form->RightBtn->isEnabled());
}

QTEST_MAIN(TestConfigWindow)
#include "tst_configwindow.moc"
