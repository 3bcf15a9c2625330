#include "app/TPSKForm.h"
#include "channels/ReceiveChannels.h"
#include "controls/TSpinEdit.h"
#include "controls/Tdbmeter.h"
#include "tests/support/FormHarness.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedEngine.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class TestChannelControls : public QObject
{
    Q_OBJECT

    FormHarness h;

    TSpinEdit *rx(int channel) { return h.form().channels[size_t(channel)].rx; }
    TSpinEdit *tx(int channel) { return h.form().channels[size_t(channel)].tx; }
    ReceiveChannels &channels() { return *h.form().receiveChannels; }

private slots:
    void init()
    {
        h.open();
    }

    void cleanup()
    {
        h.close();
    }

    void receiveStepFromTheEngineFrequency_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("engineHz");
        QTest::addColumn<int>("sentHz");
        QTest::addColumn<double>("shown");
        QTest::newRow("up at the top") << 0 << int(Qt::Key_Up) << 3996 << 3997 << 3996.0;
        QTest::newRow("down at the bottom") << 1 << int(Qt::Key_Down) << 1 << 0 << 1.0;
        QTest::newRow("up, channel 2") << 1 << int(Qt::Key_Up) << 2000 << 2001 << 2001.0;
    }
    void receiveStepFromTheEngineFrequency()
    {
        QFETCH(int, channel);
        QFETCH(int, key);
        QFETCH(int, engineHz);
        QFETCH(int, sentHz);
        QFETCH(double, shown);
        rx(channel)->setValue(engineHz);
        h.engine().setRxFrequency(channel, engineHz);
        QTest::keyClick(rx(channel), Qt::Key(key));
        const QString ch = QString::number(channel);
        QCOMPARE(h.engine().calls(), (QStringList{
                                        QStringLiteral("fnGetRXFrequency(") + ch + QLatin1Char(')'),
                                        QStringLiteral("fnSetRXFrequency(%1, 10, %2)").arg(sentHz).arg(channel),
                                    }));
        QCOMPARE(rx(channel)->value(), shown);
    }

    void receiveStepIgnoresTheTypedValue()
    {
        h.engine().setRxFrequency(0, 1500);
        rx(0)->setValue(2222);
        QTest::keyClick(rx(0), Qt::Key_Up);
        QTest::keyClick(rx(0), Qt::Key_Up);
        QCOMPARE(h.engine().calls(QStringLiteral("fnSetRXFrequency")),
                 (QStringList{QStringLiteral("fnSetRXFrequency(1501, 10, 0)"),
                              QStringLiteral("fnSetRXFrequency(1502, 10, 0)")}));
        QCOMPARE(rx(0)->value(), 1502.0);
    }

    void transmitStepSetsTheEngineAtOnce()
    {
        tx(1)->setValue(3996);
        QTest::keyClick(tx(1), Qt::Key_Up);
        QTest::keyClick(tx(1), Qt::Key_Down);
        QCOMPARE(h.engine().calls(), (QStringList{QStringLiteral("fnSetTXFrequency(3996)"),
                                                 QStringLiteral("fnSetTXFrequency(3995)")}));
    }

    void squelchSendsTheSpeedField()
    {
        QCOMPARE(h.form().SQLbl2->text(), QStringLiteral("Seuil de squelch"));
        h.form().SQSpTwo->setValue(50);
        QVERIFY(h.engine().calls().isEmpty());
        h.form().SQTwoBar->setValue(30);
        QCOMPARE(h.engine().calls(), QStringList{QStringLiteral("fnSetSquelchThreshold(30, 50, 1)")});
        QCOMPARE(h.form().SQLbl2->text(), QStringLiteral("Niveau de Squelch: 30"));
        QCOMPARE(h.form().SQLbl1->text(), QStringLiteral("Seuil de squelch"));
        h.form().SQTwoBar->setValue(30);
        QCOMPARE(h.engine().calls().size(), 1);
    }

    void afcSwitchGreysTheWidth()
    {
        h.form().AFCOneRg->setValue(25);
        h.engine().clearCalls();
        h.form().AFCOne->setChecked(false);
        QVERIFY(!h.form().AFCOneRg->isEnabled());
        QVERIFY(h.form().AFCTwoRg->isEnabled());
        QCOMPARE(h.engine().calls(), QStringList{QStringLiteral("fnSetAFCLimit(0, 0)")});
        h.form().AFCOne->setChecked(false);
        QCOMPARE(h.engine().calls().size(), 1);

        QTest::mouseClick(h.form().AFCOne, Qt::LeftButton, {}, QPoint(h.form().AFCOne->width() - 8, 8));
        QVERIFY(h.form().AFCOne->isChecked());
        QVERIFY(h.form().AFCOneRg->isEnabled());
        h.form().AFCTwoRg->setValue(40);
        QCOMPARE(h.engine().calls(), (QStringList{QStringLiteral("fnSetAFCLimit(0, 0)"),
                                                 QStringLiteral("fnSetAFCLimit(25, 0)"),
                                                 QStringLiteral("fnSetAFCLimit(40, 1)")}));
    }

    void netRuleOnTheCurrentChannel_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("net");
        QTest::addColumn<int>("sent");
        QTest::newRow("NET on, channel 2") << 1 << true << 2100;
        QTest::newRow("NET off, channel 2") << 1 << false << 2000;
        QTest::newRow("NET on, channel 1") << 0 << true << 1100;
    }
    void netRuleOnTheCurrentChannel()
    {
        QFETCH(int, current);
        QFETCH(bool, net);
        QFETCH(int, sent);
        rx(0)->setValue(1100);
        tx(0)->setValue(1000);
        rx(1)->setValue(2100);
        tx(1)->setValue(2000);
        h.form().channels[size_t(current)].net->setChecked(net);
        channels().setCurrentChannel(current);
        h.engine().clearCalls();
        channels().applyNetRule();
        QCOMPARE(h.engine().calls(), QStringList{QStringLiteral("fnSetTXFrequency(%1)").arg(sent)});
        QCOMPARE(tx(current)->value(), double(sent));
        QCOMPARE(tx(1 - current)->value(), current == 0 ? 2000.0 : 1000.0);
    }

    void engineStartPushes()
    {
        rx(0)->setValue(1550);
        rx(1)->setValue(2050);
        h.form().AFCTwo->setChecked(false);
        h.form().AFCOneRg->setValue(15);
        h.form().SQSpOne->setValue(80);
        h.form().SQOneBar->setValue(20);
        h.engine().clearCalls();
        channels().pushReceiveFrequencies();
        channels().pushAFCLimits();
        channels().pushSquelchThresholds();
        QCOMPARE(h.engine().calls(), (QStringList{
                                        QStringLiteral("fnSetRXFrequency(1550, 10, 0)"),
                                        QStringLiteral("fnSetRXFrequency(2050, 10, 1)"),
                                        QStringLiteral("fnSetAFCLimit(15, 0)"),
                                        QStringLiteral("fnSetAFCLimit(0, 1)"),
                                        QStringLiteral("fnSetSquelchThreshold(20, 1, 0)"),
                                        QStringLiteral("fnSetSquelchThreshold(10, 1, 1)"),
                                    }));
    }

    void sMetersShowThirtySegments()
    {
        for (Tdbmeter *meter : {h.form().SMOne, h.form().SMTwo}) {
            QCOMPARE(meter->size(), QSize(151, 13));
            QCOMPARE(dbmeterLitCount(meter->look(), 60), 19);
            QCOMPARE(dbmeterLitCount(meter->look(), 97), 30);
            QCOMPARE(meter->SepColor(), QColor(Qt::black));
        }
    }

    void currentChannelIsTheTabShown()
    {
        QCOMPARE(channels().currentChannel(), 0);
        h.form().Canal->setEnabled(false);
        channels().setCurrentChannel(1);
        QCOMPARE(h.form().Canal->currentIndex(), 1);
        QCOMPARE(channels().currentChannel(), 1);
    }
};

QTEST_MAIN(TestChannelControls)
#include "tst_channelcontrols.moc"
