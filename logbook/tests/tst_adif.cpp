#include "logbook/AdifBands.h"
#include "logbook/AdifLogFile.h"
#include "logbook/AdifWriter.h"

#include "AdifReader.h"
#include "UnwritableFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QDateTime utc(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

QsoRecord sampleQso()
{
    QsoRecord qso;
    qso.call = QStringLiteral(" f5abc ");
    qso.name = QStringLiteral("Hervé");
    qso.rstSent = QStringLiteral("599");
    qso.timeOn = utc(2024, 3, 9, 14, 2, 5);
    qso.timeOff = utc(2024, 3, 9, 14, 9, 58);
    qso.submode = PskSubmode::PSK31;
    qso.audioHz = 1500;
    qso.stationCallsign = QStringLiteral("f6xyz");
    qso.myGrid = QStringLiteral("JN18eu");
    return qso;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestAdif : public QObject
{
    Q_OBJECT
private slots:
    void fieldLengthCountsUtf8Bytes_data();
    void fieldLengthCountsUtf8Bytes();
    void recordWithoutDial();
    void frequencyFromDialAndOffset_data();
    void frequencyFromDialAndOffset();
    void bandMapping_data();
    void bandMapping();
    void twoQsosAppendedReadBack();
    void existingFileIsOnlyAppendedTo();
    void unwritableFileFailsAndKeepsIt();
};

void TestAdif::fieldLengthCountsUtf8Bytes_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("ascii") << QStringLiteral("F5ABC") << QByteArray("<NAME:5>F5ABC ");
    QTest::newRow("e acute is two bytes") << QStringLiteral("Hervé") << QByteArray("<NAME:6>Herv\xc3\xa9 ");
    QTest::newRow("three-byte euro") << QStringLiteral("5€") << QByteArray("<NAME:4>5\xe2\x82\xac ");
    QTest::newRow("empty is absent") << QString() << QByteArray();
}

void TestAdif::fieldLengthCountsUtf8Bytes()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, field);
    QCOMPARE(adifField("NAME", value), field);
}

// Every field, its length and its order, for a QSO whose dial is not known.
void TestAdif::recordWithoutDial()
{
    const QByteArray expected = "<CALL:5>F5ABC <NAME:6>Herv\xc3\xa9 <RST_SENT:3>599 "
                                "<QSO_DATE:8>20240309 <TIME_ON:6>140205 "
                                "<QSO_DATE_OFF:8>20240309 <TIME_OFF:6>140958 "
                                "<MODE:3>PSK <SUBMODE:5>PSK31 "
                                "<STATION_CALLSIGN:5>F6XYZ <MY_GRIDSQUARE:6>JN18eu <EOR>\n";
    QCOMPARE(adifRecord(sampleQso()), expected);
}

void TestAdif::frequencyFromDialAndOffset_data()
{
    QTest::addColumn<int>("submode");
    QTest::addColumn<quint64>("dialHz");
    QTest::addColumn<bool>("lsb");
    QTest::addColumn<int>("audioHz");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("20 m USB") << int(PskSubmode::PSK31) << quint64(14070000) << false << 1500
                              << QByteArray("<SUBMODE:5>PSK31 <FREQ:9>14.071500 <BAND:3>20m ");
    QTest::newRow("80 m LSB below the dial") << int(PskSubmode::QPSK31) << quint64(3582000) << true << 1000
                                             << QByteArray("<SUBMODE:6>QPSK31 <FREQ:8>3.581000 <BAND:3>80m ");
    QTest::newRow("6 m, hertz kept") << int(PskSubmode::PSK31) << quint64(50290000) << false << 1237
                                     << QByteArray("<SUBMODE:5>PSK31 <FREQ:9>50.291237 <BAND:2>6m ");
    QTest::newRow("out of every band: no BAND") << int(PskSubmode::PSK31) << quint64(27000000) << false << 500
                                                << QByteArray("<SUBMODE:5>PSK31 <FREQ:9>27.000500 ");
}

void TestAdif::frequencyFromDialAndOffset()
{
    QFETCH(int, submode);
    QFETCH(quint64, dialHz);
    QFETCH(bool, lsb);
    QFETCH(int, audioHz);
    QFETCH(QByteArray, expected);
    QsoRecord qso = sampleQso();
    qso.submode = PskSubmode(submode);
    qso.audioHz = audioHz;
    qso.dial = RigDial{dialHz, lsb};
    const QByteArray record = adifRecord(qso);
    QVERIFY2(record.contains("<MODE:3>PSK " + expected + "<STATION_CALLSIGN"), record.constData());
}

