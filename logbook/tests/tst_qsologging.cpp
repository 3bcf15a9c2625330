#include "config/StationSettings.h"
#include "config/TSettings.h"
#include "ground/Images.h"
#include "logbook/LogbookLink.h"
#include "logbook/QsoLogger.h"
#include "logbook/WsjtxMessages.h"
#include "tests/support/FormHarness.h"

#include "AdifReader.h"
#include "UnwritableFile.h"
#include "WsjtxReader.h"

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The QSO box's three fields alone, with a logger on them and a clock the test sets.
struct Box
{
    QWidget window;
    QLineEdit *call = new QLineEdit(&window);
    QLineEdit *name = new QLineEdit(&window);
    QLineEdit *rep = new QLineEdit(&window);
    TSettings settings;
    StationSettings station;
    QDateTime now = QDateTime(QDate(2024, 3, 9), QTime(14, 0, 0), Qt::UTC);
    std::optional<RigDial> dial;
    QStringList notices;
    std::unique_ptr<QsoLogger> logger;

    explicit Box(const QString &logFile, quint16 udpPort)
    {
        settings.MyCall = QStringLiteral("F6XYZ");
        station.LogFile = logFile;
        station.UDPPort = udpPort;
        station.MyGrid = QStringLiteral("JN18eu");
        QsoLogger::Sources sources;
        sources.settings = &settings;
        sources.station = &station;
        sources.audioHz = [] { return 1500; };
        sources.rigDial = [this] { return dial; };
        sources.notice = [this](int, const QString &text) { notices << text; };
        sources.clockUtc = [this] { return now; };
        logger = std::make_unique<QsoLogger>(QsoLogger::Fields{call, name, rep}, std::move(sources));
    }
    void advance(int seconds) { now = now.addSecs(seconds); }
};

// A listener on the loopback, on a free port.
struct Listener
{
    QUdpSocket socket;
    Listener() { socket.bind(QHostAddress::LocalHost, 0); }
    quint16 port() const { return socket.localPort(); }
    QByteArray next()
    {
        if (!socket.hasPendingDatagrams() && !socket.waitForReadyRead(5000))
            return {};
        return socket.receiveDatagram().data();
    }
    // The message types of the datagrams waiting now, in order.
    QList<quint32> pendingTypes()
    {
        QList<quint32> types;
        while (socket.hasPendingDatagrams()) {
            WsjtxReader r(socket.receiveDatagram().data());
            r.u32();
            r.u32();
            types << r.u32();
        }
        return types;
    }
};

} // namespace

class TestQsoLogging : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void timeOnFollowsTheCallField();
    void oneQsoIsLoggedOnce();
    void noCallLogsNothing();
    void dialGivesFrequencyAndBand();
    void clearingAfterLogOnlyWhenAsked_data();
    void clearingAfterLogOnlyWhenAsked();
    void unwritableFileKeepsTheQso();

    void ctrlLAndButtonLogOnce();
    void talmerHandOverAlsoLogs();

private:
    QString logPath() const { return m_dir->filePath(QStringLiteral("log/korvo.adi")); }
    QByteArray iniFor(quint16 udpPort) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestQsoLogging::initTestCase()
{
    // Nothing of the operator's own data folder is touched.
    QStandardPaths::setTestModeEnabled(true);
}

void TestQsoLogging::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestQsoLogging::cleanup()
{
    m_dir.reset();
}

QByteArray TestQsoLogging::iniFor(quint16 udpPort) const
{
    return "[Settings]\nMyCall=f6xyz\nRXMode=1\nMyGrid=jn18EU\nLogFile=" + logPath().toUtf8()
           + "\nUDPHost=127.0.0.1\nUDPPort=" + QByteArray::number(udpPort) + "\n[Macros]\n[Look]\n";
}

