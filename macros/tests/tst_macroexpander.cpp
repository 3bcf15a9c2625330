#include "config/DatePattern.h"
#include "macros/MacroExpander.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The fourteen character substitutions and the two transmitter actions of a macro,
// with a fixed clock (Thursday 5 March 2026, UTC one hour behind) and the French locale.
class TestMacroExpander : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void expands_data();
    void expands();
    void transmitterActionsRunAtExpansionTime_data();
    void transmitterActionsRunAtExpansionTime();
    void valueHoldingItsOwnEscapeIsInsertedOnce_data();
    void valueHoldingItsOwnEscapeIsInsertedOnce();
    void includesNestOnlyAFewLevels();
    void unusableFileEndsTheLaunch_data();
    void unusableFileEndsTheLaunch();
    void answersStayWhenTheLaunchEnds();
    void datePatterns_data();
    void datePatterns();

private:
    struct Run
    {
        MacroExpander::Result result;
        QsoFields qso;
        QStringList asked;     // captions of the questions, in order
        QStringList actions;   // "tx" for each keying, "clear" for each emptied pane
    };
    Run run(const QString &text, const QsoFields &qso, QStringList answers = {},
            QTime local = QTime(14, 5, 9), bool tuning = false);
    void writeFile(const QString &name, const QByteArray &bytes);

    QTemporaryDir m_folder;
    const QLocale m_french{QLocale::French, QLocale::France};
};

void TestMacroExpander::initTestCase()
{
    QVERIFY(m_folder.isValid());
    writeFile("callsign.txt", "de \\m\r\n\\c \\d");
    writeFile("empty.txt", "");
    writeFile("lines.txt", "one\r\ntwo\nthree\rfour");
    writeFile("trailing.txt", "last\r\n");
    writeFile("accents.txt", "\xE9t\xE9 \x80");
    writeFile("self.txt", "me \\fself.txt end");
    writeFile("sub/inner.txt", "inner");
    writeFile("big.txt", QByteArray(64 * 1024 + 1, 'a'));
    writeFile("limit.txt", QByteArray(64 * 1024, 'a'));
    for (int level = 1; level <= 6; ++level)
        writeFile(QStringLiteral("level%1.txt").arg(level),
                  QStringLiteral("L%1 \\flevel%2.txt").arg(level).arg(level + 1).toLatin1());
    QVERIFY(QDir(m_folder.path()).mkdir("folder.txt"));
}

void TestMacroExpander::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = m_folder.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TestMacroExpander::Run TestMacroExpander::run(const QString &text, const QsoFields &qso,
                                              QStringList answers, QTime local, bool tuning)
{
    Run r;
    r.qso = qso;
    MacroSources sources;
    sources.MyCall = QStringLiteral("F5XYZ");
    sources.DatePattern = QStringLiteral("dddd d mmmm yyyy");
    sources.localTime = QDateTime(QDate(2026, 3, 5), local, Qt::UTC);
    sources.utcTime = sources.localTime.addSecs(-3600);
    sources.locale = m_french;
    sources.dataFolders = {m_folder.path()};
    sources.Tuning = tuning;
    MacroExpander::Actions actions;
    actions.ask = [&r, &answers](const QString &caption, const QString &) {
        r.asked << caption;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    };
    actions.startTransmit = [&r] { r.actions << QStringLiteral("tx"); };
    actions.clearReceivePane = [&r] { r.actions << QStringLiteral("clear"); };
    MacroExpander expander(sources, actions);
    r.result = expander.expand(text, r.qso);
    return r;
}