void TestAdif::bandMapping_data()
{
    QTest::addColumn<quint64>("hz");
    QTest::addColumn<QString>("band");
    const struct { quint64 hz; const char *band; } rows[] = {
        {137800, "2190m"},     {1838000, "160m"}, {1799999, ""},       {3580000, "80m"},
        {5366000, "60m"},      {7040000, "40m"},  {7300001, ""},       {10142000, "30m"},
        {14000000, "20m"},     {14070000, "20m"}, {14350000, "20m"},   {14350001, ""},
        {18100000, "17m"},     {21080000, "15m"}, {24920000, "12m"},   {28120000, "10m"},
        {29700000, "10m"},     {50290000, "6m"},  {70100000, "4m"},    {144138000, "2m"},
        {432200000, "70cm"},   {1296000000, "23cm"}, {10368000000ULL, "3cm"}, {0, ""},
    };
    for (const auto &row : rows)
        QTest::addRow("%llu Hz", static_cast<unsigned long long>(row.hz)) << row.hz << QString::fromLatin1(row.band);
}

void TestAdif::bandMapping()
{
    QFETCH(quint64, hz);
    QFETCH(QString, band);
    QCOMPARE(adifBandFor(hz), band);
}

// A new file in a folder that does not exist yet: the header once, then both records,
// every field read back at the length it declares.
void TestAdif::twoQsosAppendedReadBack()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("korvo/korvo.adi"));
    AdifLogFile log(path);
    QsoRecord second = sampleQso();
    second.call = QStringLiteral("DL1XYZ");
    second.name = QStringLiteral("Jürgen");
    second.rstSent = QString();
    second.submode = PskSubmode::QPSK31;
    second.dial = RigDial{7040000, false};
    second.audioHz = 1200;
    QVERIFY(log.append(adifRecord(sampleQso()), utc(2024, 3, 9, 14, 9, 58)));
    QVERIFY(log.append(adifRecord(second), utc(2024, 3, 9, 14, 30, 0)));

    const QByteArray text = readAll(path);
    QCOMPARE(text.count("<EOH>"), 1);
    const AdifFile file = readAdif(text);
    QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
    QVERIFY(file.hasHeader);
    QCOMPARE(file.header.value("ADIF_VER"), QByteArray("3.1.0"));
    QCOMPARE(file.header.value("PROGRAMID"), QByteArray("Korvo"));
    QCOMPARE(file.header.value("CREATED_TIMESTAMP"), QByteArray("20240309 140958"));
    QCOMPARE(file.records.size(), 2);

    const auto &a = file.records.at(0);
    QCOMPARE(a.value("CALL"), QByteArray("F5ABC"));
    QCOMPARE(QString::fromUtf8(a.value("NAME")), QStringLiteral("Hervé"));
    QCOMPARE(a.value("RST_SENT"), QByteArray("599"));
    QCOMPARE(a.value("QSO_DATE"), QByteArray("20240309"));
    QCOMPARE(a.value("TIME_ON"), QByteArray("140205"));
    QCOMPARE(a.value("QSO_DATE_OFF"), QByteArray("20240309"));
    QCOMPARE(a.value("TIME_OFF"), QByteArray("140958"));
    QCOMPARE(a.value("MODE"), QByteArray("PSK"));
    QCOMPARE(a.value("SUBMODE"), QByteArray("PSK31"));
    QCOMPARE(a.value("STATION_CALLSIGN"), QByteArray("F6XYZ"));
    QCOMPARE(a.value("MY_GRIDSQUARE"), QByteArray("JN18eu"));
    QVERIFY(!a.contains("FREQ"));
    QVERIFY(!a.contains("BAND"));
    QCOMPARE(a.size(), 11);

    const auto &b = file.records.at(1);
    QCOMPARE(b.value("CALL"), QByteArray("DL1XYZ"));
    QCOMPARE(QString::fromUtf8(b.value("NAME")), QStringLiteral("Jürgen"));
    QVERIFY(!b.contains("RST_SENT"));
    QCOMPARE(b.value("SUBMODE"), QByteArray("QPSK31"));
    QCOMPARE(b.value("FREQ"), QByteArray("7.041200"));
    QCOMPARE(b.value("BAND"), QByteArray("40m"));
}

void TestAdif::existingFileIsOnlyAppendedTo()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.adi"));
    const QByteArray before = "Another logger's export\n<ADIF_VER:5>3.1.4 <EOH>\n<CALL:4>G4AB <EOR>";
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before);
    }
    QVERIFY(AdifLogFile(path).append(adifRecord(sampleQso()), utc(2024, 3, 9, 14, 9, 58)));
    const QByteArray after = readAll(path);
    QVERIFY(after.startsWith(before));
    QCOMPARE(after.mid(before.size()), adifRecord(sampleQso()));
    const AdifFile file = readAdif(after);
    QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
    QCOMPARE(file.records.size(), 2);
}

void TestAdif::unwritableFileFailsAndKeepsIt()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.adi"));
    QVERIFY(AdifLogFile(path).append(adifRecord(sampleQso()), utc(2024, 3, 9, 14, 9, 58)));
    const QByteArray before = readAll(path);
    bool appended = true;
    {
        UnwritableFile readOnly(path);
        appended = AdifLogFile(path).append(adifRecord(sampleQso()), utc(2024, 3, 9, 15, 0, 0));
    }
    QVERIFY(!appended);
    QCOMPARE(readAll(path), before);
}

QTEST_GUILESS_MAIN(TestAdif)
#include "tst_adif.moc"
