#include "app/TPSKForm.h"
#include "browser/BrowserList.h"
#include "browser/SignalBrowser.h"
#include "controls/TSpinEdit.h"
#include "displays/DisplayColours.h"
#include "displays/Displays.h"
#include "displays/TPaintBox.h"
#include "engine/EngineMessage.h"
#include "tests/support/FormHarness.h"

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QFile>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

Q_DECLARE_METATYPE(BrowserHighlight)

namespace {

constexpr int kClickX = 131;

BrowserSignal signalAt(int32_t id, double freqHz, int32_t mode, double snrDb, const QString &text)
{
    return {id, freqHz, mode, snrDb, true, text};
}

// The calls of a click, without the browser's own polling, which may run inside the AFC pull's wait.
QStringList tuningCalls(const QStringList &calls)
{
    QStringList out;
    for (const QString &call : calls)
        if (!call.startsWith(QStringLiteral("pskGetBrowserSignals")))
            out << call;
    return out;
}

} // namespace

class TestBrowserDock : public QObject
{
    Q_OBJECT

    FormHarness h;

    BrowserList &list() { return *h.form().Browser; }
    QDockWidget &dock() { return *h.form().BrowserDock; }

    void showBrowser()
    {
        if (dock().isHidden())
            h.form().BrowserBtn->click();
        QCoreApplication::processEvents();
        QVERIFY(dock().isVisible());
        QVERIFY(h.form().WaterfallDisplay->width() > 0);
    }

    void clickLine(int row, Qt::MouseButton button)
    {
        QTreeWidgetItem *item = list().topLevelItem(row);
        QVERIFY(item);
        QTest::mouseClick(list().viewport(), button, {}, list().visualItemRect(item).center());
    }

