#include "app/TPSKForm.h"
#include "config/ConfigCommand.h"
#include "config/TSetForm.h"
#include "tests/support/FormHarness.h"
#include "tests/support/ScriptedEngine.h"

#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

// The CW identification reaches the engine as Windows-1252 bytes both at connection
// and after the configuration dialog; a character without a byte is left out in both.
class TestCwidText : public QObject
{
    Q_OBJECT

    FormHarness h;

    // The one call that handed the engine its text (the stand-in records the bytes as Latin-1).
    QString sentText()
    {
        const QStringList calls = h.engine().calls(QStringLiteral("fnSetCWIDString"));
        return calls.size() == 1 ? calls.first() : QStringLiteral("<%1 calls>").arg(calls.size());
    }

private slots:
    void init() { h.open(); }
    void cleanup()
    {
        h.form().flags.CardActive = false;
        h.close();
    }

    // The identification is "de " and the operator's call, as the dialog makes it.
    void bothPaths_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QStringLiteral("F5XYZ") << QByteArray("de F5XYZ");
        QTest::newRow("latin-1 and 0x80-0x9F") << QStringLiteral("F\u00e9\u20ac\u0153") << QByteArray("de F\xe9\x80\x9c");
        QTest::newRow("no byte: left out") << QStringLiteral("F\u2192\u01425X\U0001F4FBYZ") << QByteArray("de F5XYZ");
    }

    void bothPaths()
    {
        QFETCH(QString, call);
        QFETCH(QByteArray, bytes);
        const QString expected = QStringLiteral("fnSetCWIDString(%1)").arg(QString::fromLatin1(bytes));
        TPSKForm &form = h.form();

        form.Settings.CWID = QStringLiteral("de ") + call;
        h.engine().clearCalls();
        form.OnBtn->click();
        QCOMPARE(sentText(), expected);

        h.engine().clearCalls();
        form.configCommand->runDialog = [call](TSetForm &dialog) {
            dialog.CALLEdit->setText(call);
            dialog.reject();   // the live change reaches the engine after Cancel too
            return dialog.result();
        };
        form.CfgBtn->click();
        QCOMPARE(sentText(), expected);
    }
};

QTEST_MAIN(TestCwidText)
#include "tst_cwidtext.moc"