void TestMacroExpander::expands_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hisCall");
    QTest::addColumn<QString>("hisName");
    QTest::addColumn<QString>("hisRep");
    QTest::addColumn<QTime>("local");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QString>("hisCallAfter");

    const QTime afternoon(14, 5, 9);
    const QString call = QStringLiteral("Indicatif manquant");
    const QString report = QStringLiteral("Report (RST) manquant");

    QTest::newRow("one \\c, two \\m, call empty: one question")
        << "\\c de \\m \\m" << "" << "" << "" << afternoon << QStringList{"F6ABC"}
        << "F6ABC de F5XYZ F5XYZ" << QStringList{call} << "F6ABC";
    QTest::newRow("two \\c, call empty: asked once, answer reused")
        << "\\c \\c" << "" << "" << "" << afternoon << QStringList{"F6ABC"}
        << "F6ABC F6ABC" << QStringList{call} << "F6ABC";
    QTest::newRow("cancelled question asks again at the next \\c")
        << "\\c-\\c" << "" << "" << "" << afternoon << QStringList{}
        << "-" << QStringList{call, call} << "";
    QTest::newRow("call known: no question")
        << "\\c" << "DL1AA" << "" << "" << afternoon << QStringList{}
        << "DL1AA" << QStringList{} << "DL1AA";
    QTest::newRow("report empty: asked")
        << "ur \\r" << "" << "" << "" << afternoon << QStringList{"599"}
        << "ur 599" << QStringList{report} << "";
    QTest::newRow("report known")
        << "ur \\r" << "" << "" << "579" << afternoon << QStringList{}
        << "ur 579" << QStringList{} << "";
    QTest::newRow("\\h with a name")
        << "Bonjour \\h !" << "" << "Paul" << "" << afternoon << QStringList{}
        << "Bonjour Paul !" << QStringList{} << "";
    QTest::newRow("\\h without a name takes the space after it")
        << "\\h !" << "" << "" << "" << afternoon << QStringList{}
        << "!" << QStringList{} << "";
    QTest::newRow("\\h without a name at the end of the text")
        << "ok \\h" << "" << "" << "" << afternoon << QStringList{}
        << "ok " << QStringList{} << "";
    QTest::newRow("\\n is one CR; a typed line break stays CR LF")
        << "a\\nb\r\nc" << "" << "" << "" << afternoon << QStringList{}
        << "a\rb\r\nc" << QStringList{} << "";
    QTest::newRow("greeting 11:59") << "\\g" << "" << "" << "" << QTime(11, 59) << QStringList{}
        << "Bonjour" << QStringList{} << "";
    QTest::newRow("greeting 12:00") << "\\g" << "" << "" << "" << QTime(12, 0) << QStringList{}
        << "Bonne après-midi" << QStringList{} << "";
    QTest::newRow("greeting 17:59") << "\\g" << "" << "" << "" << QTime(17, 59) << QStringList{}
        << "Bonne après-midi" << QStringList{} << "";
    QTest::newRow("greeting 18:00") << "\\g" << "" << "" << "" << QTime(18, 0) << QStringList{}
        << "Bonsoir" << QStringList{} << "";
    QTest::newRow("\\x at 18:35 UTC") << "73\\x" << "" << "" << "" << QTime(19, 35) << QStringList{}
        << "73\rFin du qso: 18:35 TU" << QStringList{} << "";
    QTest::newRow("\\u is UTC, \\v local") << "\\u / \\v" << "" << "" << "" << QTime(9, 7) << QStringList{}
        << "08:07 TU / 09:07" << QStringList{} << "";
    QTest::newRow("\\d with the configured pattern") << "le \\d" << "" << "" << "" << afternoon
        << QStringList{} << "le jeudi 5 mars 2026" << QStringList{} << "";
    QTest::newRow("\\i is a tab, \\z code 3") << "\\i\\z" << "" << "" << "" << afternoon << QStringList{}
        << "\t\x03" << QStringList{} << "";
    QTest::newRow("included file: \\m expanded, \\c and \\d kept")
        << "[\\fcallsign.txt ]" << "" << "" << "" << afternoon << QStringList{}
        << "[de F5XYZ\r\\c \\d\r ]" << QStringList{} << "";
    QTest::newRow("the name runs to the first blank")
        << "[\\fcallsign.txt]" << "" << "" << "" << afternoon << QStringList{}
        << "[" << QStringList{} << "";
    QTest::newRow("missing file vanishes with its name")
        << "avant \\fnothere.txt apres" << "" << "" << "" << afternoon << QStringList{}
        << "avant  apres" << QStringList{} << "";
    QTest::newRow("a folder is not a file") << "a\\ffolder.txt b" << "" << "" << "" << afternoon
        << QStringList{} << "a b" << QStringList{} << "";
    QTest::newRow("empty file inserts nothing") << "a\\fempty.txt b" << "" << "" << "" << afternoon
        << QStringList{} << "a b" << QStringList{} << "";
    QTest::newRow("every line ends with one CR") << "\\flines.txt" << "" << "" << "" << afternoon
        << QStringList{} << "one\rtwo\rthree\rfour\r" << QStringList{} << "";
    QTest::newRow("a final line break adds no empty line") << "\\ftrailing.txt" << "" << "" << ""
        << afternoon << QStringList{} << "last\r" << QStringList{} << "";
    QTest::newRow("file read as Windows-1252") << "\\faccents.txt" << "" << "" << "" << afternoon
        << QStringList{} << QString::fromUtf8("été €\r") << QStringList{} << "";
    QTest::newRow("sub-folder, either separator") << "\\fsub/inner.txt \\fsub\\inner.txt" << "" << ""
        << "" << afternoon << QStringList{} << "inner\r inner\r" << QStringList{} << "";
    QTest::newRow("upper case and a second backslash are not escapes")
        << "\\C \\\\ \\q" << "" << "" << "" << afternoon << QStringList{}
        << "\\C \\\\ \\q" << QStringList{} << "";
    QTest::newRow("empty macro") << "" << "" << "" << "" << afternoon << QStringList{}
        << "" << QStringList{} << "";
}