void TestQsoLogging::timeOnFollowsTheCallField()
{
    Listener listener;
    Box box(logPath(), listener.port());
    QVERIFY(!box.logger->timeOn());

    const QDateTime first = box.now;
    QTest::keyClicks(box.call, QStringLiteral("F5AB"));
    box.advance(20);
    QTest::keyClick(box.call, Qt::Key_Backspace);   // a typo corrected keeps the time on
    QTest::keyClicks(box.call, QStringLiteral("BC"));
    QCOMPARE(box.logger->timeOn(), std::optional<QDateTime>(first));

    // A double-click in a receive pane replaces the call through an empty field.
    box.advance(60);
    box.call->selectAll();
    box.call->del();
    box.call->insert(QStringLiteral("DL1XYZ"));
    QCOMPARE(box.logger->timeOn(), std::optional<QDateTime>(box.now));

    box.call->clear();
    QVERIFY(!box.logger->timeOn());

    // Once its QSO is logged, a change of the call is a new QSO.
    box.call->setText(QStringLiteral("G4ABC"));
    box.advance(300);
    QCOMPARE(box.logger->logQso(), QsoLogger::Result::Logged);
    box.advance(30);
    box.call->setText(QStringLiteral("G4ABD"));
    QCOMPARE(box.logger->timeOn(), std::optional<QDateTime>(box.now));
}

void TestQsoLogging::oneQsoIsLoggedOnce()
{
    Listener listener;
    Box box(logPath(), listener.port());
    box.call->setText(QStringLiteral("f5abc"));
    box.name->setText(QStringLiteral("Hervé"));
    box.rep->setText(QStringLiteral("599"));
    box.advance(125);

    QCOMPARE(box.logger->logQso(), QsoLogger::Result::Logged);
    box.name->setText(QStringLiteral("Hervé B."));   // same call, same time on: the same QSO
    QCOMPARE(box.logger->logQso(), QsoLogger::Result::AlreadyLogged);
    QCOMPARE(box.notices, QStringList({QStringLiteral("QSO avec F5ABC enregistré à 14:02 TU"),
                                       QStringLiteral("QSO avec F5ABC déjà enregistré")}));

    const AdifFile file = readAdif(readAll(logPath()));
    QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
    QCOMPARE(file.records.size(), 1);
    const auto &r = file.records.at(0);
    QCOMPARE(r.value("CALL"), QByteArray("F5ABC"));
    QCOMPARE(QString::fromUtf8(r.value("NAME")), QStringLiteral("Hervé"));
    QCOMPARE(r.value("TIME_ON"), QByteArray("140000"));
    QCOMPARE(r.value("TIME_OFF"), QByteArray("140205"));
    QCOMPARE(r.value("SUBMODE"), QByteArray("PSK31"));
    QCOMPARE(r.value("STATION_CALLSIGN"), QByteArray("F6XYZ"));
    QCOMPARE(r.value("MY_GRIDSQUARE"), QByteArray("JN18eu"));

    QVERIFY(!listener.next().isEmpty());
    QVERIFY(!listener.next().isEmpty());
    QCOMPARE(listener.pendingTypes(), QList<quint32>());   // nothing for the refused second log
}

void TestQsoLogging::noCallLogsNothing()
{
    Listener listener;
    Box box(logPath(), listener.port());
    box.call->setText(QStringLiteral("   "));
    box.name->setText(QStringLiteral("Jean"));
    QCOMPARE(box.logger->logQso(), QsoLogger::Result::NoCall);
    QVERIFY(!QFile::exists(logPath()));
    QCOMPARE(box.notices, QStringList{QStringLiteral("Pas d'indicatif : QSO non enregistré")});
}

