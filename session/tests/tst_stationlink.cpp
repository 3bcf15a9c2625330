#include "config/StationSettings.h"
#include "session/StationLink.h"
#include "tests/support/ScriptedEngine.h"

#include <QLabel>
#include <QtTest>

// The rig's read-out and the dial handed to the log, from the engine's rig state; the
// station settings reach the engine when applied.
class TestStationLink : public QObject
{
    Q_OBJECT
private slots:
    void readout_data();
    void readout();
    void dialOnlyWhileTheRigAnswers();
    void applySendsTheStationToTheEngine();
    void absentDeviceMessageNamesIt();
};

void TestStationLink::readout_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("dialKnown");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no rig") << pskrig::Off << false << QString();
    QTest::newRow("opening") << pskrig::Opening << false << QStringLiteral("Transceiver : connexion...");
    QTest::newRow("silent") << pskrig::Silent << false << QStringLiteral("Transceiver muet");
    QTest::newRow("gpio ready") << pskrig::Answering << false << QStringLiteral("Transceiver prêt");
    QTest::newRow("dial") << pskrig::Answering << true << QStringLiteral("14070.000 kHz USB");
}

void TestStationLink::readout()
{
    QFETCH(int, status);
    QFETCH(bool, dialKnown);
    QFETCH(QString, expected);
    QLocale::setDefault(QLocale::c());
    PskRigState state;
    state.status = status;
    state.dialKnown = dialKnown;
    state.dialHz = 14070000;
    state.mode = "USB";
    QCOMPARE(rigReadout(state), expected);
}

void TestStationLink::dialOnlyWhileTheRigAnswers()
{
    ScriptedEngine engine;
    StationSettings station;
    QLabel label;
    StationLink link(engine, station, &label);
    PskRigState state;
    state.status = pskrig::Answering;
    state.dialKnown = true;
    state.dialHz = 3580000;
    state.lowerSideband = true;
    engine.setRigState(state);
    link.poll();
    QVERIFY(link.dial().has_value());
    QCOMPARE(link.dial()->frequencyHz, quint64(3580000));
    QVERIFY(link.dial()->lowerSideband);
    state.status = pskrig::Silent;
    engine.setRigState(state);
    link.poll();
    QVERIFY(!link.dial().has_value());
    QCOMPARE(label.text(), QStringLiteral("Transceiver muet"));
}

void TestStationLink::applySendsTheStationToTheEngine()
{
    ScriptedEngine engine;
    StationSettings station;
    station.Keying = pskkey::Cat;
    station.RigModel = 3073;
    station.RigDevice = QStringLiteral("/dev/ttyUSB1");
    station.RigSpeed = 19200;
    station.TxTimeLimitMin = 3;
    station.OutputDevice = QStringLiteral("USB Audio CODEC");
    StationLink link(engine, station, nullptr);
    link.apply();
    QCOMPARE(engine.calls(), (QStringList{QStringLiteral("pskSetTxTimeLimit(180)"),
                                          QStringLiteral("pskSetRig(2, 3073, /dev/ttyUSB1, 19200, localhost:4532)"),
                                          QStringLiteral("pskSetAudioDevices(, USB Audio CODEC)")}));
}

void TestStationLink::absentDeviceMessageNamesIt()
{
    ScriptedEngine engine;
    StationSettings station;
    station.InputDevice = QStringLiteral("USB Audio CODEC");
    StationLink link(engine, station, nullptr);
    QVERIFY(link.deviceFailureText(pskerr::InputDeviceAbsent).contains(QStringLiteral("\"USB Audio CODEC\"")));
    QVERIFY(link.deviceFailureText(pskerr::NoDevice).isEmpty());
}

QTEST_MAIN(TestStationLink)
#include "tst_stationlink.moc"
