#include "ground/Dialogs.h"

#include <QLabel>
#include <QMessageBox>
#include <QtTest>

// The Qt message boxes as the operator sees them, and the flags of fixed dialogs.
class TestDialogs : public QObject
{
    Q_OBJECT
private slots:
    void messageBoxLooks_data();
    void messageBoxLooks();
    void fixedDialogsHaveNoMinimiseOrMaximise();
};

void TestDialogs::messageBoxLooks_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("title");
    QTest::newRow("warning") << int(Dialogs::Kind::Warning) << int(QMessageBox::Warning) << "Avertissement";
    QTest::newRow("information") << int(Dialogs::Kind::Information) << int(QMessageBox::Information) << "Information";
}

// Two lines written with CR LF show as two lines, no stray break or character between them.
void TestDialogs::messageBoxLooks()
{
    QFETCH(int, kind);
    const auto box = QtDialogs::messageBox(QStringLiteral("first line\r\nsecond line"), Dialogs::Kind(kind));
    QCOMPARE(box->text(), QStringLiteral("first line\nsecond line"));
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QTEST(int(box->icon()), "icon");
    QTEST(box->windowTitle(), "title");
    QCOMPARE(box->buttons().size(), 1);
}

void TestDialogs::fixedDialogsHaveNoMinimiseOrMaximise()
{
    const Qt::WindowFlags flags = fixedDialogFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
