#include "config/StationSettings.h"
#include "logbook/AdifWriter.h"
#include "logbook/WsjtxMessages.h"
#include "logbook/WsjtxSender.h"

#include "AdifReader.h"
#include "WsjtxReader.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

namespace {

QDateTime utc(int y, int mo, int d, int h, int mi, int s, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
}

QsoRecord sampleQso()
{
    QsoRecord qso;
    qso.call = QStringLiteral("f5abc");
    qso.name = QStringLiteral("Hervé");
    qso.rstSent = QStringLiteral("579");
    qso.timeOn = utc(2024, 3, 9, 14, 2, 5);
    qso.timeOff = utc(2024, 3, 9, 14, 9, 58, 250);
    qso.submode = PskSubmode::QPSK31;
    qso.audioHz = 1500;
    qso.dial = RigDial{14070000, false};
    qso.stationCallsign = QStringLiteral("F6XYZ");
    qso.myGrid = QStringLiteral("JN18eu");
    return qso;
}

// Reads the header every message starts with; returns the message type.
quint32 readHeader(WsjtxReader &r)
{
    if (r.u32() != Wsjtx::kMagic)
        return 0xffffffffu;
    if (r.u32() != 3)
        return 0xfffffffeu;
    const quint32 type = r.u32();
    if (r.utf8() != QLatin1String("Korvo"))
        return 0xfffffffdu;
    return type;
}

} // namespace

// The sender on a real socket: a listener bound on the loopback on a free port takes
// the datagrams, which are then read field by field.
class TestWsjtx : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void qsoLoggedFieldByField();
    void loggedAdifIsOneCompleteFile();
    void heartbeatAndClose();
    void nothingIsSentWhileOff();
    void noListenerIsNoError();
    void datagramHexLayout();

private:
    QByteArray nextDatagram();

    std::unique_ptr<QUdpSocket> m_listener;
    StationSettings m_station;
};

void TestWsjtx::init()
{
    m_listener = std::make_unique<QUdpSocket>();
    QVERIFY(m_listener->bind(QHostAddress::LocalHost, 0));
    m_station = StationSettings();
    m_station.UDPHost = QStringLiteral("127.0.0.1");
    m_station.UDPPort = m_listener->localPort();
}

void TestWsjtx::cleanup()
{
    m_listener.reset();
}

QByteArray TestWsjtx::nextDatagram()
{
    // The loopback delivers at once; the wait only bounds a failure.
    if (!m_listener->hasPendingDatagrams() && !m_listener->waitForReadyRead(5000))
        return {};
    return m_listener->receiveDatagram().data();
}

void TestWsjtx::qsoLoggedFieldByField()
{
    WsjtxSender sender(m_station);
    const QsoRecord qso = sampleQso();
    sender.sendQso(qso, adifHeader(qso.timeOff) + adifRecord(qso));

    WsjtxReader r(nextDatagram());
    QCOMPARE(readHeader(r), quint32(Wsjtx::QsoLogged));
    quint8 timeKind = 0;
    QCOMPARE(r.dateTime(&timeKind), qso.timeOff);   // time off, milliseconds kept
    QCOMPARE(timeKind, quint8(1));
    QCOMPARE(r.utf8(), QStringLiteral("F5ABC"));           // DX call
    bool wasNull = true;
    QCOMPARE(r.utf8(&wasNull), QString());                 // DX grid
    QVERIFY(!wasNull);                                      // empty, not null
    QCOMPARE(r.u64(), quint64(14071500));                   // Tx frequency: dial + audio
    QCOMPARE(r.utf8(), QStringLiteral("QPSK31"));           // mode
    QCOMPARE(r.utf8(), QStringLiteral("579"));              // report sent
    QCOMPARE(r.utf8(), QString());                          // report received
    QCOMPARE(r.utf8(), QString());                          // Tx power
    QCOMPARE(r.utf8(), QString());                          // comments
    QCOMPARE(r.utf8(), QStringLiteral("Hervé"));            // name, UTF-8
    QCOMPARE(r.dateTime(&timeKind), qso.timeOn);                // time on
    QCOMPARE(timeKind, quint8(1));
    QCOMPARE(r.utf8(), QString());                          // operator call
    QCOMPARE(r.utf8(), QStringLiteral("F6XYZ"));            // my call
    QCOMPARE(r.utf8(), QStringLiteral("JN18eu"));           // my grid
    QCOMPARE(r.utf8(), QString());                          // exchange sent
    QCOMPARE(r.utf8(), QString());                          // exchange received
    QVERIFY(!r.failed());
    QVERIFY(r.atEnd());
}

