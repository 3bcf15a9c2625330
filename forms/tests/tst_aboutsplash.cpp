#include "forms/MemoryText.h"
#include "forms/TAboutForm.h"
#include "forms/TSplashForm.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestAboutSplash : public QObject
{
    Q_OBJECT
private slots:
    void memoryReadOut_data();
    void memoryReadOut();
    void aboutBoxLayoutAndClosing();
    void aboutBoxIsAFixedDialog();
    void splashTimerStopsAfterOneShot();
};

void TestAboutSplash::memoryReadOut_data()
{
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("64 MiB") << quint64(64) * 1024 * 1024 << "fr_FR" << "Memoire RAM: 65536 Ko";
    QTest::newRow("1536.5 KiB, comma") << quint64(1573376) << "fr_FR" << "Memoire RAM: 1536,5 Ko";
    QTest::newRow("1536.5 KiB, point") << quint64(1573376) << "en_US" << "Memoire RAM: 1536.5 Ko";
    QTest::newRow("three decimals at most") << quint64(1025) << "fr_FR" << "Memoire RAM: 1,001 Ko";
    QTest::newRow("16 GiB, no grouping") << quint64(16) * 1024 * 1024 * 1024 << "fr_FR"
                                         << "Memoire RAM: 16777216 Ko";
}

void TestAboutSplash::aboutBoxIsAFixedDialog()
{
    TAboutForm about;
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
}

void TestAboutSplash::memoryReadOut()
{
    QFETCH(quint64, bytes);
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QCOMPARE(::memoryReadOut(bytes, QLocale(locale)), text);
}

void TestAboutSplash::aboutBoxLayoutAndClosing()
{
    TAboutForm about;
    QCOMPARE(about.windowTitle(), QStringLiteral("A propos de Korvo v1.7c"));
    QCOMPARE(about.size(), QSize(380, 165));
    QCOMPARE(about.Image2->pixmap().size(), QSize(114, 41));
    about.show();
    QVERIFY(about.MEMLbl->text().startsWith(QStringLiteral("Memoire RAM: ")));
    QVERIFY(about.MEMLbl->text().endsWith(QStringLiteral(" Ko")));
    QCOMPARE(about.BitBtn1->text(), QStringLiteral("QSL"));
    QTest::mouseClick(about.MAINLabel, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void TestAboutSplash::splashTimerStopsAfterOneShot()
{
    TSplashForm splash;
    QCOMPARE(splash.tmMainTimer->interval(), 2500);
    QVERIFY(splash.tmMainTimer->isActive());
    QCOMPARE(splash.size(), QSize(300, 200));
    // Clicks change nothing; only the timer ends the wait.
    QTest::mouseClick(splash.imgSplash, Qt::LeftButton);
    QVERIFY(splash.tmMainTimer->isActive());
    splash.tmMainTimerTimer();
    QVERIFY(!splash.tmMainTimer->isActive());
    splash.showUntilTimerFires();   // returns at once once the timer has fired
}

QTEST_MAIN(TestAboutSplash)
#include "tst_aboutsplash.moc"
