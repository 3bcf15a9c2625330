#include "ground/Images.h"
#include "config/SettingsStore.h"
#include "config/TSettings.h"
#include "engine/ConnectionFlags.h"
#include "macros/MacroControl.h"
#include "macros/TMkProcForm.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedEngine.h"
#include "transmit/TransmitBuffer.h"
#include "transmit/TransmitControl.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {

// The macro buttons, the QSO box and the panes around one MacroControl, connected.
struct Bench
{
    ScriptedEngine engine;
    ScriptedDialogs dialogs;
    ConnectionFlags flags;
    TSettings settings;
    ImageList images;
    QTemporaryDir folder;
    std::unique_ptr<SettingsStore> store;
    QWidget window;
    QToolButton *TxBtn = new QToolButton(&window);
    QToolButton *TuneBtn = new QToolButton(&window);
    QToolButton *CWIDBtn = new QToolButton(&window);
    QPlainTextEdit *TxBuf = new QPlainTextEdit(&window);
    QPlainTextEdit *TermOne = new QPlainTextEdit(&window);
    QPlainTextEdit *TermTwo = new QPlainTextEdit(&window);
    QTabWidget *Canal = new QTabWidget(&window);
    QLineEdit *HisCall = new QLineEdit(&window);
    QLineEdit *HisName = new QLineEdit(&window);
    QLineEdit *HisRep = new QLineEdit(&window);
    std::array<QPushButton *, 20> buttons{};
    std::unique_ptr<TransmitControl> transmit;
    std::unique_ptr<TransmitBuffer> buffer;
    std::unique_ptr<MacroControl> macros;

    Bench()
    {
        store = std::make_unique<SettingsStore>(folder.filePath("KORVO.ini"));
        Canal->addTab(new QWidget, "Canal 1");
        Canal->addTab(new QWidget, "Canal 2");
        settings.MyCall = "F5XYZ";
        flags.CardActive = true;
        for (auto &button : buttons) {
            button = new QPushButton(&window);
            button->setToolTip(QString::fromUtf8("Néant"));
            button->setEnabled(false);
        }
        TransmitWidgets tw;
        tw.TxBtn = TxBtn;
        tw.TuneBtn = TuneBtn;
        tw.CWIDBtn = CWIDBtn;
        tw.TxBuf = TxBuf;
        tw.Canal = Canal;
        tw.terms = {TermOne, TermTwo};
        tw.Images = &images;
        tw.applyNetRule = [this] { engine.fnSetTXFrequency(1500); };
        tw.dropUndelivered = [this] { buffer->dropUndelivered(); };
        transmit = std::make_unique<TransmitControl>(engine, flags, settings, tw);
        buffer = std::make_unique<TransmitBuffer>(engine, flags, TxBuf, &images);
        MacroWidgets mw;
        mw.buttons = buttons;
        mw.HisCall = HisCall;
        mw.HisName = HisName;
        mw.HisRep = HisRep;
        mw.Canal = Canal;
        mw.terms = {TermOne, TermTwo};
        mw.TxBuf = TxBuf;
        mw.dialogParent = &window;
        macros = std::make_unique<MacroControl>(engine, flags, settings, mw, *transmit, *buffer);
        macros->setDataFolders({folder.path()});
        macros->setLocale(QLocale(QLocale::French, QLocale::France));
        macros->setClock([] { return QDateTime(QDate(2026, 3, 5), QTime(18, 35), Qt::UTC); });
    }

    void storeMacros(const QStringList &names)
    {
        for (int n = 1; n <= names.size(); ++n) {
            store->writeString(SettingsStore::Macros, QStringLiteral("MacroName%1").arg(n), names[n - 1]);
            store->writeString(SettingsStore::Macros, QStringLiteral("MacroHint%1").arg(n), "hint " + names[n - 1]);
            store->writeString(SettingsStore::Macros, QStringLiteral("MacroText%1").arg(n), "text " + names[n - 1]);
        }
        store->commit();
    }

    void setMacro(int slot, const QString &text)
    {
        macros->table.entries[slot] = {QStringLiteral("M%1").arg(slot + 1), "hint", text};
        macros->table.count = std::max(macros->table.count, slot + 1);
    }

    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // The characters queued, as text (control codes as <n>).
    QString sent() const
    {
        QString text;
        for (const QString &call : engine.calls("fnSendTXCharacter")) {
            const QStringList args = call.mid(18, call.size() - 19).split(", ");
            const int code = args[0].toInt();
            if (args[1] == "1")
                text += QStringLiteral("<ctl%1>").arg(code);
            else if (code < 32)
                text += QStringLiteral("<%1>").arg(code);
            else
                text += QChar(code);
        }
        return text;
    }
};

} // namespace

class TestMacroLaunch : public QObject
{
    Q_OBJECT

private slots:
    void loadingStopsAtTheFirstGap();
    void valueNotTextEndsTheLoading();
    void launchAsksOnceAndTypesTheText();
    void transmitterKeyedBeforeTheFirstCharacter();
    void answersStandInTheQsoBoxAtOnce();
    void emptyMacroOnlyEmpties();
    void wEmptiesTheCurrentChannelsPane();
    void ownEscapesExpandOnceAndReturn();
    void unusableFileEndsTheLaunch();
    void longIncludeTypedFromTheEventLoop();
    void stopDropsTheUntypedText();
    void editorRefreshesTheButtons();
};

