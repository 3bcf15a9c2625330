#include "config/PaneLook.h"
#include "config/SettingsBatches.h"
#include "config/SettingsStore.h"

#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QFontInfo>
#include <QtTest>
#include <memory>

namespace {

// Answers the colour and font dialogs from queues and records what they were given.
class ScriptedLookDialogs : public LookDialogs
{
public:
    QList<std::optional<QColor>> colorAnswers;   // nullopt: cancel
    QList<std::optional<PaneFontChoice>> fontAnswers;
    QList<QColor> colorsOffered;
    QList<PaneFontChoice> fontsOffered;

    bool chooseColor(QColor &color) override
    {
        colorsOffered << color;
        const std::optional<QColor> answer = colorAnswers.takeFirst();
        if (answer)
            color = *answer;
        return answer.has_value();
    }
    bool chooseFont(PaneFontChoice &choice) override
    {
        fontsOffered << choice;
        const std::optional<PaneFontChoice> answer = fontAnswers.takeFirst();
        if (answer)
            choice = *answer;
        return answer.has_value();
    }
};

} // namespace

class TestPaneLook : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void styleCodeRoundTrip_data();
    void styleCodeRoundTrip();
    void unknownStyleCodesReadRegular_data();
    void unknownStyleCodesReadRegular();
    void colorRefs();
    void colorCommandKeepsDialogColour();
    void fontCommandWritesFourValuesAndRestarts();
    void firstStartDefaults();

private:
    QString look(const QString &name);

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
    ScriptedLookDialogs m_dialogs;
    std::array<QPlainTextEdit *, 3> m_panes{};
    QWidget m_window;
    std::unique_ptr<PaneLook> m_look;
};

void TestPaneLook::init()
{
    // A fresh file per test: the settings layer caches a file it has read by its
    // size and time, which a rewrite within the same second can match.
    static int generation = 0;
    const QString path = m_dir.filePath(QStringLiteral("KORVO-%1.ini").arg(++generation));
    m_store = std::make_unique<SettingsStore>(path);
    m_store->ensureSections();
    m_dialogs = ScriptedLookDialogs();
    LookDialogs::install(&m_dialogs);
    for (auto &pane : m_panes)
        pane = new QPlainTextEdit(&m_window);
    m_look = std::make_unique<PaneLook>(m_panes, [this]() -> SettingsStore & { return *m_store; });
}

void TestPaneLook::cleanup()
{
    LookDialogs::install(nullptr);
    m_look.reset();
    qDeleteAll(m_panes);
}

QString TestPaneLook::look(const QString &name)
{
    SettingsStore reread(m_store->path());
    return reread.readString(SettingsStore::Look, name, QStringLiteral("<absent>"));
}

void TestPaneLook::styleCodeRoundTrip_data()
{
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<int>("code");
    QTest::newRow("regular") << false << false << 0;
    QTest::newRow("italic") << false << true << 100;
    QTest::newRow("bold") << true << false << 1000;
    QTest::newRow("bold italic") << true << true << 1100;
}

void TestPaneLook::styleCodeRoundTrip()
{
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(int, code);
    QCOMPARE(styleCode(bold, italic), code);
    QCOMPARE(styleFromCode(code).bold, bold);
    QCOMPARE(styleFromCode(code).italic, italic);
}

void TestPaneLook::unknownStyleCodesReadRegular_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("10") << 10;
    QTest::newRow("1") << 1;
    QTest::newRow("-1000") << -1000;
    QTest::newRow("2000") << 2000;
    QTest::newRow("1101") << 1101;
}

void TestPaneLook::unknownStyleCodesReadRegular()
{
    QFETCH(int, code);
    QVERIFY(!styleFromCode(code).bold);
    QVERIFY(!styleFromCode(code).italic);
}