// The rig's dial is the seam for a future rig control: given, FREQ and BAND are written
// and the datagram carries the radio frequency.
void TestQsoLogging::dialGivesFrequencyAndBand()
{
    Listener listener;
    Box box(logPath(), listener.port());
    box.settings.RXMode = 2;
    box.dial = RigDial{7035000, false};
    box.call->setText(QStringLiteral("EA3ABC"));
    QCOMPARE(box.logger->logQso(), QsoLogger::Result::Logged);

    const AdifFile file = readAdif(readAll(logPath()));
    QCOMPARE(file.records.size(), 1);
    QCOMPARE(file.records.at(0).value("FREQ"), QByteArray("7.036500"));
    QCOMPARE(file.records.at(0).value("BAND"), QByteArray("40m"));
    QCOMPARE(file.records.at(0).value("SUBMODE"), QByteArray("QPSK31"));

    WsjtxReader r(listener.next());
    r.u32(), r.u32();
    QCOMPARE(r.u32(), quint32(Wsjtx::QsoLogged));
    r.utf8();
    r.dateTime();
    QCOMPARE(r.utf8(), QStringLiteral("EA3ABC"));
    r.utf8();
    QCOMPARE(r.u64(), quint64(7036500));
    QCOMPARE(r.utf8(), QStringLiteral("QPSK31"));
}

void TestQsoLogging::clearingAfterLogOnlyWhenAsked_data()
{
    QTest::addColumn<bool>("clear");
    QTest::newRow("off by default: the box keeps the QSO") << false;
    QTest::newRow("asked for: the box is emptied") << true;
}

void TestQsoLogging::clearingAfterLogOnlyWhenAsked()
{
    QFETCH(bool, clear);
    Listener listener;
    Box box(logPath(), listener.port());
    QCOMPARE(box.station.ClearAfterLog, StationSettings().ClearAfterLog);
    QVERIFY(!StationSettings().ClearAfterLog);
    box.station.ClearAfterLog = clear;
    box.call->setText(QStringLiteral("F5ABC"));
    box.name->setText(QStringLiteral("Jean"));
    box.rep->setText(QStringLiteral("599"));
    QCOMPARE(box.logger->logQso(), QsoLogger::Result::Logged);
    const QStringList fields{box.call->text(), box.name->text(), box.rep->text()};
    const QStringList expected = clear ? QStringList({QString(), QString(), QString()})
                                       : QStringList({QStringLiteral("F5ABC"), QStringLiteral("Jean"),
                                                      QStringLiteral("599")});
    QCOMPARE(fields, expected);
}

void TestQsoLogging::unwritableFileKeepsTheQso()
{
    Listener listener;
    Box box(logPath(), listener.port());
    box.station.ClearAfterLog = true;
    box.call->setText(QStringLiteral("F5ABC"));
    QCOMPARE(box.logger->logQso(), QsoLogger::Result::Logged);
    listener.next();
    listener.next();
    const QByteArray before = readAll(logPath());

    box.call->setText(QStringLiteral("DL1XYZ"));
    box.name->setText(QStringLiteral("Jürgen"));
    ScriptedDialogs dialogs;
    {
        UnwritableFile readOnly(logPath());
        QCOMPARE(box.logger->logQso(), QsoLogger::Result::WriteFailed);
    }
    QCOMPARE(dialogs.shown(), QStringList({QStringLiteral("beep"),
                                           QStringLiteral("message: ") + kLogWriteFailedText.arg(logPath())}));
    QVERIFY(kLogWriteFailedText.startsWith(QStringLiteral("Impossible d'écrire le QSO dans le journal")));
    QCOMPARE(box.call->text(), QStringLiteral("DL1XYZ"));
    QCOMPARE(box.name->text(), QStringLiteral("Jürgen"));
    QCOMPARE(readAll(logPath()), before);
    QCOMPARE(listener.pendingTypes(), QList<quint32>());   // not logged: not announced

    // The file writable again, the QSO still in the box is logged.
    QCOMPARE(box.logger->logQso(), QsoLogger::Result::Logged);
    QCOMPARE(readAdif(readAll(logPath())).records.size(), 2);
}

