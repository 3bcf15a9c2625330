#include "ground/Images.h"
#include "controls/TLED.h"
#include "logbook/LogbookLink.h"
#include "logbook/tests/FakeTalmerService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

// Runs on a private session bus (CTest starts it under dbus-run-session).
class TestLogbook : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sendsFourPropertiesInOrder_data();
    void sendsFourPropertiesInOrder();
    void connectWithoutLogbookStaysDisconnected();
    void logbookGoneShowsThreeLineMessage();
    void restartedLogbookIsAnotherObject();
    void refusedPutSkipsTheRest();
    void disconnectKeepsQsoData();
    void clearWorksDisconnected();
    void buttonShownOnlyWithLogbookProgram();

private:
    QWidget m_window;
    ImageList m_images;
    QLineEdit *m_call = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_rep = nullptr;
    QToolButton *m_clear = nullptr;
    QToolButton *m_send = nullptr;
    QToolButton *m_talmer = nullptr;
    TLED *m_led = nullptr;
    std::unique_ptr<LogbookLink> m_link;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<FakeTalmerService> m_service;
};

void TestLogbook::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus: run under dbus-run-session");
}

void TestLogbook::init()
{
    m_call = new QLineEdit(&m_window);
    m_name = new QLineEdit(&m_window);
    m_rep = new QLineEdit(&m_window);
    m_clear = new QToolButton(&m_window);
    m_send = new QToolButton(&m_window);
    m_talmer = new QToolButton(&m_window);
    m_led = new TLED(&m_window);
    m_link = std::make_unique<LogbookLink>(LogbookLink::Controls{
        m_call, m_name, m_rep, m_clear, m_send, m_talmer, m_led, &m_images});
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_service = std::make_unique<FakeTalmerService>();
}

void TestLogbook::cleanup()
{
    m_link.reset();
    m_service.reset();
    m_dialogs.reset();
    qDeleteAll(m_window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly));
}

void TestLogbook::sendsFourPropertiesInOrder_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("report");
    QTest::newRow("filled") << "F6ABC" << "Jean-Loïc" << "599";
    QTest::newRow("all empty") << "" << "" << "";
}

void TestLogbook::sendsFourPropertiesInOrder()
{
    QFETCH(QString, call);
    QFETCH(QString, name);
    QFETCH(QString, report);
    QVERIFY(m_service->start());
    QVERIFY(!m_send->isEnabled());
    m_talmer->click();
    QVERIFY(m_link->isConnected());
    QVERIFY(m_send->isEnabled());
    QVERIFY(m_led->Lit());
    QCOMPARE(m_talmer->toolTip(), QStringLiteral("Se déconnecter de TALMER"));

    m_call->setText(call);
    m_name->setText(name);
    m_rep->setText(report);
    m_send->click();
    QCOMPARE(m_service->received(),
             (QStringList{QStringLiteral("Indicatif=") + call, QStringLiteral("Nom=") + name,
                          QStringLiteral("Report=") + report, QStringLiteral("Mode=PSK31")}));
    QVERIFY(m_service->strayCalls().isEmpty());
    QVERIFY(m_dialogs->shown().isEmpty());
    QCOMPARE(m_call->text(), call);   // not emptied by sending
}

void TestLogbook::connectWithoutLogbookStaysDisconnected()
{
    m_talmer->click();
    QVERIFY(!m_link->isConnected());
    QCOMPARE(m_dialogs->messages().size(), 1);
    QVERIFY(m_dialogs->messages().first().contains(kTalmerService));
    QCOMPARE(m_dialogs->shown().size(), 2);
    QCOMPARE(m_dialogs->shown().first(), QStringLiteral("beep"));
    QVERIFY(!m_send->isEnabled());
    QVERIFY(!m_led->Lit());
}

void TestLogbook::logbookGoneShowsThreeLineMessage()
{
    QVERIFY(m_service->start());
    m_talmer->click();
    m_service->stop();
    m_call->setText(QStringLiteral("F6ABC"));
    m_send->click();
    QCOMPARE(m_dialogs->shown(), (QStringList{QStringLiteral("beep"),
                                              QStringLiteral("message: ") + kTalmerSendFailedText}));
    QCOMPARE(kTalmerSendFailedText.split(QStringLiteral("\r\n")).size(), 3);
    QVERIFY(m_link->isConnected());   // the connection stays
    QVERIFY(m_send->isEnabled());
}

void TestLogbook::restartedLogbookIsAnotherObject()
{
    QVERIFY(m_service->start());
    m_talmer->click();
    m_service->stop();
    FakeTalmerService again;
    QVERIFY(again.start());
    m_send->click();
    QVERIFY(again.received().isEmpty());
    QCOMPARE(m_dialogs->messages(), QStringList{kTalmerSendFailedText});
    // Reconnecting reaches the new one.
    m_talmer->click();
    m_talmer->click();
    m_send->click();
    QCOMPARE(again.received().size(), 4);
}

void TestLogbook::refusedPutSkipsTheRest()
{
    QVERIFY(m_service->start());
    m_talmer->click();
    m_service->setRefusing(true);
    m_send->click();
    QVERIFY(m_service->received().isEmpty());
    QCOMPARE(m_dialogs->messages(), QStringList{kTalmerSendFailedText});
    QCOMPARE(m_dialogs->beeps(), 1);
}

void TestLogbook::disconnectKeepsQsoData()
{
    QVERIFY(m_service->start());
    m_talmer->click();
    m_call->setText(QStringLiteral("F6ABC"));
    m_talmer->click();
    QVERIFY(!m_link->isConnected());
    QVERIFY(!m_send->isEnabled());
    QVERIFY(!m_led->Lit());
    QCOMPARE(m_talmer->toolTip(), QStringLiteral("Se connecter à TALMER"));
    QCOMPARE(m_call->text(), QStringLiteral("F6ABC"));
}

void TestLogbook::clearWorksDisconnected()
{
    m_call->setText(QStringLiteral("F6ABC"));
    m_name->setText(QStringLiteral("Jean"));
    m_rep->setText(QStringLiteral("599"));
    m_clear->click();
    QVERIFY(m_call->text().isEmpty() && m_name->text().isEmpty() && m_rep->text().isEmpty());
    QVERIFY(!m_link->isConnected());
}

void TestLogbook::buttonShownOnlyWithLogbookProgram()
{
    QTemporaryDir folder;
    m_talmer->setVisible(false);
    m_link->showButtonIfInstalled({folder.path()});
    QVERIFY(m_talmer->isHidden());
    for (const char *name : {"talmer", "talmer.exe"}) {
        QFile program(folder.filePath(QString::fromLatin1(name)));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.close();
        m_link->showButtonIfInstalled({folder.path()});
        QVERIFY(!m_talmer->isHidden());
        program.remove();
        m_link->showButtonIfInstalled({folder.path()});
        QVERIFY(m_talmer->isHidden());
    }
}

QTEST_MAIN(TestLogbook)
#include "tst_logbook.moc"