void TestPaneLook::colorRefs()
{
    QCOMPARE(colorRef(QColor(0, 255, 0)), 65280);
    QCOMPARE(colorRef(QColor(255, 255, 0)), 65535);
    QCOMPARE(colorRef(QColor(0x12, 0x34, 0x56)), 0x563412);
    QCOMPARE(colorFromRef(0x563412), QColor(0x12, 0x34, 0x56));
}

void TestPaneLook::colorCommandKeepsDialogColour()
{
    m_dialogs.colorAnswers = {QColor(Qt::red), std::nullopt, QColor(Qt::blue)};
    m_look->ColorClick(0);
    m_look->ColorClick(1);
    m_look->ColorClick(2);
    QCOMPARE(m_dialogs.colorsOffered,
             (QList<QColor>{QColor(Qt::black), QColor(Qt::red), QColor(Qt::red)}));
    QCOMPARE(m_look->paneBackground(0), QColor(Qt::red));
    QCOMPARE(look(QStringLiteral("Color1")), QStringLiteral("255"));
    QCOMPARE(look(QStringLiteral("Color2")), QStringLiteral("<absent>"));
    QCOMPARE(look(QStringLiteral("Color3")), QString::number(0xFF0000));
    QCOMPARE(m_look->dialogColor(), QColor(Qt::blue));
}

void TestPaneLook::fontCommandWritesFourValuesAndRestarts()
{
    m_panes[2]->setFont(QFont(QStringLiteral("Courier New"), 8));
    const QString shownFace = QFontInfo(m_panes[2]->font()).family();
    PaneFontChoice chosen;
    chosen.font = QFont(QStringLiteral("Arial"), 10);
    chosen.font.setBold(true);
    chosen.font.setUnderline(true);
    chosen.color = QColor(0x80, 0, 0);
    m_dialogs.fontAnswers = {chosen, std::nullopt};
    m_look->FontClick(2);
    // The dialog opens on the face the pane shows, whatever face stands in for Courier New.
    QCOMPARE(m_dialogs.fontsOffered.first().font.family(), shownFace);
    QVERIFY(m_look->paneFont(2).font.underline());   // until the program ends
    QCOMPARE(look(QStringLiteral("FT3Name")), QStringLiteral("Arial"));
    QCOMPARE(look(QStringLiteral("FT3Col")), QStringLiteral("128"));
    QCOMPARE(look(QStringLiteral("FT3Size")), QStringLiteral("10"));
    QCOMPARE(look(QStringLiteral("FT3Style")), QStringLiteral("1000"));

    // A cancelled font command changes and writes nothing.
    m_look->FontClick(0);
    QCOMPARE(look(QStringLiteral("FT1Name")), QStringLiteral("<absent>"));

    // The next start reads bold 10-point Arial without underline.
    SettingsStore reread(m_store->path());
    const StartupStoreValues values = loadStartupSettings(reread);
    PaneLook restarted(m_panes, [&]() -> SettingsStore & { return reread; });
    restarted.applyStored(2, values.panes[2]);
    const PaneFontChoice after = restarted.paneFont(2);
    QCOMPARE(m_panes[2]->font().family(), QStringLiteral("Arial"));
    QCOMPARE(after.font.pointSize(), 10);
    QVERIFY(after.font.bold());
    QVERIFY(!after.font.underline());
    QCOMPARE(after.color, QColor(0x80, 0, 0));
}

void TestPaneLook::firstStartDefaults()
{
    const StartupStoreValues values = loadStartupSettings(*m_store);
    const QColor expected[3] = {QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 255, 0)};
    for (int pane = 0; pane < 3; ++pane) {
        m_look->applyStored(pane, values.panes[pane]);
        QCOMPARE(m_look->paneBackground(pane), QColor(Qt::black));
        QCOMPARE(m_look->paneFont(pane).color, expected[pane]);
        QCOMPARE(m_panes[pane]->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(m_look->paneFont(pane).font.pointSize(), 8);
        QVERIFY(!m_look->paneFont(pane).font.bold());
    }
}

QTEST_MAIN(TestPaneLook)
#include "tst_panelook.moc"
