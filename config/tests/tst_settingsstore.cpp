#include "config/SettingsBatches.h"
#include "config/SettingsStore.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void writeFile(const QString &path, const QByteArray &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A [Settings] value that is not plain text, placed by hand.
const QByteArray kNumberValue = "@Variant(\\0\\0\\0\\x2\\0\\0\\0\\a)";

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

private:
    QString storeWith(const QByteArray &ini)
    {
        const QString path = m_dir->filePath(QStringLiteral("KORVO.ini"));
        writeFile(path, ini);
        return path;
    }

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void readRules_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("defaultValue");
        QTest::addColumn<QString>("expected");

        QTest::newRow("bool non-zero is true") << QByteArray("V=7") << "bool" << "0" << "1";
        QTest::newRow("bool negative is true") << QByteArray("V=-1") << "bool" << "0" << "1";
        QTest::newRow("bool zero is false") << QByteArray("V=0") << "bool" << "1" << "0";
        QTest::newRow("bool unparsable keeps default true") << QByteArray("V=abc") << "bool" << "1" << "1";
        QTest::newRow("bool unparsable keeps default false") << QByteArray("V=abc") << "bool" << "0" << "0";
        QTest::newRow("bool absent") << QByteArray("W=0") << "bool" << "1" << "1";
        QTest::newRow("integer negative") << QByteArray("V=-50") << "int" << "3" << "-50";
        QTest::newRow("integer") << QByteArray("V=3500") << "int" << "3" << "3500";
        QTest::newRow("integer fraction") << QByteArray("V=1.5") << "int" << "3" << "3";
        QTest::newRow("integer empty") << QByteArray("V=") << "int" << "3" << "3";
        QTest::newRow("integer trailing text") << QByteArray("V=12a") << "int" << "3" << "3";
        QTest::newRow("integer too large") << QByteArray("V=99999999999") << "int" << "3" << "3";
        QTest::newRow("integer absent") << QByteArray("W=1") << "int" << "100" << "100";
        QTest::newRow("string empty is a value") << QByteArray("V=") << "string" << "NOCALL" << "";
        QTest::newRow("string absent") << QByteArray("W=x") << "string" << "NOCALL" << "NOCALL";
        QTest::newRow("string with accents") << QByteArray("V=Fran\xc3\xa7ois") << "string" << "" << "François";
    }

    void readRules()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, type);
        QFETCH(QString, defaultValue);
        QFETCH(QString, expected);

        const SettingsStore store(storeWith("[Settings]\n" + line + "\n"));
        QString got;
        if (type == QLatin1String("bool"))
            got = store.readBool(SettingsStore::Settings, "V", defaultValue == "1") ? "1" : "0";
        else if (type == QLatin1String("int"))
            got = QString::number(store.readInteger(SettingsStore::Settings, "V", defaultValue.toInt()));
        else
            got = store.readString(SettingsStore::Settings, "V", defaultValue);
        QCOMPARE(got, expected);
    }

    void absentSectionOrFileReadsDefaults()
    {
        const SettingsStore store(m_dir->filePath("missing/KORVO.ini"));
        QCOMPARE(store.readString(SettingsStore::Look, "FT1Name", "Courier New"), QString("Courier New"));
        QCOMPARE(store.readInteger(SettingsStore::Look, "Width", 645), 645);
        QVERIFY(!QFile::exists(m_dir->filePath("missing/KORVO.ini")));   // reads create nothing
    }

    void nonTextValueIsReadFailure_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("serialised number") << kNumberValue;
        QTest::newRow("list") << QByteArray("a, b");
        QTest::newRow("byte array") << QByteArray("@ByteArray(x)");
        QTest::newRow("invalid") << QByteArray("@Invalid()");
    }

    void nonTextValueIsReadFailure()
    {
        QFETCH(QByteArray, value);
        const SettingsStore store(storeWith("[Settings]\nV=" + value + "\n"));
        QVERIFY_THROWS_EXCEPTION(StoreReadError, store.readString(SettingsStore::Settings, "V", "d"));
        QVERIFY_THROWS_EXCEPTION(StoreReadError, store.readInteger(SettingsStore::Settings, "V", 1));
    }

    // Settings kept where earlier versions kept them follow the move once, and are never
    // copied over a file that exists already.
    void earlierFileAdoptedOnce()
    {
        const QString earlier = m_dir->filePath(QStringLiteral("KORVO.ini"));
        const QString path = m_dir->filePath(QStringLiteral("korvo/korvo.ini"));
        QVERIFY(SettingsStore::adoptEarlierFile(path, earlier));   // nothing to adopt
        QVERIFY(!QFile::exists(path));

        QFile file(earlier);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Settings]\nMyCall=F5XYZ\n");
        file.close();
        QVERIFY(SettingsStore::adoptEarlierFile(path, earlier));
        QCOMPARE(SettingsStore(path).readString(SettingsStore::Settings, "MyCall", "NOCALL"), QStringLiteral("F5XYZ"));
        QVERIFY(QFile::exists(earlier));

        SettingsStore store(path);
        store.writeString(SettingsStore::Settings, "MyCall", QStringLiteral("F6ABC"));
        store.commit();
        QVERIFY(SettingsStore::adoptEarlierFile(path, earlier));
        QCOMPARE(SettingsStore(path).readString(SettingsStore::Settings, "MyCall", "NOCALL"), QStringLiteral("F6ABC"));

        QVERIFY(!SettingsStore::adoptEarlierFile(QStringLiteral("/proc/korvo-no-such/korvo.ini"), earlier));
    }

    void writeThenReadRoundTrip()
    {
        const QString path = m_dir->filePath("sub/KORVO.ini");
        const QString awkward = QStringLiteral("@de F5XYZ, \"q\"; a=b é ");
        {
            SettingsStore store(path);
            store.writeString(SettingsStore::Settings, "MyCall", awkward);
            store.writeString(SettingsStore::Settings, "CWID", QString());
            store.writeInteger(SettingsStore::Settings, "PPMAdjust", -50);
            store.writeBool(SettingsStore::Look, "WindowState", true);
            store.commit();
        }
        const QByteArray text = readFile(path);
        QVERIFY(text.contains("PPMAdjust=-50"));
        QVERIFY(text.contains("WindowState=1"));

        const SettingsStore store(path);
        QCOMPARE(store.readString(SettingsStore::Settings, "MyCall", "NOCALL"), awkward);
        QCOMPARE(store.readString(SettingsStore::Settings, "CWID", "NOCALL"), QString());
        QCOMPARE(store.readInteger(SettingsStore::Settings, "PPMAdjust", 0), -50);
        QCOMPARE(store.readBool(SettingsStore::Look, "WindowState", false), true);
    }

    void ensureSectionsKeepsValuesAndAddsHeaders()
    {
        const QString path = storeWith("[Settings]\nMyCall=F6ABC\n");
        SettingsStore store(path);
        store.ensureSections();
        QCOMPARE(store.readString(SettingsStore::Settings, "MyCall", "NOCALL"), QString("F6ABC"));
        const QByteArray text = readFile(path);
        QVERIFY(text.contains("MyCall=F6ABC"));
        QVERIFY(text.contains("[Macros]"));
        QVERIFY(text.contains("[Look]"));

        // The INI writer drops sections without values; a commit keeps them.
        store.writeInteger(SettingsStore::Settings, "WFMin", 200);
        store.commit();
        const QByteArray after = readFile(path);
        for (const char *header : {"[Settings]", "[Macros]", "[Look]"})
            QVERIFY2(after.contains(header), header);
    }

    void startupLoadOfEmptyStoreGivesDefaults()
    {
        ScriptedDialogs dialogs;
        const QString path = m_dir->filePath("KORVO.ini");
        SettingsStore store(path);
        const StartupStoreValues v = loadStartupSettings(store);

        QVERIFY(v.complete);
        QVERIFY(dialogs.shown().isEmpty());
        QCOMPARE(v.settings.MyCall, QString("NOCALL"));
        QCOMPARE(v.settings.CWID, QString("NOCALL"));
        QCOMPARE(v.settings.WFMin, 100);
        QCOMPARE(v.settings.WFMax, 3500);
        QCOMPARE(v.settings.CWIDSpeed, 2);
        QCOMPARE(v.settings.ShowUTCTime, true);
        for (const ChannelStartupValues &c : v.channels) {
            QCOMPARE(c.AFCOk, std::optional<bool>(true));
            QCOMPARE(c.NetOk, std::optional<bool>(true));
            QCOMPARE(c.AFCRange, std::optional<int>(10));
            QCOMPARE(c.Sq, std::optional<int>(10));
            QCOMPARE(c.SqSp, std::optional<int>(1));
        }
        QCOMPARE(v.window.WindowState, std::optional<bool>(false));
        QCOMPARE(v.window.Width, std::optional<int>(645));
        QCOMPARE(v.window.Height, std::optional<int>(450));
        QCOMPARE(v.panes[0].FTCol, std::optional<int>(65280));
        QCOMPARE(v.panes[1].FTCol, std::optional<int>(65535));
        QCOMPARE(v.panes[2].FTCol, std::optional<int>(65535));
        QCOMPARE(v.panes[2].Color, std::optional<int>(0));
        QCOMPARE(v.panes[2].FTName, std::optional<QString>("Courier New"));
        QCOMPARE(v.panes[2].FTSize, std::optional<int>(8));

        // The first start creates the three sections and writes nothing else.
        const QByteArray text = readFile(path);
        QCOMPARE(text.count('='), 0);
        for (const char *header : {"[Settings]", "[Macros]", "[Look]"})
            QVERIFY2(text.contains(header), header);
    }

    void startupLoadReadsStoredText()
    {
        ScriptedDialogs dialogs;
        SettingsStore store(storeWith("[Settings]\nMyCall=\nShowUTCTime=abc\nSpectrumPlain=0\nDateFormat=9\n"
                                      "AFC2Ok=0\nSqSpTwo=150\n"
                                      "[Look]\nWindowState=7\nWidth=800\nFT1Style=1100\n"));
        const StartupStoreValues v = loadStartupSettings(store);
        QVERIFY(v.complete);
        QCOMPARE(v.settings.MyCall, QString());            // empty is a value, not an absence
        QCOMPARE(v.settings.ShowUTCTime, true);            // unparsable: the default
        QCOMPARE(v.settings.SpectrumPlain, false);
        QCOMPARE(v.settings.DateFormat, 9);                // nothing clamps a read value
        QCOMPARE(v.channels[1].AFCOk, std::optional<bool>(false));
        QCOMPARE(v.channels[1].SqSp, std::optional<int>(150));
        QCOMPARE(v.window.WindowState, std::optional<bool>(true));
        QVERIFY(!v.window.Width.has_value());              // maximised: the bounds are not read
        QVERIFY(!v.window.Left.has_value());
        QCOMPARE(v.panes[0].FTStyle, std::optional<int>(1100));
        QVERIFY(dialogs.shown().isEmpty());
    }

    void nonTextValueEndsStartupLoad()
    {
        ScriptedDialogs dialogs;
        SettingsStore store(storeWith("[Settings]\nMyCall=F6ABC\nWFMin=300\nWFMax=2800\nAFC1Ok=0\nAFC2Ok=0\n"
                                      "AFC1Range=" + kNumberValue + "\nAFC2Range=50\nSqOne=40\nBlocks=9\n"
                                      "[Look]\nWidth=900\n"));
        const StartupStoreValues v = loadStartupSettings(store);

        QVERIFY(!v.complete);
        QCOMPARE(dialogs.shown(), QStringList({"beep", "message: " + kStoreReadFailureText}));
        // Read before the failing value: in effect.
        QCOMPARE(v.settings.MyCall, QString("F6ABC"));
        QCOMPARE(v.settings.WFMin, 300);
        QCOMPARE(v.settings.WFMax, 2800);
        QCOMPARE(v.channels[0].AFCOk, std::optional<bool>(false));
        QCOMPARE(v.channels[1].AFCOk, std::optional<bool>(false));
        // From the failing value on: never reached.
        QVERIFY(!v.channels[0].AFCRange.has_value());
        QVERIFY(!v.channels[1].AFCRange.has_value());
        QVERIFY(!v.channels[0].Sq.has_value());
        QVERIFY(!v.window.WindowState.has_value());
        QVERIFY(!v.window.Width.has_value());
        QVERIFY(!v.panes[2].FTStyle.has_value());
        QCOMPARE(v.settings.Blocks, TSettings().Blocks);
    }

    void nonTextValueEndsDialogLoad()
    {
        ScriptedDialogs dialogs;
        SettingsStore store(storeWith("[Settings]\nMyCall=F6ABC\nRXMode=2\nBlocks=a, b\nWFMin=400\n"));
        const DialogStoreValues v = loadDialogSettings(store);
        QVERIFY(!v.complete);
        QCOMPARE(dialogs.messages(), QStringList{kStoreReadFailureText});
        QCOMPARE(v.MyCall, std::optional<QString>("F6ABC"));
        QCOMPARE(v.RXMode, std::optional<int>(2));
        QVERIFY(!v.Blocks.has_value());
        QVERIFY(!v.WFMin.has_value());
        QVERIFY(!v.PPMAdjust.has_value());
    }

    void dialogApplyThenDialogLoad()
    {
        ScriptedDialogs dialogs;
        const QString path = m_dir->filePath("KORVO.ini");
        TSettings t;
        t.MyCall = "f5xyz";
        t.ShowUTCTime = false;
        t.DateFormat = 4;
        t.CWIDSpeed = 0;
        t.CWID = "de f5xyz";
        t.ComPort = 3;
        t.PTTControl = 2;
        t.RXMode = 1;
        t.Blocks = 12;
        t.PPMAdjust = -120;
        t.WFMin = 400;
        t.WFMax = 3000;
        {
            SettingsStore store(path);
            QVERIFY(writeDialogSettings(store, t));
        }
        SettingsStore store(path);
        const DialogStoreValues v = loadDialogSettings(store);
        QVERIFY(v.complete);
        QCOMPARE(*v.MyCall, t.MyCall);
        QCOMPARE(*v.ShowUTCTime, false);
        QCOMPARE(*v.SpectrumPlain, true);
        QCOMPARE(*v.DateFormat, 4);
        QCOMPARE(*v.CWIDSpeed, 0);
        QCOMPARE(*v.CWID, t.CWID);
        QCOMPARE(*v.ComPort, 3);
        QCOMPARE(*v.PTTControl, 2);
        QCOMPARE(*v.RXMode, 1);
        QCOMPARE(*v.Blocks, 12);
        QCOMPARE(*v.PPMAdjust, -120);
        QCOMPARE(*v.WFMin, 400);
        QCOMPARE(*v.WFMax, 3000);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void closeBatchContents()
    {
        ScriptedDialogs dialogs;
        const QString path = m_dir->filePath("KORVO.ini");
        CloseStoreValues c;
        c.WFMin = 200;
        c.WFMax = 3300;
        c.FreqOne = 1234;
        c.FreqTwo = 2345;
        c.channels[0] = {false, 25, true, 40, 80};
        c.channels[1] = {true, 5, false, 0, 200};
        c.Blocks = 7;
        c.WindowState = true;
        c.Left = -4;
        c.Top = 0;
        c.Width = 1920;
        c.Height = 1050;
        c.MonitorHeight = 150;
        {
            SettingsStore store(path);
            QVERIFY(writeCloseSettings(store, c));
        }
        const QSettings ini(path, QSettings::IniFormat);
        const QStringList expected = {
            "Look/Height=1050", "Look/Left=-4", "Look/MonitorHeight=150", "Look/Top=0", "Look/Width=1920", "Look/WindowState=1",
            "Settings/AFC1Ok=0", "Settings/AFC1Range=25", "Settings/AFC2Ok=1", "Settings/AFC2Range=5",
            "Settings/Blocks=7", "Settings/FreqOne=1234", "Settings/FreqTwo=2345",
            "Settings/Net1Ok=1", "Settings/Net2Ok=0", "Settings/SqOne=40", "Settings/SqSpOne=80",
            "Settings/SqSpTwo=200", "Settings/SqTwo=0", "Settings/WFMax=3300", "Settings/WFMin=200"};
        QStringList got;
        for (const QString &key : ini.allKeys())
            got << key + "=" + ini.value(key).toString();
        got.sort();
        QCOMPARE(got, expected);
        QVERIFY(dialogs.shown().isEmpty());

        // The next start maximises without reading the bounds, and gets the channels back.
        SettingsStore store(path);
        const StartupStoreValues v = loadStartupSettings(store);
        QCOMPARE(v.window.WindowState, std::optional<bool>(true));
        QVERIFY(!v.window.Width.has_value());
        QCOMPARE(v.channels[0].SqSp, std::optional<int>(80));
        QCOMPARE(v.channels[1].NetOk, std::optional<bool>(false));
        QCOMPARE(v.settings.WFMin, 200);
    }

    // Values outside the range their control or the engine takes read as the default;
    // the band is taken whole or not at all.
    void storedValuesOutsideTheirRange_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("expected");
        QTest::newRow("WFMax -1048577") << QByteArray("WFMin=200\nWFMax=-1048577") << "band" << 2003500;
        QTest::newRow("WFMin -1048577") << QByteArray("WFMin=-1048577\nWFMax=3000") << "band" << 1003000;
        QTest::newRow("WFMax past the FFT data") << QByteArray("WFMax=9000") << "band" << 1003500;
        QTest::newRow("band in one bin") << QByteArray("WFMin=1000\nWFMax=1002") << "band" << 1003500;
        QTest::newRow("band swapped") << QByteArray("WFMin=3000\nWFMax=1000") << "band" << 1003500;
        QTest::newRow("band kept") << QByteArray("WFMin=1\nWFMax=3500") << "band" << 13500;
        QTest::newRow("RXMode 3") << QByteArray("RXMode=3") << "RXMode" << 0;
        QTest::newRow("RXMode -1") << QByteArray("RXMode=-1") << "RXMode" << 0;
        QTest::newRow("RXMode 2 kept") << QByteArray("RXMode=2") << "RXMode" << 2;
        QTest::newRow("CWIDSpeed 4") << QByteArray("CWIDSpeed=4") << "CWIDSpeed" << 2;
        QTest::newRow("PTTControl 7") << QByteArray("PTTControl=7") << "PTTControl" << 0;
        QTest::newRow("ComPort 0") << QByteArray("ComPort=0") << "ComPort" << 1;
        QTest::newRow("Blocks 0") << QByteArray("Blocks=0") << "Blocks" << 1;
        QTest::newRow("Blocks 100") << QByteArray("Blocks=100") << "Blocks" << 1;
        QTest::newRow("PPMAdjust 10001") << QByteArray("PPMAdjust=10001") << "PPMAdjust" << 0;
        QTest::newRow("PPMAdjust -10000 kept") << QByteArray("PPMAdjust=-10000") << "PPMAdjust" << -10000;
        QTest::newRow("AFC1Range 101") << QByteArray("AFC1Range=101") << "AFC1Range" << 10;
        QTest::newRow("SqTwo -1") << QByteArray("SqTwo=-1") << "SqTwo" << 10;
        QTest::newRow("SqSpOne 201") << QByteArray("SqSpOne=201") << "SqSpOne" << 1;
    }

    void storedValuesOutsideTheirRange()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, field);
        ScriptedDialogs dialogs;
        SettingsStore store(storeWith("[Settings]\n" + settings + "\n[Look]\nColor2=-5\nFT3Size=0\n"));
        const StartupStoreValues v = loadStartupSettings(store);
        const DialogStoreValues d = loadDialogSettings(store);
        QVERIFY(v.complete && d.complete);
        const TSettings &t = v.settings;
        const QHash<QString, int> read{
            {"band", t.WFMin * 10000 + t.WFMax}, {"RXMode", t.RXMode}, {"CWIDSpeed", t.CWIDSpeed},
            {"PTTControl", t.PTTControl}, {"ComPort", t.ComPort}, {"Blocks", t.Blocks},
            {"PPMAdjust", t.PPMAdjust}, {"DateFormat", t.DateFormat},
            {"AFC1Range", *v.channels[0].AFCRange}, {"SqTwo", *v.channels[1].Sq},
            {"SqSpOne", *v.channels[0].SqSp}};
        QTEST(read.value(field), "expected");
        // The configuration dialog reads the same values.
        const QHash<QString, int> dialogRead{
            {"band", *d.WFMin * 10000 + *d.WFMax}, {"RXMode", *d.RXMode}, {"CWIDSpeed", *d.CWIDSpeed},
            {"PTTControl", *d.PTTControl}, {"ComPort", *d.ComPort}, {"Blocks", *d.Blocks},
            {"PPMAdjust", *d.PPMAdjust}, {"DateFormat", *d.DateFormat}};
        if (dialogRead.contains(field))
            QCOMPARE(dialogRead.value(field), read.value(field));
        QCOMPARE(*v.panes[1].Color, 0);
        QCOMPARE(*v.panes[2].FTSize, 8);
        QVERIFY(dialogs.shown().isEmpty());
    }

    // A special file is neither read (a FIFO blocks, /dev/zero never ends) nor
    // replaced: reads fail, writes fail, the node stays what it was.
    void specialFileIsNeitherReadNorReplaced_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to /dev/zero") << "zero";
        QTest::newRow("folder") << "dir";
    }

    void specialFileIsNeitherReadNorReplaced()
    {
        QFETCH(QString, kind);
        ScriptedDialogs dialogs;
        const QString path = m_dir->filePath("KORVO.ini");
        if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == "zero")
            QVERIFY(QFile::link("/dev/zero", path));
        else
            QVERIFY(QDir().mkdir(path));
        SettingsStore store(path);
        QVERIFY_THROWS_EXCEPTION(StoreReadError, store.readString(SettingsStore::Settings, "MyCall", "d"));
        const StartupStoreValues v = loadStartupSettings(store);
        QVERIFY(!v.complete);
        QCOMPARE(v.settings.WFMax, 3500);
        QVERIFY(!writeCloseSettings(store, CloseStoreValues{}));
        QVERIFY(dialogs.messages().contains(kStoreReadFailureText));
        QVERIFY(dialogs.messages().contains(kStoreWriteFailureText));
        struct stat info{};
        QCOMPARE(::lstat(QFile::encodeName(path).constData(), &info), 0);
        if (kind == "fifo")
            QVERIFY(S_ISFIFO(info.st_mode));
        else if (kind == "zero")
            QVERIFY(S_ISLNK(info.st_mode));
        else
            QVERIFY(S_ISDIR(info.st_mode));
    }

    // What the program cannot read as written is kept: comments, a ';' inside a value,
    // Latin-1 text, a line without '='; a copy of the file is kept beside it and the
    // operator told once; the close writes only its own values and reports no failure.
    void fileWrittenByHandIsKept()
    {
        ScriptedDialogs dialogs;
        const QByteArray original = "; my station\r\n[Settings]\nMyCall=F5ABC ; QRV\nCWID=de F5\xc4" "BC\n"
                                    "WFMin=300\nbogus line\n\n# look\n[Look]\nWidth=700\nColor1=255\n";
        const QString path = storeWith(original);
        {
            SettingsStore store(path);
            const StartupStoreValues v = loadStartupSettings(store);
            QVERIFY(v.complete);
            QCOMPARE(v.settings.MyCall, QStringLiteral("F5ABC ; QRV"));
            QCOMPARE(v.settings.CWID, QString::fromUtf8("de F5ÄBC"));
            QCOMPARE(v.settings.WFMin, 300);
            QCOMPARE(*v.panes[0].Color, 255);
            QCOMPARE(dialogs.messages().size(), 1);
            QVERIFY(dialogs.messages().first().contains(path + ".orig"));
            QCOMPARE(readFile(path + ".orig"), original);

            CloseStoreValues close;
            close.Width = 640;
            QVERIFY(writeCloseSettings(store, close));
        }
        QByteArray expected = original;
        expected.replace("WFMin=300\n", "WFMin=100\n");
        expected.replace("Width=700", "Width=640");
        const QByteArray after = readFile(path);
        for (const QByteArray &kept : {QByteArray("; my station\r\n[Settings]\nMyCall=F5ABC ; QRV\n"),
                                       QByteArray("CWID=de F5\xc4" "BC\n"), QByteArray("bogus line\n"),
                                       QByteArray("# look\n[Look]\n"), QByteArray("WFMin=100\n"),
                                       QByteArray("Width=640\n"), QByteArray("Color1=255\n")})
            QVERIFY2(after.contains(kept), kept.constData());
        QVERIFY(!after.contains("Width=700"));

        // A second start keeps the one copy and says nothing more.
        SettingsStore again(path);
        loadStartupSettings(again);
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(readFile(path + ".orig"), original);
    }

    // A file the program wrote itself is rewritten as it was, value lines excepted.
    void ownFileKeepsItsOrder()
    {
        ScriptedDialogs dialogs;
        const QString path = m_dir->filePath("KORVO.ini");
        {
            SettingsStore store(path);
            QVERIFY(writeCloseSettings(store, CloseStoreValues{}));
        }
        const QByteArray first = readFile(path);
        {
            SettingsStore store(path);
            loadStartupSettings(store);
            QVERIFY(writeCloseSettings(store, CloseStoreValues{}));
        }
        QCOMPARE(readFile(path), first);
        QVERIFY(dialogs.shown().isEmpty());
        QVERIFY(!QFile::exists(path + ".orig"));
    }

    void storeThatCannotBeCreatedFailsTheWrite()
    {
        ScriptedDialogs dialogs;
        writeFile(m_dir->filePath("plainfile"), "x");
        // A folder that cannot exist: its parent is a plain file.
        SettingsStore store(m_dir->filePath("plainfile/KORVO.ini"));
        QVERIFY(!writeCloseSettings(store, CloseStoreValues{}));
        QCOMPARE(dialogs.shown(), QStringList({"beep", "message: " + kStoreWriteFailureText}));
    }

    // Start-up still reads (defaults here) and says once that nothing can be kept.
    void startupWithStoreThatCannotBeCreated()
    {
        ScriptedDialogs dialogs;
        writeFile(m_dir->filePath("plainfile"), "x");
        SettingsStore store(m_dir->filePath("plainfile/KORVO.ini"));
        const StartupStoreValues v = loadStartupSettings(store);
        QVERIFY(v.complete);
        QCOMPARE(v.settings.MyCall, QString("NOCALL"));
        QCOMPARE(dialogs.shown(), QStringList({"beep", "message: " + kStoreWriteFailureText}));
    }

    // A write that fails half-way (here: the file size limit, which holds for every
    // user, root included) must leave the original file as it was.
    void failedWriteLeavesOriginalIntact()
    {
        ScriptedDialogs dialogs;
        const QByteArray original = "[Settings]\nMyCall=F6ABC\n\n[Macros]\nMacroName1=CQ\n\n[Look]\nWidth=800\n";
        const QString path = storeWith(original);
        SettingsStore store(path);

        auto *previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = static_cast<rlim_t>(original.size());
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);

        TSettings t;
        t.MyCall = QString(200, QLatin1Char('X'));   // the new file is larger than the limit
        const bool written = writeDialogSettings(store, t);
        const QByteArray after = readFile(path);
        const QStringList leftovers = QDir(m_dir->path()).entryList(QDir::Files);

        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!written);
        QCOMPARE(dialogs.shown(), QStringList({"beep", "message: " + kStoreWriteFailureText}));
        QCOMPARE(after, original);
        QCOMPARE(leftovers, QStringList{"KORVO.ini"});
    }

    void readOnlyFolderFailsTheWrite()
    {
        if (geteuid() == 0)
            QSKIP("permissions do not hold for root");
        ScriptedDialogs dialogs;
        const QByteArray original = "[Settings]\nMyCall=F6ABC\n\n[Macros]\n\n[Look]\n";
        const QString path = storeWith(original);
        QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QFile::setPermissions(path, QFileDevice::ReadOwner);
        bool written = true;
        {
            SettingsStore store(path);
            written = writeCloseSettings(store, CloseStoreValues{});
        }
        QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!written);
        QCOMPARE(dialogs.messages(), QStringList{kStoreWriteFailureText});
        QCOMPARE(readFile(path), original);
    }
};

QTEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