void TestMacroExpander::expands()
{
    QFETCH(QString, text);
    QFETCH(QString, hisCall);
    QFETCH(QString, hisName);
    QFETCH(QString, hisRep);
    QFETCH(QTime, local);
    QFETCH(QStringList, answers);
    QFETCH(QString, expected);
    QFETCH(QStringList, asked);
    QFETCH(QString, hisCallAfter);

    const Run r = run(text, {hisCall, hisName, hisRep}, answers, local);
    QVERIFY(r.result.ok);
    QCOMPARE(r.result.text, expected);
    QCOMPARE(r.asked, asked);
    QCOMPARE(r.qso.HisCall, hisCallAfter);
    QVERIFY(r.actions.isEmpty());
}

void TestMacroExpander::transmitterActionsRunAtExpansionTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("tuning");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("expected");

    QTest::newRow("\\t at the end keys before delivery") << "cq cq \\t" << false << QStringList{"tx"} << "cq cq ";
    QTest::newRow("every \\t keys") << "\\ta\\t" << false << QStringList{"tx", "tx"} << "a";
    QTest::newRow("no keying during a tune") << "\\ta" << true << QStringList{} << "a";
    QTest::newRow("\\w empties the pane, \\t first by pass order")
        << "\\w\\tb" << false << QStringList{"tx", "clear"} << "b";
}

void TestMacroExpander::transmitterActionsRunAtExpansionTime()
{
    QFETCH(QString, text);
    QFETCH(bool, tuning);
    QFETCH(QStringList, actions);
    QFETCH(QString, expected);

    const Run r = run(text, {}, {}, QTime(14, 5, 9), tuning);
    QVERIFY(r.result.ok);
    QCOMPARE(r.actions, actions);
    QCOMPARE(r.result.text, expected);
}

void TestMacroExpander::valueHoldingItsOwnEscapeIsInsertedOnce_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hisCall");
    QTest::addColumn<QString>("hisName");
    QTest::addColumn<QString>("expected");

    QTest::newRow("call sign \\c") << "<\\c> <\\c>" << "\\c" << "" << "<\\c> <\\c>";
    QTest::newRow("name holding \\h") << "\\h!" << "" << "a\\hb" << "a\\hb!";
    QTest::newRow("self-including file inserted once") << "[\\fself.txt ]" << "" << "" << "[me  end\r ]";
    QTest::newRow("call sign holding \\m gets the later pass")
        << "\\c" << "\\m" << "" << "F5XYZ";
}