    QByteArray storedText()
    {
        QFile f(h.settingsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void init();
    void cleanup();
    void linesAppearFromTheEngineList();
    void nothingIsAskedWhileStopped();
    void clickTunesAsTheWaterfallDoes_data();
    void clickTunesAsTheWaterfallDoes();
    void highlightsFollowMyCallAndCq();
    void signalsAreMarkedOnTheWaterfall();
    void visibilityTurnsTheEngineBrowserOnAndOff();
    void showingTheDockKeepsThePanesWidth();
    void placeSizeAndVisibilityAreRemembered();
};

void TestBrowserDock::init()
{
    QVERIFY(h.openShown());
    h.form().flags.CardActive = true;
}

void TestBrowserDock::cleanup()
{
    h.form().flags.CardActive = false;
    h.close();
}

void TestBrowserDock::linesAppearFromTheEngineList()
{
    showBrowser();
    h.engine().setBrowserSignals({signalAt(4, 2210.4, 1, 7.6, QStringLiteral("pse k\r\n")),
                                  signalAt(2, 1015.0, 0, -3.2, QStringLiteral("CQ CQ de F5XYZ"))});
    h.engine().clearCalls();
    h.form().browser->refresh();

    QCOMPARE(h.engine().calls(), QStringList{QStringLiteral("pskGetBrowserSignals()")});
    QCOMPARE(list().topLevelItemCount(), 2);
    const QStringList first{"1015", "BPSK", "-3 dB", "CQ CQ de F5XYZ"};
    const QStringList second{"2210", "QPSK", "8 dB", "pse k "};
    for (int column = 0; column < BrowserList::ColumnCount; ++column) {
        QCOMPARE(list().topLevelItem(0)->text(column), first.at(column));
        QCOMPARE(list().topLevelItem(1)->text(column), second.at(column));
    }
    // The newest characters stay in view: a long text loses its start, not its end.
    QCOMPARE(list().textElideMode(), Qt::ElideLeft);

    // A signal gone from the engine's list leaves the panel.
    h.engine().setBrowserSignals({signalAt(4, 2210.4, 1, 7.6, QStringLiteral("pse k"))});
    h.form().browser->refresh();
    QCOMPARE(list().topLevelItemCount(), 1);
    QCOMPARE(list().topLevelItem(0)->text(BrowserList::FrequencyColumn), QStringLiteral("2210"));
}

void TestBrowserDock::nothingIsAskedWhileStopped()
{
    showBrowser();
    h.form().flags.CardActive = false;
    h.engine().clearCalls();
    h.form().browser->refresh();
    QCOMPARE(h.engine().calls(), QStringList{});
}

void TestBrowserDock::clickTunesAsTheWaterfallDoes_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("afc");
    QTest::addColumn<QStringList>("calls");
    // %1: the frequency under the waterfall click.
    QTest::newRow("left: channel 1") << int(Qt::LeftButton) << true
                                     << QStringList{"fnSetRXFrequency(%1, 0, 0)"};
    QTest::newRow("right: channel 2") << int(Qt::RightButton) << true
                                      << QStringList{"fnSetRXFrequency(%1, 0, 1)"};
    QTest::newRow("left with AFC off: one-second pull")
        << int(Qt::LeftButton) << false
        << QStringList{"fnSetRXFrequency(%1, 0, 0)", "fnSetAFCLimit(10, 0)", "fnSetAFCLimit(0, 0)",
                       "fnGetRXFrequency(0)"};
    QTest::newRow("middle: nothing") << int(Qt::MiddleButton) << true << QStringList{};
}

void TestBrowserDock::clickTunesAsTheWaterfallDoes()
{
    QFETCH(int, button);
    QFETCH(bool, afc);
    QFETCH(QStringList, calls);
    const auto mouseButton = Qt::MouseButton(button);
    for (const ChannelWidgets &channel : h.form().channels)
        channel.afc->setChecked(afc);
    showBrowser();
    const int clickHz = h.form().displays->band().pixelToHz(kClickX, h.form().WaterfallDisplay->width());
    h.engine().setBrowserSignals({signalAt(1, 900, 0, 5, QStringLiteral("F5XYZ")),
                                  signalAt(2, clickHz, 0, 5, QStringLiteral("CQ"))});
    h.form().browser->refresh();

    h.engine().clearCalls();
    h.form().displays->WaterfallDisplayMouseUp(mouseButton, kClickX);
    const QStringList waterfall = tuningCalls(h.engine().calls());
    for (QString &call : calls)
        call = call.arg(clickHz);
    QCOMPARE(waterfall, calls);

    // Back to other frequencies and the other tab, so that the line's click shows.
    h.form().RXOne->setValue(1000);
    h.form().RXTwo->setValue(1000);
    const int otherTab = mouseButton == Qt::LeftButton ? 1 : 0;
    h.form().Canal->setCurrentIndex(otherTab);
    h.engine().clearCalls();
    clickLine(1, mouseButton);
    QCOMPARE(tuningCalls(h.engine().calls()), waterfall);
    if (calls.isEmpty()) {
        QCOMPARE(h.form().Canal->currentIndex(), otherTab);
        return;
    }
    const int channel = mouseButton == Qt::LeftButton ? 0 : 1;
    QCOMPARE(h.form().Canal->currentIndex(), channel);
    QCOMPARE(h.form().channels[channel].rx->value(), double(clickHz));
    QCOMPARE(h.form().channels[1 - channel].rx->value(), 1000.0);
}

void TestBrowserDock::highlightsFollowMyCallAndCq()
{
    showBrowser();
    h.form().Settings.MyCall = QStringLiteral("F4ABC");
    h.engine().setBrowserSignals({signalAt(1, 800, 0, 5, QStringLiteral("CQ CQ de F5XYZ")),
                                  signalAt(2, 1200, 0, 5, QStringLiteral("F4ABC de F5XYZ")),
                                  signalAt(3, 1600, 0, 5, QStringLiteral("F5XYZ de G3ZZZ k"))});
    h.form().browser->refresh();
    const auto highlights = [this] {
        return QList<BrowserHighlight>{list().highlightOf(0), list().highlightOf(1), list().highlightOf(2)};
    };
    QCOMPARE(highlights(), (QList<BrowserHighlight>{BrowserHighlight::Cq, BrowserHighlight::MyCall,
                                                    BrowserHighlight::None}));
    QVERIFY(list().topLevelItem(1)->background(BrowserList::TextColumn)
            != list().topLevelItem(0)->background(BrowserList::TextColumn));
    QCOMPARE(list().topLevelItem(2)->background(BrowserList::TextColumn).style(), Qt::NoBrush);

    // A new MyCall from the configuration dialog: the lines shown are highlighted again.
    h.form().Settings.MyCall = QStringLiteral("f5xyz");
    h.form().browser->settingsChanged();
    QCOMPARE(highlights(), (QList<BrowserHighlight>{BrowserHighlight::MyCall, BrowserHighlight::MyCall,
                                                    BrowserHighlight::MyCall}));
    h.form().Settings.MyCall = QStringLiteral("G3ZZZ");
    h.form().browser->refresh();
    QCOMPARE(highlights(), (QList<BrowserHighlight>{BrowserHighlight::Cq, BrowserHighlight::None,
                                                    BrowserHighlight::MyCall}));
}

void TestBrowserDock::signalsAreMarkedOnTheWaterfall()
{
    showBrowser();
    h.engine().setBrowserSignals({signalAt(1, 1000, 0, 5, QString()), signalAt(2, 2500, 1, 5, QString())});
    h.form().browser->refresh();
    h.post(EngineMessage::NewData);

    const QImage strip = h.form().AmpliDisplay->frame();
    const QRgb mark = DisplayColour::SignalMark & 0xffffff;
    for (int hz : {1000, 2500}) {
        const int x = h.form().displays->band().hzToPixel(hz, strip.width());
        QCOMPARE(strip.pixel(x, 0) & 0xffffff, mark);
    }

    // Hidden, the browser marks nothing.
    h.form().BrowserBtn->click();
    h.post(EngineMessage::NewData);
    const QImage hidden = h.form().AmpliDisplay->frame();
    for (int x = 0; x < hidden.width(); ++x)
        QVERIFY((hidden.pixel(x, 0) & 0xffffff) != mark);
}

void TestBrowserDock::visibilityTurnsTheEngineBrowserOnAndOff()
{
    QVERIFY(dock().isHidden());
    QVERIFY(!h.form().BrowserBtn->isChecked());
    QVERIFY(h.form().BrowserBtn->isCheckable());
    QCOMPARE(h.form().BrowserBtn->toolTip(), QStringLiteral("Afficher/masquer le navigateur de signaux"));
    QCOMPARE(dock().windowTitle(), QStringLiteral("Navigateur"));
    QCOMPARE(h.form().dockWidgetArea(&dock()), Qt::RightDockWidgetArea);
    h.engine().clearCalls();

    h.form().BrowserBtn->click();
    QVERIFY(dock().isVisible());
    QVERIFY(h.form().BrowserBtn->isChecked());
    QCOMPARE(h.engine().calls(QStringLiteral("pskSetBrowser")), QStringList{"pskSetBrowser(1)"});
    QVERIFY(h.engine().browserOn());

    h.form().BrowserBtn->click();
    QVERIFY(dock().isHidden());
    QVERIFY(!h.form().BrowserBtn->isChecked());
    QCOMPARE(h.engine().calls(QStringLiteral("pskSetBrowser")),
             (QStringList{"pskSetBrowser(1)", "pskSetBrowser(0)"}));
    QVERIFY(!h.engine().browserOn());
}

void TestBrowserDock::showingTheDockKeepsThePanesWidth()
{
    const int windowWidth = h.form().width();
    const int paneWidth = h.form().TermOne->width();
    showBrowser();
    QCOMPARE(h.form().TermOne->width(), paneWidth);
    QVERIFY(h.form().width() > windowWidth);
    QVERIFY(h.form().Canal->geometry().right() < h.form().centralWidget()->width());

    h.form().BrowserBtn->click();
    QCoreApplication::processEvents();
    QCOMPARE(h.form().width(), windowWidth);
    QCOMPARE(h.form().TermOne->width(), paneWidth);
}

void TestBrowserDock::placeSizeAndVisibilityAreRemembered()
{
    showBrowser();
    h.form().addDockWidget(Qt::LeftDockWidgetArea, &dock());
    h.form().resizeDocks({&dock()}, {300}, Qt::Horizontal);
    QCoreApplication::processEvents();
    const int dockWidth = dock().width();
    h.form().close();
    const QByteArray stored = storedText();
    QVERIFY(stored.contains("BrowserVisible=1"));
    QVERIFY(stored.contains("BrowserPlace="));

    QVERIFY(h.openShown(stored));
    QVERIFY(dock().isVisible());
    QVERIFY(h.form().BrowserBtn->isChecked());
    QVERIFY(h.engine().browserOn());
    QCOMPARE(h.form().dockWidgetArea(&dock()), Qt::LeftDockWidgetArea);
    QCOMPARE(dock().width(), dockWidth);
    // Laid out in what the dock leaves, from the first showing on.
    QCOMPARE(h.form().Canal->geometry().right(), h.form().centralWidget()->width() - 3);

    h.form().BrowserBtn->click();
    h.form().close();
    QVERIFY(h.openShown(storedText()));
    QVERIFY(dock().isHidden());
    QVERIFY(!h.form().BrowserBtn->isChecked());
    QVERIFY(!h.engine().browserOn());
}

QTEST_MAIN(TestBrowserDock)
#include "tst_browserdock.moc"
