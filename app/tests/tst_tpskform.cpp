#include "ground/InfoPanel.h"
#include "ground/StatusBar.h"
#include "app/StatusClock.h"
#include "app/StripHandle.h"
#include "app/TPSKForm.h"
#include "app/ToolCommands.h"
#include "config/ConfigCommand.h"
#include "config/SettingsStore.h"
#include "config/TSetForm.h"
#include "controls/TLEDLabel.h"
#include "displays/Displays.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedEngine.h"
#include "transmit/TransmitControl.h"

#include <QCheckBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {

class KeySpy : public QObject
{
public:
    int presses = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::KeyPress)
            ++presses;
        return false;
    }
};

} // namespace

class TestTPSKForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDir;
    ScriptedEngine *m_engine = nullptr;
    ScriptedDialogs *m_dialogs = nullptr;

    QString storePath() const { return m_dir->filePath(QStringLiteral("KORVO.ini")); }

    void writeStore(const QByteArray &text)
    {
        QFile f(storePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    // A file of the operator's data folder, its folder made.
    QString dataFile(const QString &name) const
    {
        QDir(m_dir->path()).mkpath(QStringLiteral("share/korvo"));
        return m_dir->filePath(QStringLiteral("share/korvo/") + name);
    }

    std::unique_ptr<TPSKForm> makeForm() { return std::make_unique<TPSKForm>(*m_engine, storePath()); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        // talmer.exe and korvo.hlp are looked for in the operator's data folder, never
        // in the current folder.
        m_previousDir = QDir::currentPath();
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("current")));
        QDir::setCurrent(m_dir->filePath(QStringLiteral("current")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->filePath(QStringLiteral("share"))));
        m_engine = new ScriptedEngine;
        m_dialogs = new ScriptedDialogs;
    }

    void cleanup()
    {
        delete m_dialogs;
        delete m_engine;
        QDir::setCurrent(m_previousDir);
        qunsetenv("XDG_DATA_HOME");
        m_dir.reset();
    }

    // The stand-in for a missing sound card stays in sight after the status notice
    // has gone, and a transmission on it says it goes nowhere.
    void standInStaysVisible()
    {
        auto form = makeForm();
        const QString note = QString::fromUtf8("Pas de carte son : bande de démonstration");
        form->showAudioStandIn(note, true);
        form->TimerTimer();
        QVERIFY(form->StatusMessage != note);
        QVERIFY(form->windowTitle().endsWith(QStringLiteral(" - NOCALL [") + note + QLatin1Char(']')));
        QCOMPARE(form->LEDOne->Caption(), QStringLiteral("Simulation"));
        QCOMPARE(form->LEDOne->toolTip(), note);

        form->configCommand->runDialog = [](TSetForm &dialog) {
            dialog.CALLEdit->setText(QStringLiteral("f6abc"));
            dialog.accept();
            return dialog.result();
        };
        form->CfgBtn->click();
        QVERIFY(form->windowTitle().endsWith(QStringLiteral(" - F6ABC [") + note + QLatin1Char(']')));

        form->flags.CardActive = true;
        form->TxBtn->click();
        form->transmit->TxStatus(1);
        QCOMPARE(form->StatusBar->panelText(2), QString::fromUtf8("Emission simulée..."));
        form->flags.CardActive = false;
    }

    // The display strip at its design height by default; dragged taller, it keeps that
    // height through a resize and across a restart.
    void displayStripHeightIsDraggedAndRemembered()
    {
        {
            auto form = makeForm();
            QCOMPARE(form->Monitor->height(), 82);
            emit form->DisplayStripHandle->dragStarted();
            emit form->DisplayStripHandle->dragged(-60);
            QCOMPARE(form->Monitor->height(), 142);
            QCOMPARE(form->Monitor->y() + form->Monitor->height(), 323 + 82);
            form->resize(form->width() + 50, form->height() + 40);
            form->ResizeForm();
            QCOMPARE(form->Monitor->height(), 142);
            form->close();
        }
        auto reopened = makeForm();
        QCOMPARE(reopened->Monitor->height(), 142);
        emit reopened->DisplayStripHandle->dragStarted();
        emit reopened->DisplayStripHandle->dragged(500);
        QCOMPARE(reopened->Monitor->height(), 82);
    }

    // Each indicator's caption and the longest texts of the text panels show whole,
    // the indicators apart from each other.
    void captionsAndPanelTextsShowWhole()
    {
        auto form = makeForm();
        form->showAudioStandIn(QStringLiteral("Bande de démonstration"), false);
        const QFontMetrics infoMetrics(form->LEDOne->font());
        int previousRight = -1;
        for (TLEDLabel *led : {form->LEDOne, form->LEDTwo, form->QuenLed, form->RXLed, form->TXLed}) {
            const QRect caption = led->layoutRects().caption;
            QVERIFY2(infoMetrics.horizontalAdvance(led->Caption()) <= caption.width(), qPrintable(led->Caption()));
            QVERIFY(led->x() > previousRight);
            previousRight = led->geometry().right();
        }
        const QFontMetrics barMetrics(form->StatusBar->font());
        const auto fits = [&](int panel, const QString &text) {
            // The panel's inner text room: gap, bevels and text margins taken off.
            return barMetrics.horizontalAdvance(text) <= form->StatusBar->panelWidth(panel) - 8;
        };
        QVERIFY(fits(1, QStringLiteral("Niveau de bruit: -100dB")));
        QVERIFY(fits(2, QStringLiteral("Réception en cours...")));
    }

    void emptyStoreStartsWithTheDesignValues()
    {
        auto form = makeForm();
        QVERIFY(form->windowTitle().endsWith(QStringLiteral(" - NOCALL")));
        QCOMPARE(form->RXOne->value(), 1550.0);
        QCOMPARE(form->RXTwo->value(), 2050.0);
        QCOMPARE(form->TXOne->value(), 1550.0);
        QCOMPARE(form->TXTwo->value(), 2050.0);
        QCOMPARE(form->size(), QSize(645, 450));
        QCOMPARE(form->RewindBtn->toolTip(),
                 QStringLiteral("Replay 0") + QLocale::system().decimalPoint() + QStringLiteral("256 secondes"));
        QCOMPARE(form->Infopanel->caption(), QStringLiteral("pskcore.dll version 1.7  "));
        QVERIFY(!form->LEDTwo->Lit());
        QVERIFY(form->LEDTwo->toolTip().isEmpty());
        QVERIFY(form->AFCOne->isChecked() && form->NETTwo->isChecked());
        QCOMPARE(form->AFCOneRg->value(), 10);
        QCOMPARE(form->SQTwoBar->value(), 10);
        QCOMPARE(form->SQSpOne->value(), 1);
        QCOMPARE(Displays::kFFTFullScale, 100);
        QVERIFY(!form->flags.CardActive);
        QCOMPARE(form->PageControl->currentIndex(), 0);
        QVERIFY(m_dialogs->shown().isEmpty());

        QCOMPARE(m_engine->calls(QStringLiteral("fnSetComPort")), QStringList{QStringLiteral("fnSetComPort(1, 0)")});
        QVERIFY(m_engine->calls().indexOf(QStringLiteral("fnSetComPort(1, 0)"))
                < m_engine->calls().indexOf(QStringLiteral("fnGetDLLVersion()")));
        QVERIFY(m_engine->calls(QStringLiteral("fnStartSoundCard")).isEmpty());

        // The three sections exist after start-up.
        QFile f(storePath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        for (const char *section : {"[Settings]", "[Macros]", "[Look]"})
            QVERIFY2(text.contains(section), section);
    }

    void storedValuesAreApplied()
    {
        writeStore("[Settings]\nMyCall=f4abc\nComPort=3\nPTTControl=2\nWFMin=1000\nWFMax=2001\n"
                   "Blocks=4\nAFC2Ok=0\nAFC1Range=30\nNet1Ok=0\nSqTwo=35\nSqSpOne=50\n"
                   "ShowUTCTime=7\nDateFormat=2\n"
                   "[Look]\nWindowState=0\nLeft=10\nTop=20\nHeight=500\nWidth=700\n");
        auto form = makeForm();
        QVERIFY(form->windowTitle().endsWith(QStringLiteral(" - F4ABC")));
        QCOMPARE(form->Settings.MyCall, QStringLiteral("f4abc"));
        QVERIFY(form->Settings.ShowUTCTime);
        QVERIFY(!form->Settings.DatePattern.isEmpty());
        QCOMPARE(form->RXOne->value(), 1250.0);
        QCOMPARE(form->RXTwo->value(), 1750.0);
        QCOMPARE(form->size(), QSize(700, 500));
        QVERIFY(!form->AFCTwo->isChecked());
        QVERIFY(!form->AFCTwoRg->isEnabled());
        QCOMPARE(form->AFCOneRg->value(), 30);
        QVERIFY(!form->NETOne->isChecked());
        QCOMPARE(form->SQTwoBar->value(), 35);
        QCOMPARE(form->SQSpOne->value(), 50);
        QVERIFY(form->LEDTwo->Lit());
        QCOMPARE(form->LEDTwo->toolTip(), QStringLiteral("Le port COM 3 est ouvert"));
        QCOMPARE(m_engine->calls(QStringLiteral("fnSetComPort")), QStringList{QStringLiteral("fnSetComPort(3, 2)")});
        QVERIFY(form->RewindBtn->toolTip().startsWith(QStringLiteral("Replay 1")));
        QVERIFY(form->RewindBtn->toolTip().endsWith(QStringLiteral("024 secondes")));
    }

    // Loaded values that differ from the controls' design values run the controls'
    // handlers, in the order of the store, before the serial port is set.
    void loadedChannelValuesReachTheEngineInStoreOrder()
    {
        writeStore("[Settings]\nComPort=2\nAFC2Ok=0\nAFC1Range=30\nSqTwo=35\nSqSpTwo=50\n");
        auto form = makeForm();
        QCOMPARE(m_engine->calls(), (QStringList{QStringLiteral("fnSetAFCLimit(0, 1)"),
                                                 QStringLiteral("fnSetAFCLimit(30, 0)"),
                                                 QStringLiteral("fnSetSquelchThreshold(35, 1, 1)"),
                                                 QStringLiteral("fnSetComPort(2, 0)"),
                                                 QStringLiteral("fnGetDLLVersion()"),
                                                 // Then the station: time limit, keying by the serial lines, default devices.
                                                 QStringLiteral("pskSetTxTimeLimit(600)"),
                                                 QStringLiteral("pskSetRig(1, 0, , 0, localhost:4532)"),
                                                 QStringLiteral("pskSetAudioDevices(, )")}));
    }

    void opensCentredWhateverLeftAndTopSay()
    {
        writeStore("[Look]\nLeft=3\nTop=4\nWidth=500\nHeight=400\n");
        auto form = makeForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QRect area = form->screen()->availableGeometry();
        QCOMPARE(form->size(), QSize(500, 400));
        QCOMPARE(form->pos(), QPoint(area.x() + (area.width() - 500) / 2, area.y() + (area.height() - 400) / 2));
    }

    void storedSizeIsKeptOnTheScreen_data()
    {
        QTest::addColumn<QByteArray>("look");
        QTest::addColumn<QSize>("expected");   // -1: the screen's available side
        QTest::newRow("zero and negative") << QByteArray("Width=0\nHeight=-450") << QSize(645, 450);
        QTest::newRow("huge") << QByteArray("Width=2000000000\nHeight=99999") << QSize(-1, -1);
        QTest::newRow("too small to grab") << QByteArray("Width=12\nHeight=3") << QSize(645, 450);
        QTest::newRow("ordinary") << QByteArray("Width=500\nHeight=300") << QSize(500, 300);
    }

    void storedSizeIsKeptOnTheScreen()
    {
        QFETCH(QByteArray, look);
        QFETCH(QSize, expected);
        writeStore("[Look]\n" + look + "\n");
        auto form = makeForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QRect area = form->screen()->availableGeometry();
        const QSize want(expected.width() < 0 ? area.width() : std::min(expected.width(), area.width()),
                         expected.height() < 0 ? area.height() : std::min(expected.height(), area.height()));
        QCOMPARE(form->size(), want);
    }

    void maximisedWindowIgnoresTheStoredBounds()
    {
        writeStore("[Look]\nWindowState=1\nWidth=300\nHeight=200\n");
        auto form = makeForm();
        QVERIFY(form->windowState() & Qt::WindowMaximized);
        QVERIFY(form->width() != 300);
        QVERIFY(form->height() != 200);
    }

    void unparsableValuesReadTheirDefaults()
    {
        writeStore("[Settings]\nShowUTCTime=abc\nWFMin=low\nSqOne=1.5\n");
        auto form = makeForm();
        QVERIFY(form->Settings.ShowUTCTime);
        QCOMPARE(form->Settings.WFMin, 100);
        QCOMPARE(form->RXOne->value(), 1550.0);
        QCOMPARE(form->SQOneBar->value(), 10);
        QVERIFY(m_dialogs->shown().isEmpty());
    }

    void nonTextValueEndsTheLoadAndStartUpGoesOn()
    {
        writeStore("[Settings]\nMyCall=f5xyz\nPTTControl=1\nAFC1Range=30\nAFC2Range=5, 6\nNet1Ok=0\n"
                   "[Look]\nWidth=800\n");
        auto form = makeForm();
        QCOMPARE(m_dialogs->shown(), (QStringList{QStringLiteral("beep"),
                                                  QStringLiteral("message: Problème en lisant la base de registre")}));
        QVERIFY(form->windowTitle().endsWith(QStringLiteral(" - F5XYZ")));
        QCOMPARE(form->AFCOneRg->value(), 30);
        QCOMPARE(form->AFCTwoRg->value(), 10);
        QVERIFY(form->NETOne->isChecked());
        QVERIFY(form->width() != 800);
        QVERIFY(!form->LEDTwo->Lit());
        // Creation went on past the failed load.
        QCOMPARE(form->RXOne->value(), 1550.0);
        QCOMPARE(m_engine->calls(QStringLiteral("fnSetComPort")), QStringList{QStringLiteral("fnSetComPort(1, 1)")});
        QCOMPARE(form->Infopanel->caption(), QStringLiteral("pskcore.dll version 1.7  "));
    }

    void refusedComPortIsReportedAndStartUpGoesOn()
    {
        writeStore("[Settings]\nPTTControl=3\nComPort=2\n");
        m_engine->setComPortResult(0);
        m_engine->setVersion(105);
        auto form = makeForm();
        QCOMPARE(m_dialogs->shown(), (QStringList{QStringLiteral("beep"),
                                                  QStringLiteral("message: Erreur en sélectionnant le port COM")}));
        QVERIFY(form->LEDTwo->Lit());
        QCOMPARE(form->Infopanel->caption(), QStringLiteral("pskcore.dll version 1.05  "));
    }

    void logbookAndHelpButtonsFollowTheirFiles_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("talmer");
        QTest::addColumn<bool>("help");
        QTest::addColumn<bool>("inDataFolder");
        QTest::newRow("none") << QStringList() << false << false << true;
        QTest::newRow("talmer.exe") << QStringList{QStringLiteral("talmer.exe")} << true << false << true;
        QTest::newRow("korvo.hlp") << QStringList{QStringLiteral("korvo.hlp")} << false << true << true;
        QTest::newRow("both in the current folder")
            << QStringList{QStringLiteral("talmer.exe"), QStringLiteral("korvo.hlp")} << false << false << false;
    }

    void logbookAndHelpButtonsFollowTheirFiles()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, inDataFolder);
        for (const QString &name : files) {
            QFile f(inDataFolder ? dataFile(name) : name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        auto form = makeForm();
        QTEST(!form->TalmerBtn->isHidden(), "talmer");
        QTEST(form->HelpBtn->isEnabled(), "help");
    }

    void closeWritesTheCloseBatch()
    {
        auto form = makeForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->RXOne->setValue(1234);
        form->AFCTwo->setChecked(false);
        form->AFCOneRg->setValue(25);
        form->NETOne->setChecked(false);
        form->SQTwoBar->setValue(30);
        form->SQSpTwo->setValue(70);
        form->Settings.Blocks = 7;
        form->Settings.WFMin = 200;
        form->resize(700, 500);
        const QPoint where = form->pos();
        QVERIFY(form->close());
        QVERIFY(m_dialogs->shown().isEmpty());
        QVERIFY(!form->Timer->isActive());

        SettingsStore store(storePath());
        auto setting = [&](const char *name) { return store.readString(SettingsStore::Settings, name, "?"); };
        auto look = [&](const char *name) { return store.readString(SettingsStore::Look, name, "?"); };
        QCOMPARE(setting("WFMin"), QStringLiteral("200"));
        QCOMPARE(setting("WFMax"), QStringLiteral("3500"));
        QCOMPARE(setting("FreqOne"), QStringLiteral("1234"));
        QCOMPARE(setting("FreqTwo"), QStringLiteral("2050"));
        QCOMPARE(setting("AFC1Ok"), QStringLiteral("1"));
        QCOMPARE(setting("AFC2Ok"), QStringLiteral("0"));
        QCOMPARE(setting("AFC1Range"), QStringLiteral("25"));
        QCOMPARE(setting("AFC2Range"), QStringLiteral("10"));
        QCOMPARE(setting("Net1Ok"), QStringLiteral("0"));
        QCOMPARE(setting("Net2Ok"), QStringLiteral("1"));
        QCOMPARE(setting("SqOne"), QStringLiteral("10"));
        QCOMPARE(setting("SqTwo"), QStringLiteral("30"));
        QCOMPARE(setting("SqSpOne"), QStringLiteral("1"));
        QCOMPARE(setting("SqSpTwo"), QStringLiteral("70"));
        QCOMPARE(setting("Blocks"), QStringLiteral("7"));
        QCOMPARE(setting("MyCall"), QStringLiteral("?"));
        QCOMPARE(look("WindowState"), QStringLiteral("0"));
        QCOMPARE(look("Left"), QString::number(where.x()));
        QCOMPARE(look("Top"), QString::number(where.y()));
        QCOMPARE(look("Width"), QStringLiteral("700"));
        QCOMPARE(look("Height"), QStringLiteral("500"));
    }

    void closingWhileConnectedOnlyStopsTheSoundCard()
    {
        auto form = makeForm();
        form->flags.CardActive = true;
        form->flags.Transmitting = true;
        m_engine->clearCalls();
        form->close();
        QCOMPARE(m_engine->calls(), QStringList{QStringLiteral("fnStopSoundCard()")});
        QVERIFY(!form->flags.CardActive);
    }

    void unwritableStoreStillCloses()
    {
        auto form = std::make_unique<TPSKForm>(*m_engine, QStringLiteral("/proc/korvo-no-such/KORVO.ini"));
        m_dialogs->clear();
        QVERIFY(form->close());
        QCOMPARE(m_dialogs->messages(), QStringList{QStringLiteral("Problème en écrivant dans la base de registre")});
    }

    void functionKeysClickMacroButtonsFromAnyWindow()
    {
        auto form = makeForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));

        QDialog other(form.get());
        auto *edit = new QLineEdit(&other);
        KeySpy editSpy;
        edit->installEventFilter(&editSpy);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        other.activateWindow();
        edit->setFocus();

        form->M3->setEnabled(true);
        QSignalSpy m3(form->M3, &QPushButton::clicked);
        QSignalSpy m4(form->M4, &QPushButton::clicked);
        QSignalSpy m20(form->M20, &QPushButton::clicked);
        form->M20->setEnabled(true);

        QTest::keyClick(other.windowHandle(), Qt::Key_F3);
        QCOMPARE(m3.count(), 1);
        // The key still reaches the focused control.
        QCOMPARE(editSpy.presses, 1);

        QTest::keyClick(other.windowHandle(), Qt::Key_F4);
        QCOMPARE(m4.count(), 0);

        QTest::keyClick(form->windowHandle(), Qt::Key_F20);
        QCOMPARE(m20.count(), 1);

        QTest::keyClick(other.windowHandle(), Qt::Key_F3, Qt::AltModifier);
        QTest::keyClick(other.windowHandle(), Qt::Key_3);
        QCOMPARE(m3.count(), 1);
    }

    void statusNoticeAndClock()
    {
        auto form = makeForm();
        QCOMPARE(form->Timer->interval(), 15000);
        QVERIFY(form->Timer->isActive());
        QCOMPARE(form->StatusIcon, 14);
        QCOMPARE(form->StatusMessage, kWebPageAddress);
        for (int panel = 0; panel < 3; ++panel)
            QVERIFY(form->StatusBar->panelText(panel).isEmpty());

        form->setStatusNotice(15, QStringLiteral("Signal saturé ! Diminuez le niveau d'entrée de la carte son"));
        form->TimerTimer();
        QCOMPARE(form->StatusIcon, 14);
        QCOMPARE(form->StatusMessage, kWebPageAddress);
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\dTU$")).match(form->StatusBar->panelText(0)).hasMatch());

        form->Settings.ShowUTCTime = false;
        form->TimerTimer();
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d$")).match(form->StatusBar->panelText(0)).hasMatch());
    }

    void mouseOverTheConnectionPanel()
    {
        auto form = makeForm();
        form->setStatusNotice(16, QStringLiteral("Transmission des caractères restants..."));
        const int panel4 = form->StatusBar->panelRect(4).left();
        int before = 0;
        for (int i = 0; i <= 3; ++i)
            before += form->StatusBar->panelWidth(i);
        QCOMPARE(panel4, before);

        form->StatusMouseMove(before + 2);
        QCOMPARE(form->StatusMessage, QStringLiteral("Transmission des caractères restants..."));
        form->StatusMouseMove(before + 3);
        QCOMPARE(form->StatusMessage, QStringLiteral("Carte son inactive"));
        QCOMPARE(form->StatusIcon, 16);
        form->flags.CardActive = true;
        form->StatusMouseMove(before + 10);
        QCOMPARE(form->StatusMessage, QStringLiteral("Carte son active"));
        form->flags.CardActive = false;
    }

    void infoPanelCreditOnlyRightOf600()
    {
        auto form = makeForm();
        const QString version = form->Infopanel->caption();
        form->PanelMove(600);
        QCOMPARE(form->Infopanel->caption(), version);
        form->PanelMove(601);
        QVERIFY(form->Infopanel->caption() != version);
        QVERIFY(form->Infopanel->caption().endsWith(QStringLiteral("1.7  ")));
        form->PanelMove(10);
        QVERIFY(form->Infopanel->caption() != version);
    }

    void resizeFollowsTheTable()
    {
        auto form = makeForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->resize(800, 600);
        QCOMPARE(form->PageControl->geometry(), QRect(35, 1, 580, 471));
        QCOMPARE(form->Monitor->geometry(), QRect(35, 473, 580 - 147 - 2, 82));
        QCOMPARE(form->QSOBox->pos(), QPoint(431 + 38, 473));
        QCOMPARE(form->RightBtn->pos(), QPoint(431 + 17, 471 + 65));
        QCOMPARE(form->LeftBtn->pos(), QPoint(431 - 1, 471 + 65));
        QCOMPARE(form->MacroPage->pos(), QPoint(620, 1));
        QCOMPARE(form->Canal->pos(), QPoint(620, form->MacroPage->height() + 5));
        // Panels 1 and 2 are at least their design widths, wider if the font needs it.
        const int textPanels = form->StatusBar->panelWidth(0) + form->StatusBar->panelWidth(1)
                               + form->StatusBar->panelWidth(2);
        QVERIFY(textPanels >= 320);
        QCOMPARE(form->StatusBar->panelWidth(3), 800 - textPanels - 25);
        QCOMPARE(form->StatusBar->geometry(), QRect(0, 576, 800, 24));
        QCOMPARE(form->TermOne->height(), 471 / 3);
        QCOMPARE(form->TermTwo->height(), 471 / 3);
        form->close();
    }

    void helpShowsTheTopicWhenTheFileExists()
    {
        QFile help(dataFile(QStringLiteral("korvo.hlp")));
        QVERIFY(help.open(QIODevice::WriteOnly));
        help.write("<html><body><p>Intro</p><a name=\"Sommaire\"></a><h1>Sommaire</h1></body></html>");
        help.close();
        auto form = makeForm();
        QVERIFY(form->HelpBtn->isEnabled());
        form->HelpBtn->click();
        const auto viewers = form->findChildren<QTextBrowser *>();
        QCOMPARE(viewers.size(), 1);
        QVERIFY(viewers.first()->toPlainText().contains(QStringLiteral("Sommaire")));
        QVERIFY(viewers.first()->window()->isVisible());
    }

    void mixerOpensOnInputOrOutputDevices()
    {
        QCOMPARE(mixerArguments(true), (QStringList{QStringLiteral("-t"), QStringLiteral("4")}));
        QCOMPARE(mixerArguments(false), (QStringList{QStringLiteral("-t"), QStringLiteral("3")}));
    }

    void exitButtonClosesThroughTheCloseHandler()
    {
        auto form = makeForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->flags.CardActive = true;
        form->ExitBtn->click();
        QVERIFY(!form->isVisible());
        QVERIFY(!form->flags.CardActive);
        QVERIFY(QFile::exists(storePath()));
        QCOMPARE(SettingsStore(storePath()).readString(SettingsStore::Settings, QStringLiteral("FreqOne"), {}),
                 QStringLiteral("1550"));
    }

    void imageListHasEveryIndex()
    {
        auto form = makeForm();
        QCOMPARE(form->Images.count(), 25);
        for (int i = 0; i < form->Images.count(); ++i)
            QCOMPARE(form->Images.pixmap(i).size(), QSize(21, 21));
        QVERIFY(form->Images.pixmap(25).isNull());
    }
};

QTEST_MAIN(TestTPSKForm)
#include "tst_tpskform.moc"