// Ctrl+L anywhere in the window, the transmit pane included, and the button: one QSO,
// one record, one pair of datagrams.
void TestQsoLogging::ctrlLAndButtonLogOnce()
{
    Listener listener;
    FormHarness h;
    QVERIFY(h.openShown(iniFor(listener.port())));
    h.form().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.form()));
    {
        WsjtxReader r(listener.next());   // the heartbeat that announces us at start
        r.u32(), r.u32();
        QCOMPARE(r.u32(), quint32(Wsjtx::Heartbeat));
    }
    QCOMPARE(h.form().LogBtn->toolTip(), QStringLiteral("Enregistrer le QSO (Ctrl+L)"));
    QCOMPARE(h.form().LogBtn->parentWidget(), static_cast<QWidget *>(h.form().QSOBox));

    const QDateTime before = QDateTime::currentDateTimeUtc().addMSecs(-999);
    h.form().HisCall->setFocus();
    QTest::keyClicks(h.form().HisCall, QStringLiteral("f5abc"));
    h.form().HisRep->setText(QStringLiteral("599"));
    h.form().TxBuf->setFocus();
    QTest::keyClick(h.form().TxBuf, Qt::Key_L, Qt::ControlModifier);
    const QDateTime after = QDateTime::currentDateTimeUtc();
    QCOMPARE(h.dialogs().beeps(), 0);   // the shortcut took it: no character for the stopped engine
    QVERIFY(h.engine().calls(QStringLiteral("fnSendTXCharacter")).isEmpty());
    QVERIFY(h.form().StatusMessage.startsWith(QStringLiteral("QSO avec F5ABC enregistré")));

    h.form().LogBtn->click();
    QCOMPARE(h.form().StatusMessage, QStringLiteral("QSO avec F5ABC déjà enregistré"));
    QTest::keyClick(h.form().HisName, Qt::Key_L, Qt::ControlModifier);

    const AdifFile file = readAdif(readAll(logPath()));
    QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
    QCOMPARE(file.records.size(), 1);
    const auto &r = file.records.at(0);
    QCOMPARE(r.value("CALL"), QByteArray("F5ABC"));
    QCOMPARE(r.value("RST_SENT"), QByteArray("599"));
    QCOMPARE(r.value("SUBMODE"), QByteArray("QPSK31"));
    QCOMPARE(r.value("STATION_CALLSIGN"), QByteArray("F6XYZ"));
    QCOMPARE(r.value("MY_GRIDSQUARE"), QByteArray("JN18eu"));
    const QDateTime timeOn = QDateTime::fromString(QString::fromLatin1(r.value("QSO_DATE") + r.value("TIME_ON")),
                                                   QStringLiteral("yyyyMMddHHmmss"));
    QVERIFY(QDateTime(timeOn.date(), timeOn.time(), Qt::UTC) >= before);
    QVERIFY(QDateTime(timeOn.date(), timeOn.time(), Qt::UTC) <= after);
    QCOMPARE(h.form().HisCall->text(), QStringLiteral("f5abc"));   // kept: clearing is off by default

    QVERIFY(!listener.next().isEmpty());
    QVERIFY(!listener.next().isEmpty());
    QCOMPARE(listener.pendingTypes(), QList<quint32>());
    h.close();
    WsjtxReader close(listener.next());
    close.u32(), close.u32();
    QCOMPARE(close.u32(), quint32(Wsjtx::Close));
}

// The Talmer hand-over logs the QSO too, even when Talmer refuses it; handed over
// again, it is not logged twice.
void TestQsoLogging::talmerHandOverAlsoLogs()
{
    Listener listener;
    FormHarness h;
    h.open(iniFor(listener.port()));
    h.form().HisCall->setText(QStringLiteral("ON4XYZ"));
    h.form().logbook->SendBtnClick();
    h.form().logbook->SendBtnClick();
    QCOMPARE(h.dialogs().messages(), QStringList({kTalmerSendFailedText, kTalmerSendFailedText}));
    QCOMPARE(readAdif(readAll(logPath())).records.size(), 1);
    QCOMPARE(h.form().StatusMessage, QStringLiteral("QSO avec ON4XYZ déjà enregistré"));
}

QTEST_MAIN(TestQsoLogging)
#include "tst_qsologging.moc"