void TestWsjtx::loggedAdifIsOneCompleteFile()
{
    WsjtxSender sender(m_station);
    const QsoRecord qso = sampleQso();
    sender.sendQso(qso, adifHeader(qso.timeOff) + adifRecord(qso));
    QVERIFY(!nextDatagram().isEmpty());   // type 5 comes first

    WsjtxReader r(nextDatagram());
    QCOMPARE(readHeader(r), quint32(Wsjtx::LoggedAdif));
    const QString text = r.utf8();
    QVERIFY(r.atEnd());
    const AdifFile file = readAdif(text.toUtf8());
    QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
    QVERIFY(file.hasHeader);
    QVERIFY(file.header.contains("ADIF_VER"));
    QCOMPARE(file.header.value("PROGRAMID"), QByteArray("Korvo"));
    QCOMPARE(file.records.size(), 1);
    QCOMPARE(file.records.at(0).value("CALL"), QByteArray("F5ABC"));
    QCOMPARE(file.records.at(0).value("FREQ"), QByteArray("14.071500"));
    QCOMPARE(file.records.at(0).value("BAND"), QByteArray("20m"));
}

void TestWsjtx::heartbeatAndClose()
{
    {
        WsjtxSender sender(m_station);
        sender.start();
        WsjtxReader r(nextDatagram());
        QCOMPARE(readHeader(r), quint32(Wsjtx::Heartbeat));
        QCOMPARE(r.u32(), quint32(3));                     // maximum schema
        QCOMPARE(r.utf8(), QStringLiteral("1.7c"));       // version
        QCOMPARE(r.utf8(), QString());                     // revision
        QVERIFY(r.atEnd());
    }
    WsjtxReader r(nextDatagram());
    QCOMPARE(readHeader(r), quint32(Wsjtx::Close));
    QVERIFY(r.atEnd());
}

// Switched off, nothing goes out: the first datagram after switching on is the heartbeat.
void TestWsjtx::nothingIsSentWhileOff()
{
    m_station.UDPEnabled = false;
    WsjtxSender sender(m_station);
    sender.start();
    sender.sendQso(sampleQso(), adifRecord(sampleQso()));
    m_station.UDPEnabled = true;
    sender.start();
    WsjtxReader r(nextDatagram());
    QCOMPARE(readHeader(r), quint32(Wsjtx::Heartbeat));
}

// A closed port answers with an ICMP refusal; the sender neither fails nor stops.
void TestWsjtx::noListenerIsNoError()
{
    StationSettings nobody = m_station;
    {
        QUdpSocket probe;
        QVERIFY(probe.bind(QHostAddress::LocalHost, 0));
        nobody.UDPPort = probe.localPort();
    }
    WsjtxSender sender(nobody);
    for (int i = 0; i < 3; ++i)
        sender.sendQso(sampleQso(), adifRecord(sampleQso()));
    nobody.UDPPort = m_station.UDPPort;
    sender.sendQso(sampleQso(), adifRecord(sampleQso()));
    WsjtxReader r(nextDatagram());
    QCOMPARE(readHeader(r), quint32(Wsjtx::QsoLogged));
}

// The header bytes as a listener sees them: magic, schema 3, type 5, id "Korvo".
void TestWsjtx::datagramHexLayout()
{
    const QByteArray datagram = Wsjtx::qsoLogged(QStringLiteral("Korvo"), sampleQso());
    QCOMPARE(datagram.left(21).toHex(' '),
             QByteArray("ad bc cb da 00 00 00 03 00 00 00 05 00 00 00 05 4b 6f 72 76 6f"));
    // Time off: Julian day 2460379 (2024-03-09), 50998250 ms, UTC.
    QCOMPARE(datagram.mid(21, 13).toHex(' '), QByteArray("00 00 00 00 00 25 8a db 03 0a 2b ea 01"));
}

QTEST_GUILESS_MAIN(TestWsjtx)
#include "tst_wsjtx.moc"
