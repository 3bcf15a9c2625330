#include "controls/TWAVPlayer.h"

#include "controls/AlertDevice.h"

#include <QMediaDevices>
#include <algorithm>

#include <QTemporaryDir>
#include <QtTest>

namespace {

class RecordingOutput : public WaveOutput
{
public:
    int devices = 1;
    bool playing = false;
    QStringList calls;
    QString device;

    int deviceCount() const override { return devices; }
    bool isPlaying() const override { return playing; }
    void useDevice(const QString &deviceName) override { device = deviceName; }
    void start(const QString &fileName, bool loop) override
    {
        calls << (loop ? QStringLiteral("loop ") : QStringLiteral("start ")) + QFileInfo(fileName).fileName();
    }
    void playToEnd(const QString &fileName) override
    {
        calls << QStringLiteral("to end ") + QFileInfo(fileName).fileName();
    }
};

} // namespace

class TestTWAVPlayer : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void soundTypes_data();
    void soundTypes();
    void silentWithoutFileOrDevice();
    void capabilityNeverDropsBySetting();
    void chosenDeviceReachesTheOutput();
    void alertDeviceWithoutOutputs_data();
    void alertDeviceWithoutOutputs();
    void alertDeviceAmongTheDesktopOutputs();

private:
    RecordingOutput m_output;
    QTemporaryDir m_dir;
    QString m_wave;
};

void TestTWAVPlayer::init()
{
    m_output = RecordingOutput();
    WaveOutput::install(&m_output);
    m_wave = m_dir.filePath(QStringLiteral("Startup.Wav"));
    QFile file(m_wave);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("RIFF");
}

void TestTWAVPlayer::cleanup()
{
    WaveOutput::install(nullptr);
}

void TestTWAVPlayer::soundTypes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<QString>("expected");
    using P = TWAVPlayer;
    QTest::newRow("asynchronous") << int(P::stAsynchronous) << false << "start Startup.Wav";
    QTest::newRow("asynchronous interrupts") << int(P::stAsynchronous) << true << "start Startup.Wav";
    QTest::newRow("synchronous") << int(P::stSynchronous) << true << "to end Startup.Wav";
    QTest::newRow("loop") << int(P::stLoop) << true << "loop Startup.Wav";
    QTest::newRow("async no interrupt, idle") << int(P::stAsyncNoInt) << false << "start Startup.Wav";
    QTest::newRow("async no interrupt, busy") << int(P::stAsyncNoInt) << true << "";
    QTest::newRow("sync no interrupt, idle") << int(P::stSyncNoInt) << false << "to end Startup.Wav";
    QTest::newRow("sync no interrupt, busy") << int(P::stSyncNoInt) << true << "";
    QTest::newRow("loop no interrupt, idle") << int(P::stLoopNoInt) << false << "loop Startup.Wav";
    QTest::newRow("loop no interrupt, busy") << int(P::stLoopNoInt) << true << "";
}

void TestTWAVPlayer::soundTypes()
{
    QFETCH(int, type);
    QFETCH(bool, busy);
    QFETCH(QString, expected);
    TWAVPlayer player;
    QCOMPARE(player.SoundType(), TWAVPlayer::stAsynchronous);
    player.setSoundType(TWAVPlayer::TSoundType(type));
    player.setFileName(m_wave);
    m_output.playing = busy;
    player.Play();
    QCOMPARE(m_output.calls, expected.isEmpty() ? QStringList{} : QStringList{expected});
}

void TestTWAVPlayer::silentWithoutFileOrDevice()
{
    TWAVPlayer player;
    QVERIFY(player.FileName().isEmpty());
    player.Play();
    player.setFileName(m_dir.filePath(QStringLiteral("missing.wav")));
    player.Play();
    player.setFileName(m_dir.path());   // a folder is no sound
    player.Play();
    QVERIFY(m_output.calls.isEmpty());

    m_output.devices = 0;
    TWAVPlayer deaf;
    QVERIFY(!deaf.WAVCapable());
    deaf.setFileName(m_wave);
    deaf.Play();
    QVERIFY(m_output.calls.isEmpty());
}

void TestTWAVPlayer::capabilityNeverDropsBySetting()
{
    m_output.devices = 0;
    TWAVPlayer player;
    player.setWAVCapable(true);
    QVERIFY(!player.WAVCapable());
    m_output.devices = 2;
    player.setWAVCapable(false);
    QVERIFY(player.WAVCapable());
    m_output.devices = 0;
    player.setWAVCapable(false);
    QVERIFY(player.WAVCapable());
}

void TestTWAVPlayer::chosenDeviceReachesTheOutput()
{
    TWAVPlayer player;
    player.setFileName(m_wave);
    player.setDeviceName(QStringLiteral("Casque USB"));
    player.Play();
    QCOMPARE(m_output.device, QStringLiteral("Casque USB"));
    player.setDeviceName(QString());
    player.Play();
    QVERIFY(m_output.device.isEmpty());
}

void TestTWAVPlayer::alertDeviceWithoutOutputs_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("default") << "";
    QTest::newRow("absent") << "Casque USB";
}

// No output at all: no device rather than a made-up one.
void TestTWAVPlayer::alertDeviceWithoutOutputs()
{
    QFETCH(QString, name);
    QVERIFY(alertDevice(name, {}).isNull());
}

// Each output is found by its description; an absent or empty name gives the desktop's default.
void TestTWAVPlayer::alertDeviceAmongTheDesktopOutputs()
{
    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    for (const QAudioDevice &device : outputs)
        QCOMPARE(alertDevice(device.description(), outputs).description(), device.description());
    const bool hasDefault = std::any_of(outputs.begin(), outputs.end(),
                                        [](const QAudioDevice &device) { return device.isDefault(); });
    for (const QString &name : {QString(), QStringLiteral("No such device here")}) {
        const QAudioDevice chosen = alertDevice(name, outputs);
        QVERIFY2(hasDefault ? chosen.isDefault() : chosen.isNull(), qPrintable(name));
    }
}

QTEST_MAIN(TestTWAVPlayer)
#include "tst_twavplayer.moc"
