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
    void helpNamesEveryOption();
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
    }
    // A recording that is not there cannot be played; a settings or output file not yet
    // there is made.
    QTest::newRow("--audio-in absent") << "--audio-in" << "absent" << true;
    QTest::newRow("--audio-in unreadable") << "--audio-in" << "unreadable" << true;
    QTest::newRow("--settings absent") << "--settings" << "absent" << false;
    QTest::newRow("--settings in a folder to make") << "--settings" << "sub/dir/absent" << false;
    QTest::newRow("--settings under a file") << "--settings" << "regular/absent" << true;
    QTest::newRow("--settings unreadable") << "--settings" << "unreadable" << true;
    QTest::newRow("--audio-out absent") << "--audio-out" << "absent" << false;
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
    else if (file == "regular" || file == "regular/absent")
        QVERIFY(QFile(dir.filePath("regular")).open(QIODevice::WriteOnly));
    else if (file == "unreadable") {
        QFile unreadable(path);
        QVERIFY(unreadable.open(QIODevice::WriteOnly));
        QVERIFY(unreadable.setPermissions(QFileDevice::WriteOwner));
        if (QFileInfo(path).isReadable())
            QSKIP("run with the rights to read any file");
    }
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
    QTest::addColumn<bool>("help");
    QTest::addColumn<bool>("version");
    QTest::addColumn<QString>("usageError");

    QTest::newRow("nothing") << QStringList{"korvo"} << QString() << QString() << false << QString() << false
                             << false << QString();
    QTest::newRow("all") << QStringList{"korvo", "--audio-in", "in.wav", "--audio-out=out.wav", "--demo",
                                        "--settings", "/tmp/k.ini"}
                         << "in.wav" << "out.wav" << true << "/tmp/k.ini" << false << false << QString();
    QTest::newRow("Qt's own options pass")
        << QStringList{"korvo", "-platform", "offscreen", "--style=fusion", "-reverse", "--demo"} << QString()
        << QString() << true << QString() << false << false << QString();
    QTest::newRow("help") << QStringList{"korvo", "--help"} << QString() << QString() << false << QString() << true
                          << false << QString();
    QTest::newRow("-h") << QStringList{"korvo", "-h"} << QString() << QString() << false << QString() << true
                        << false << QString();
    QTest::newRow("version") << QStringList{"korvo", "--version"} << QString() << QString() << false << QString()
                             << false << true << QString();
    QTest::newRow("unknown option") << QStringList{"korvo", "--demo", "--bogus"} << QString() << QString() << true
                                    << QString() << false << false << "Option inconnue : --bogus";
    QTest::newRow("missing value") << QStringList{"korvo", "--settings"} << QString() << QString() << false
                                   << QString() << false << false << "Valeur manquante après --settings";
    QTest::newRow("stray argument") << QStringList{"korvo", "band.wav"} << QString() << QString() << false
                                    << QString() << false << false << "Argument inattendu : band.wav";
}

void TestEngineSelection::parsesTheOptions()
{
    QFETCH(QStringList, arguments);
    const ProgramOptions options = parseProgramOptions(arguments);
    QTEST(options.audioIn, "audioIn");
    QTEST(options.audioOut, "audioOut");
    QTEST(options.demo, "demo");
    QTEST(options.settingsPath, "settings");
    QTEST(options.help, "help");
    QTEST(options.version, "version");
    QTEST(options.usageError, "usageError");
}

// Every option the parser takes is in the help, with the name of its value.
void TestEngineSelection::helpNamesEveryOption()
{
    const QString help = programHelpText();
    for (const char *option : {"--audio-in <fichier>", "--audio-out <fichier>", "--demo", "--settings <fichier>",
                               "-h, --help", "-v, --version"})
        QVERIFY2(help.contains(QLatin1String(option)), option);
    QVERIFY(!help.contains(QLatin1String("platform")));
    QVERIFY(programVersionText().startsWith(QLatin1String("korvo 1.")));
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
