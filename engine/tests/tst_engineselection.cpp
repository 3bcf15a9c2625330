#include "engine/EngineSelection.h"

#include <QtTest>

#include <sys/stat.h>

// The command line and the choice of what stands in for the sound card.
class TestEngineSelection : public QObject
{
    Q_OBJECT
private slots:
    void parsesTheOptions_data();
    void parsesTheOptions();
    void notes_data();
    void notes();
    void onlyRegularFilesAreTaken_data();
    void onlyRegularFilesAreTaken();
    void outputNowhere_data();
    void outputNowhere();
};

// A FIFO would block the window in its open, /dev/zero never ends, and a device node
// would be replaced by the settings written at close.
void TestEngineSelection::onlyRegularFilesAreTaken_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("file");   // "fifo", "dir", "regular", "absent" or a path
    QTest::addColumn<bool>("refused");
    for (const char *option : {"--settings", "--audio-in", "--audio-out"}) {
        QTest::addRow("%s FIFO", option) << option << "fifo" << true;
        QTest::addRow("%s /dev/zero", option) << option << "/dev/zero" << true;
        QTest::addRow("%s /dev/null", option) << option << "/dev/null" << true;
        QTest::addRow("%s folder", option) << option << "dir" << true;
        QTest::addRow("%s regular", option) << option << "regular" << false;
        QTest::addRow("%s absent", option) << option << "absent" << false;
    }
}

void TestEngineSelection::onlyRegularFilesAreTaken()
{
    QFETCH(QString, option);
    QFETCH(QString, file);
    QFETCH(bool, refused);
    QTemporaryDir dir;
    QString path = file.startsWith('/') ? file : dir.filePath(file);
    if (file == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (file == "dir")
        QVERIFY(QDir().mkdir(path));
    else if (file == "regular")
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    const ProgramOptions options = parseProgramOptions({"korvo", option, path});
    const QString error = programOptionsError(options);
    QCOMPARE(!error.isEmpty(), refused);
    if (refused)
        QVERIFY2(error.contains(path), qPrintable(error));
}

void TestEngineSelection::parsesTheOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("audioIn");
    QTest::addColumn<QString>("audioOut");
    QTest::addColumn<bool>("demo");
    QTest::addColumn<QString>("settings");

    QTest::newRow("nothing") << QStringList{"korvo"} << QString() << QString() << false << QString();
    QTest::newRow("all") << QStringList{"korvo", "--audio-in", "in.wav", "--audio-out=out.wav", "--demo",
                                        "--settings", "/tmp/k.ini"}
                         << "in.wav" << "out.wav" << true << "/tmp/k.ini";
    QTest::newRow("Qt's own options pass") << QStringList{"korvo", "-platform", "offscreen", "--demo"}
                                           << QString() << QString() << true << QString();
}

void TestEngineSelection::parsesTheOptions()
{
    QFETCH(QStringList, arguments);
    const ProgramOptions options = parseProgramOptions(arguments);
    QTEST(options.audioIn, "audioIn");
    QTEST(options.audioOut, "audioOut");
    QTEST(options.demo, "demo");
    QTEST(options.settingsPath, "settings");
}

void TestEngineSelection::notes_data()
{
    QTest::addColumn<QString>("audioIn");
    QTest::addColumn<bool>("demo");
    QTest::addColumn<bool>("card");
    QTest::addColumn<QString>("note");

    QTest::newRow("sound card") << QString() << false << true << QString();
    QTest::newRow("no card: the demonstration band")
        << QString() << false << false << QStringLiteral("Pas de carte son : bande de démonstration");
    QTest::newRow("asked for the band") << QString() << true << true << QStringLiteral("Bande de démonstration");
    QTest::newRow("a recording, no card")
        << QStringLiteral("/tmp/deux.wav") << false << false << QStringLiteral("Entrée audio : deux.wav");
}

void TestEngineSelection::notes()
{
    QFETCH(QString, audioIn);
    QFETCH(bool, demo);
    QFETCH(bool, card);
    ProgramOptions options;
    options.audioIn = audioIn;
    options.demo = demo;
    const EngineChoice choice = selectEngine(options, card, true);
    QVERIFY(choice.engine);
    QTEST(choice.note, "note");
}

void TestEngineSelection::outputNowhere_data()
{
    QTest::addColumn<QString>("audioOut");
    QTest::addColumn<bool>("playback");
    QTest::addColumn<bool>("nowhere");

    QTest::newRow("playback device") << QString() << true << false;
    QTest::newRow("no playback device") << QString() << false << true;
    QTest::newRow("written to a file") << QStringLiteral("/tmp/tx.wav") << false << false;
}

void TestEngineSelection::outputNowhere()
{
    QFETCH(QString, audioOut);
    QFETCH(bool, playback);
    ProgramOptions options;
    options.demo = true;
    options.audioOut = audioOut;
    const EngineChoice choice = selectEngine(options, false, playback);
    QTEST(choice.outputNowhere, "nowhere");
}

QTEST_MAIN(TestEngineSelection)
#include "tst_engineselection.moc"
