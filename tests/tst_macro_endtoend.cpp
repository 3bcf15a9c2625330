// A macro fired on the program running the real engine, its sound card replaced by the
// demonstration band and a WAV file: the transmission reads back as the expanded text and
// the program returns to reception by itself.

#include "app/TPSKForm.h"
#include "controls/TSpinEdit.h"
#include "engine/EngineSelection.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/WavFile.h"

#include <pskcore/dsp/ChannelDemodulator.h>
#include <pskcore/pskcore.h>

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

class TestMacroEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void macroKeysSendsAndReturnsToReception();
};

void TestMacroEndToEnd::macroKeysSendsAndReturnsToReception()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ProgramOptions options;
    options.demo = true;
    options.audioOut = dir.filePath(QStringLiteral("macro.wav"));
    options.settingsPath = dir.filePath(QStringLiteral("korvo.ini"));
    {
        QFile ini(options.settingsPath);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Settings]\nMyCall=F4ABC\n\n[Macros]\nMacroName1=Appel\nMacroHint1=Appel general\n"
                  "MacroText1=\\\\t\\\\c de \\\\m \\\\m pse k\\\\z\n\n[Look]\n");
    }
    const EngineChoice choice = selectEngine(options);
    TPSKForm form(*choice.engine, options.settingsPath);
    form.show();
    QCOMPARE(form.M1->text(), QStringLiteral("Appel"));

    form.OnBtn->click();
    QVERIFY2(dialogs.messages().isEmpty(), qPrintable(dialogs.messages().join('\n')));
    QVERIFY(form.flags.CardActive);
    QVERIFY(form.M1->isEnabled());

    dialogs.queueInput(QStringLiteral("DL2MSK"));
    form.M1->click();
    QCOMPARE(form.HisCall->text(), QStringLiteral("DL2MSK"));
    const int txHz = int(form.TXOne->value());

    // Code 1 then, once the queue and the return command have gone out, code 0.
    QTRY_VERIFY_WITH_TIMEOUT(form.TermOne->toPlainText().contains(QStringLiteral("<Transmission stoppée:")), 40000);
    QVERIFY(form.TermOne->toPlainText().contains(QString::fromUtf8("<Transmission débutée:")));
    QVERIFY(!form.flags.Transmitting);
    QVERIFY(form.Canal->isEnabled());
    QCOMPARE(form.TxBtn->toolTip(), QStringLiteral("Emettre"));
    QVERIFY(form.TxBuf->toPlainText().isEmpty());

    form.OnBtn->click();
    QVERIFY(!form.flags.CardActive);

    const std::vector<float> audio = readWav(options.audioOut);
    QVERIFY(!audio.empty());
    pskcore::ChannelDemodulator demod;
    demod.setFrequency(txHz, 10);
    std::string decoded;
    demod.process(audio, decoded);
    const QString expanded = QStringLiteral("DL2MSK de F4ABC F4ABC pse k");
    QVERIFY2(QString::fromLatin1(decoded).contains(expanded), decoded.c_str());
}

QTEST_MAIN(TestMacroEndToEnd)
#include "tst_macro_endtoend.moc"
