#include "app/StartupTexts.h"
#include "app/StatusClock.h"

#include <QtTest>

class TestStartupTexts : public QObject
{
    Q_OBJECT
private slots:
    void captionCarriesCallUpperCased()
    {
        QCOMPARE(mainWindowCaption(QStringLiteral("f4xyz/p")), kProductBanner + QStringLiteral(" - F4XYZ/P"));
        QCOMPARE(mainWindowCaption(QString()), kProductBanner + QStringLiteral(" - "));
        QCOMPARE(mainWindowCaption(QStringLiteral("f4xyz"), QStringLiteral("Bande de démonstration")),
                 kProductBanner + QStringLiteral(" - F4XYZ [Bande de démonstration]"));
    }

    void versionCaption_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("caption");
        QTest::newRow("17") << 17 << QStringLiteral("pskcore.dll version 1.7  ");
        QTest::newRow("105") << 105 << QStringLiteral("pskcore.dll version 1.05  ");
        QTest::newRow("one digit") << 2 << QStringLiteral("pskcore.dll version 2.  ");
    }

    void versionCaption()
    {
        QFETCH(int, version);
        QTEST(engineVersionCaption(version), "caption");
    }

    void replayHint_data()
    {
        QTest::addColumn<int>("blocks");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("hint");
        const QLocale french(QLocale::French, QLocale::France);
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("1 block, comma") << 1 << french << QStringLiteral("Replay 0,256 secondes");
        QTest::newRow("1 block, point") << 1 << english << QStringLiteral("Replay 0.256 secondes");
        // 3 x 0.256 is not exact in binary: 15 digits hide the error.
        QTest::newRow("3 blocks") << 3 << french << QStringLiteral("Replay 0,768 secondes");
        QTest::newRow("no trailing zeros") << 25 << english << QStringLiteral("Replay 6.4 secondes");
        QTest::newRow("99 blocks") << 99 << french << QStringLiteral("Replay 25,344 secondes");
        QTest::newRow("no group separator") << 10000 << english << QStringLiteral("Replay 2560 secondes");
    }

    void replayHint()
    {
        QFETCH(int, blocks);
        QFETCH(QLocale, locale);
        QTEST(::replayHint(blocks, locale), "hint");
    }

    void channelPlacement_data()
    {
        QTest::addColumn<int>("wfMin");
        QTest::addColumn<int>("wfMax");
        QTest::addColumn<int>("rxOne");
        QTest::addColumn<int>("rxTwo");
        QTest::newRow("default band") << 100 << 3500 << 1550 << 2050;
        QTest::newRow("odd width truncates") << 100 << 1101 << 350 << 850;
        QTest::newRow("low band clamps at 1") << 1 << 300 << 1 << 400;
        QTest::newRow("high band clamps at 3996") << 3000 << 4000 << 3250 << 3750;
        QTest::newRow("beyond the top") << 3900 << 4000 << 3700 << 3996;
        QTest::newRow("edges whose difference overflows") << -2147483647 << 2147483647 << 1 << 250;
    }

    void channelPlacement()
    {
        QFETCH(int, wfMin);
        QFETCH(int, wfMax);
        const auto [one, two] = ::channelPlacement(wfMin, wfMax);
        QTEST(one, "rxOne");
        QTEST(two, "rxTwo");
    }

    void portHint_data()
    {
        QTest::addColumn<int>("ptt");
        QTest::addColumn<QString>("hint");
        QTest::newRow("none") << 0 << QString();
        QTest::newRow("RTS") << 1 << QStringLiteral("Le port COM 3 est ouvert");
        QTest::newRow("both") << 3 << QStringLiteral("Le port COM 3 est ouvert");
        QTest::newRow("out of range") << 4 << QString();
    }

    void portHint()
    {
        QFETCH(int, ptt);
        QTEST(portIndicatorHint(ptt, 3), "hint");
    }

    void clock_data()
    {
        QTest::addColumn<QDateTime>("local");
        QTest::addColumn<bool>("utc");
        QTest::addColumn<QString>("text");
        const QDate day(2026, 7, 14);
        const QDateTime summerParis(day, QTime(16, 30, 20), QTimeZone(2 * 3600));
        QTest::newRow("two hours ahead, UTC") << summerParis << true << QStringLiteral("14:30TU");
        QTest::newRow("two hours ahead, local") << summerParis << false << QStringLiteral("16:30");
        QTest::newRow("west, crossing midnight")
            << QDateTime(day, QTime(21, 5), QTimeZone(-5 * 3600)) << true << QStringLiteral("02:05TU");
        QTest::newRow("east, crossing midnight")
            << QDateTime(day, QTime(0, 15), QTimeZone(5 * 3600 + 1800)) << true << QStringLiteral("18:45TU");
        QTest::newRow("single digits padded")
            << QDateTime(day, QTime(7, 4), QTimeZone(0)) << false << QStringLiteral("07:04");
    }

    void clock()
    {
        QFETCH(QDateTime, local);
        QFETCH(bool, utc);
        QTEST(clockPanelText(local, utc, UTCOffset(local)), "text");
    }

    void offsetIsUtcMinusLocal()
    {
        const QDateTime local(QDate(2026, 1, 1), QTime(12, 0), QTimeZone(3600));
        QCOMPARE(UTCOffset(local), -1.0 / 24.0);
    }
};

QTEST_MAIN(TestStartupTexts)
#include "tst_startuptexts.moc"
