// Transmit control, the transmit pane and the macros as wired into the main window.

#include "app/TPSKForm.h"
#include "config/SettingsStore.h"
#include "controls/TLEDLabel.h"
#include "controls/TSpinEdit.h"
#include "engine/EngineMessage.h"
#include "macros/TMkProcForm.h"
#include "tests/support/FormHarness.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

class TestTransmitForm : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void macrosLoadedUpToTheFirstGap();
    void connectingEnablesTheNamedMacros();
    void txButtonAppliesTheNetRuleAndReportsReachTheControl();
    void reportWhileDisconnectedIsIgnored();
    void firedMacroIsTypedIntoTheEngine();
    void editorWhileDisconnectedKeepsButtonsDisabled();

private:
    void connectCard(TPSKForm &form);

    FormHarness h;
};

void TestTransmitForm::init()
{
    h.open("[Settings]\nMyCall=F5XYZ\nRXMode=2\n\n[Macros]\n"
           "MacroName1=CQ\nMacroHint1=Appel\nMacroText1=cq de \\\\m k\n"
           "MacroName2=QRZ\nMacroHint2=Qui\nMacroText2=qrz?\n"
           "MacroName3=73\nMacroHint3=Fin\nMacroText3=73\n"
           "MacroName5=Hidden\nMacroHint5=h\nMacroText5=t\n\n[Look]\n");
}

void TestTransmitForm::cleanup()
{
    h.close();
}

void TestTransmitForm::connectCard(TPSKForm &form)
{
    form.OnBtn->click();
    QVERIFY(form.flags.CardActive);
    h.engine().clearCalls();
}

void TestTransmitForm::macrosLoadedUpToTheFirstGap()
{
    TPSKForm &form = h.form();
    QCOMPARE(form.M1->text(), QStringLiteral("CQ"));
    QCOMPARE(form.M3->toolTip(), QStringLiteral("Fin"));
    for (QPushButton *button : {form.M4, form.M5}) {
        QVERIFY(button->text().isEmpty());
        QCOMPARE(button->toolTip(), QString::fromUtf8("Néant"));
    }
    for (QPushButton *button : form.macroButtons)
        QVERIFY(!button->isEnabled());
}

void TestTransmitForm::connectingEnablesTheNamedMacros()
{
    TPSKForm &form = h.form();
    connectCard(form);
    for (int slot = 0; slot < 20; ++slot)
        QCOMPARE(form.macroButtons[slot]->isEnabled(), slot < 3);
}

void TestTransmitForm::txButtonAppliesTheNetRuleAndReportsReachTheControl()
{
    TPSKForm &form = h.form();
    connectCard(form);
    form.NETOne->setChecked(true);
    form.RXOne->setValue(1234);
    h.engine().clearCalls();
    form.TxBtn->click();
    QCOMPARE(h.engine().calls(), (QStringList{"fnSetTXFrequency(1234)", "fnStartTX(2)"}));
    QCOMPARE(int(form.TXOne->value()), 1234);

    h.engine().post(EngineMessage::TxStatus, 1);
    QTRY_VERIFY(form.flags.Transmitting);
    QVERIFY(form.TermOne->toPlainText().contains(QString::fromUtf8("<Transmission débutée:")));
    QVERIFY(form.TXLed->Lit());
    QVERIFY(!form.Canal->isEnabled());

    form.TxBtn->click();
    h.engine().post(EngineMessage::TxStatus, 0);
    QTRY_VERIFY(!form.flags.Transmitting);
    QVERIFY(form.TermOne->toPlainText().contains(QString::fromUtf8("<Transmission stoppée:")));
    QVERIFY(form.Canal->isEnabled());
}

void TestTransmitForm::reportWhileDisconnectedIsIgnored()
{
    TPSKForm &form = h.form();
    postEngineMessage(&form, EngineMessage::TxStatus, 1, 0);
    QCoreApplication::processEvents();
    QVERIFY(!form.flags.Transmitting);
    QVERIFY(form.TermOne->toPlainText().isEmpty());
}

void TestTransmitForm::firedMacroIsTypedIntoTheEngine()
{
    TPSKForm &form = h.form();
    connectCard(form);
    form.TxBuf->setPlainText("typed");
    form.M1->click();
    QStringList expected{"fnClearTXBuffer()"};
    for (const QChar c : QStringLiteral("cq de F5XYZ k"))
        expected << QStringLiteral("fnSendTXCharacter(%1, 0)").arg(c.unicode());
    QCOMPARE(h.engine().calls(), expected);
    QCOMPARE(form.TxBuf->toPlainText(), QStringLiteral("cq de F5XYZ k"));

    // Typing in the pane goes to the engine too.
    h.engine().clearCalls();
    QTest::keyClick(form.TxBuf, Qt::Key_Tab);
    QCOMPARE(h.engine().calls(), QStringList{"fnSendTXCharacter(2, 1)"});
}

void TestTransmitForm::editorWhileDisconnectedKeepsButtonsDisabled()
{
    TPSKForm &form = h.form();
    bool opened = false;
    QTimer::singleShot(0, [&opened] {
        auto *editor = qobject_cast<TMkProcForm *>(QApplication::activeModalWidget());
        if (!editor)
            return;
        opened = true;
        editor->accept();
    });
    form.MacroBtn->click();
    QVERIFY(opened);
    QCOMPARE(form.M3->text(), QStringLiteral("73"));
    // A free slot's hint is now empty.
    QVERIFY(form.M4->toolTip().isEmpty());
    for (QPushButton *button : form.macroButtons)
        QVERIFY(!button->isEnabled());
}

QTEST_MAIN(TestTransmitForm)
#include "tst_transmitform.moc"
