#include "ground/Cp1252.h"

#include <QtTest>

class TestCp1252 : public QObject
{
    Q_OBJECT

private slots:
    void everyByteRoundTrips();
    void characters_data();
    void characters();
};

void TestCp1252::everyByteRoundTrips()
{
    for (int byte = 0; byte < 256; ++byte) {
        const QChar ch = Cp1252::toUnicode(static_cast<unsigned char>(byte));
        const std::optional<unsigned char> back = Cp1252::fromUnicode(ch);
        QVERIFY2(back && *back == byte, qPrintable(QString::number(byte)));
    }
}

void TestCp1252::characters_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<int>("byte");   // -1: none

    QTest::newRow("A") << "A" << 65;
    QTest::newRow("e acute") << QString::fromUtf8("é") << 0xE9;
    QTest::newRow("euro") << QString::fromUtf8("€") << 0x80;
    QTest::newRow("oe ligature") << QString::fromUtf8("œ") << 0x9C;
    QTest::newRow("right single quote") << QString::fromUtf8("’") << 0x92;
    QTest::newRow("L with stroke") << QString::fromUtf8("ł") << -1;
    QTest::newRow("C1 control without a character") << QString(QChar(0x81)) << 0x81;
    QTest::newRow("C1 control taken by the euro's byte") << QString(QChar(0x80)) << -1;
}

void TestCp1252::characters()
{
    QFETCH(QString, character);
    QFETCH(int, byte);
    const std::optional<unsigned char> b = Cp1252::fromUnicode(character.at(0));
    QCOMPARE(b ? int(*b) : -1, byte);
}

QTEST_MAIN(TestCp1252)
#include "tst_cp1252.moc"