void TestMacroExpander::valueHoldingItsOwnEscapeIsInsertedOnce()
{
    QFETCH(QString, text);
    QFETCH(QString, hisCall);
    QFETCH(QString, hisName);
    QFETCH(QString, expected);

    const Run r = run(text, {hisCall, hisName, {}});
    QVERIFY(r.result.ok);
    QCOMPARE(r.result.text, expected);
    QVERIFY(r.asked.isEmpty());
}

void TestMacroExpander::includesNestOnlyAFewLevels()
{
    const Run r = run("\\flevel1.txt", {});
    QVERIFY(r.result.ok);
    QString expected;
    for (int level = 1; level <= MacroExpander::kMaxIncludeDepth; ++level)
        expected += QStringLiteral("L%1 ").arg(level);
    expected += QString(MacroExpander::kMaxIncludeDepth, QLatin1Char('\r'));
    QCOMPARE(r.result.text, expected);
}

void TestMacroExpander::unusableFileEndsTheLaunch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");

    QTest::newRow("64 KiB is accepted") << "\\flimit.txt" << true;
    QTest::newRow("over 64 KiB") << "\\fbig.txt" << false;
    QTest::newRow("many large includes together")
        << "\\flimit.txt \\flimit.txt \\flimit.txt \\flimit.txt \\flimit.txt" << false;
}

void TestMacroExpander::unusableFileEndsTheLaunch()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);

    const Run r = run(text + " \\t", {});
    QCOMPARE(r.result.ok, ok);
    // A failed launch keys nothing: \t comes after \f.
    QCOMPARE(r.actions.isEmpty(), !ok);
    if (!ok) {
        QVERIFY(r.result.text.isEmpty());
        QVERIFY(!r.result.error.isEmpty());
    }
}

void TestMacroExpander::answersStayWhenTheLaunchEnds()
{
    const Run r = run("\\c \\fbig.txt \\r", {}, {"F6ABC", "599"});
    QVERIFY(!r.result.ok);
    QVERIFY(r.result.error.contains("big.txt"));
    QCOMPARE(r.qso.HisCall, QStringLiteral("F6ABC"));
    // The launch ended before the report's pass: no second question.
    QCOMPARE(r.asked, QStringList{"Indicatif manquant"});
}

void TestMacroExpander::datePatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("expected");

    const QDateTime thursday(QDate(2026, 3, 5), QTime(14, 5, 9), Qt::UTC);
    QTest::newRow("dd/mm/yy") << "dd/mm/yy" << thursday << "05/03/26";
    QTest::newRow("dd/mm/yyyy") << "dd/mm/yyyy" << thursday << "05/03/2026";
    QTest::newRow("dd mmm yyyy") << "dd mmm yyyy" << thursday << "05 mars 2026";
    QTest::newRow("dd mmmm yyyy") << "dd mmmm yyyy" << QDateTime(QDate(2026, 2, 1), QTime(1, 0), Qt::UTC)
                                  << QString::fromUtf8("01 février 2026");
    QTest::newRow("dddd d mmmm yyyy") << "dddd d mmmm yyyy" << thursday << "jeudi 5 mars 2026";
    QTest::newRow("c") << "c" << thursday << "05/03/2026 14:05:09";
    QTest::newRow("c at midnight leaves the time out")
        << "c" << QDateTime(QDate(2026, 3, 5), QTime(0, 0), Qt::UTC) << "05/03/2026";
    QTest::newRow("empty is c") << "" << thursday << "05/03/2026 14:05:09";
}

void TestMacroExpander::datePatterns()
{
    QFETCH(QString, pattern);
    QFETCH(QDateTime, when);
    QFETCH(QString, expected);

    QCOMPARE(formatDatePattern(pattern, when, m_french), expected);
}

QTEST_MAIN(TestMacroExpander)
#include "tst_macroexpander.moc"