void TestMacroLaunch::loadingStopsAtTheFirstGap()
{
    Bench b;
    b.storeMacros({"CQ", "QRZ", "73"});
    b.store->writeString(SettingsStore::Macros, "MacroName5", "Hidden");
    b.store->commit();
    b.macros->loadMacros(*b.store);
    QCOMPARE(b.macros->table.count, 3);
    QCOMPARE(b.buttons[2]->text(), QStringLiteral("73"));
    QCOMPARE(b.buttons[2]->toolTip(), QStringLiteral("hint 73"));
    QCOMPARE(b.macros->table.entries[1].text, QStringLiteral("text QRZ"));
    for (int slot : {3, 4}) {
        QVERIFY(b.buttons[slot]->text().isEmpty());
        QCOMPARE(b.buttons[slot]->toolTip(), QString::fromUtf8("Néant"));
    }
    for (QPushButton *button : b.buttons)
        QVERIFY(!button->isEnabled());
}

void TestMacroLaunch::valueNotTextEndsTheLoading()
{
    Bench b;
    b.storeMacros({"CQ", "QRZ", "73"});
    // A list, put there by hand, is not a text value.
    QFile ini(b.store->path());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QByteArray text = ini.readAll();
    ini.close();
    QVERIFY(text.contains("MacroHint2=hint QRZ"));
    text.replace("MacroHint2=hint QRZ", "MacroHint2=a, b");
    QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(text);
    ini.close();
    SettingsStore reopened(b.store->path());
    b.macros->loadMacros(reopened);
    QCOMPARE(b.macros->table.count, 1);
    QVERIFY(b.macros->table.entries[1].name.isEmpty());
    QCOMPARE(b.buttons[0]->text(), QStringLiteral("CQ"));
    QVERIFY(b.buttons[1]->text().isEmpty());
    QCOMPARE(b.dialogs.messages(), QStringList{QString::fromUtf8("Problème en lisant la base de registre")});
}

void TestMacroLaunch::launchAsksOnceAndTypesTheText()
{
    Bench b;
    b.setMacro(0, "\\c de \\m \\m pse k\r\n");
    b.TxBuf->setPlainText("left over");
    b.dialogs.queueInput("F6ABC");
    b.buttons[0]->setEnabled(true);
    b.buttons[0]->click();

    QCOMPARE(b.dialogs.shown(), QStringList{"input: Indicatif manquant | Entrez l'indicatif de la station"});
    QCOMPARE(b.HisCall->text(), QStringLiteral("F6ABC"));
    QCOMPARE(b.engine.calls().first(), QStringLiteral("fnClearTXBuffer()"));
    QCOMPARE(b.sent(), QStringLiteral("F6ABC de F5XYZ F5XYZ pse k<13><10>"));
    QCOMPARE(b.TxBuf->toPlainText(), QStringLiteral("F6ABC de F5XYZ F5XYZ pse k\n"));
}

void TestMacroLaunch::transmitterKeyedBeforeTheFirstCharacter()
{
    Bench b;
    b.setMacro(4, "cq\\i\\z\\t");
    b.macros->LaunchMacro(4);
    QCOMPARE(b.engine.calls(), (QStringList{"fnClearTXBuffer()", "fnSetTXFrequency(1500)", "fnStartTX(0)",
                                            "fnSendTXCharacter(99, 0)", "fnSendTXCharacter(113, 0)",
                                            "fnSendTXCharacter(2, 1)", "fnSendTXCharacter(1, 1)"}));
    QCOMPARE(b.TxBtn->toolTip(), QString::fromUtf8("Stopper l'émission"));
    QVERIFY(!b.TuneBtn->isEnabled());
}

// The transmitter's start comes after both questions in the passes: by then the
// answers are in the QSO box, not only once the whole macro is expanded.
void TestMacroLaunch::answersStandInTheQsoBoxAtOnce()
{
    Bench b;
    b.setMacro(0, "\\c ur \\r\\t");
    b.dialogs.queueInput("F6ABC");
    b.dialogs.queueInput("599");
    QStringList qsoAtStart;
    b.engine.setOnCall([&](const QString &call) {
        if (call.startsWith(QStringLiteral("fnStartTX")))
            qsoAtStart = {b.HisCall->text(), b.HisRep->text()};
    });
    b.macros->LaunchMacro(0);
    b.engine.setOnCall(nullptr);
    QCOMPARE(qsoAtStart, (QStringList{"F6ABC", "599"}));
    QCOMPARE(b.sent(), QStringLiteral("F6ABC ur 599"));
}

void TestMacroLaunch::emptyMacroOnlyEmpties()
{
    Bench b;
    b.TxBuf->setPlainText("typed");
    b.macros->LaunchMacro(7);
    QCOMPARE(b.engine.calls(), QStringList{"fnClearTXBuffer()"});
    QVERIFY(b.TxBuf->toPlainText().isEmpty());
}

void TestMacroLaunch::wEmptiesTheCurrentChannelsPane()
{
    Bench b;
    b.TermOne->setPlainText("one");
    b.TermTwo->setPlainText("two");
    b.Canal->setCurrentIndex(1);
    b.setMacro(0, "\\wqrz?");
    b.macros->LaunchMacro(0);
    QCOMPARE(b.TermOne->toPlainText(), QStringLiteral("one"));
    QVERIFY(b.TermTwo->toPlainText().isEmpty());
    QCOMPARE(b.sent(), QStringLiteral("qrz?"));
}

void TestMacroLaunch::ownEscapesExpandOnceAndReturn()
{
    Bench b;
    b.writeFile("loop.txt", "abc \\floop.txt def");
    b.HisCall->setText("\\c");
    b.setMacro(0, "\\c \\floop.txt \\c");
    b.macros->LaunchMacro(0);
    QCOMPARE(b.sent(), QStringLiteral("\\c abc  def<13> \\c"));
    QVERIFY(b.dialogs.shown().isEmpty());
}

void TestMacroLaunch::unusableFileEndsTheLaunch()
{
    Bench b;
    b.writeFile("huge.txt", QByteArray(70000, 'x'));
    b.setMacro(0, "\\c \\fhuge.txt \\t");
    b.dialogs.queueInput("F6ABC");
    b.macros->LaunchMacro(0);
    QCOMPARE(b.engine.calls(), QStringList{"fnClearTXBuffer()"});
    QCOMPARE(b.HisCall->text(), QStringLiteral("F6ABC"));
    QCOMPARE(b.dialogs.messages().size(), 1);
    QVERIFY(b.dialogs.messages().first().contains("huge.txt"));
    QCOMPARE(b.dialogs.shown().at(1), QStringLiteral("beep"));
    QVERIFY(b.TxBuf->toPlainText().isEmpty());
}

// 200 lines of 59 characters and a CR: 12000 characters to type.
QByteArray longInclude()
{
    QByteArray text;
    for (int line = 0; line < 200; ++line)
        text += QByteArray::number(1000 + line) + ' ' + QByteArray(54, 'a' + line % 26) + "\r\n";
    return text;
}

void TestMacroLaunch::longIncludeTypedFromTheEventLoop()
{
    Bench b;
    b.writeFile("long.txt", longInclude());
    b.setMacro(0, "\\flong.txt");
    b.macros->LaunchMacro(0);
    // The launch returns after one slice; the rest waits for the event loop.
    QCOMPARE(b.engine.calls("fnSendTXCharacter").size(), TransmitBuffer::kSliceChars);
    QCOMPARE(b.buffer->undeliveredCount(), 12000 - TransmitBuffer::kSliceChars);
    int turns = 0;
    while (b.buffer->undeliveredCount() > 0 && turns++ < 1000)
        QCoreApplication::processEvents();
    QString expected = QString::fromLatin1(longInclude());
    expected.replace("\r\n", "<13>");
    QCOMPARE(b.sent(), expected);
}

void TestMacroLaunch::stopDropsTheUntypedText()
{
    Bench b;
    b.writeFile("long.txt", longInclude());
    b.setMacro(0, "\\t\\flong.txt");
    b.macros->LaunchMacro(0);
    b.flags.Transmitting = true;
    b.engine.setTxCharsRemaining(100);
    b.engine.clearCalls();
    b.transmit->TxBtnClick();
    QCOMPARE(b.engine.calls(), (QStringList{"fnGetTXCharsRemaining()", "fnAbortTX()", "fnClearTXBuffer()"}));
    QCOMPARE(b.buffer->undeliveredCount(), 0);
    QCoreApplication::processEvents();
    QVERIFY(b.engine.calls("fnSendTXCharacter").isEmpty());
}

void TestMacroLaunch::editorRefreshesTheButtons()
{
    Bench b;
    b.storeMacros({"CQ", "QRZ", "73"});
    b.macros->loadMacros(*b.store);
    b.flags.CardActive = false;
    // Deletes the first macro in the editor, then quits it.
    QTimer::singleShot(0, [] {
        auto *editor = qobject_cast<TMkProcForm *>(QApplication::activeModalWidget());
        QVERIFY(editor);
        editor->ProcList->setCurrentRow(0);
        editor->DeleteBtnClick();
        editor->accept();
    });
    b.macros->MacroBtnClick();
    QCOMPARE(b.buttons[0]->text(), QStringLiteral("QRZ"));
    QCOMPARE(b.buttons[1]->text(), QStringLiteral("73"));
    QVERIFY(b.buttons[2]->text().isEmpty());
    // A free slot's hint is now empty rather than "Néant".
    QVERIFY(b.buttons[2]->toolTip().isEmpty());
    for (QPushButton *button : b.buttons)
        QVERIFY(!button->isEnabled());
}

QTEST_MAIN(TestMacroLaunch)
#include "tst_macrolaunch.moc"
