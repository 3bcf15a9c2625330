#include "config/SettingsStore.h"
#include "macros/MacroTable.h"
#include "macros/TFiche.h"
#include "macros/TMkProcForm.h"
#include "tests/support/ScriptedDialogs.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

class TestMacroEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void listShowsNamesInUpperCase();
    void clickFillsTheEdits();
    void save_data();
    void save();
    void replaceAnsweredNoChangesNothing();
    void fullTableRefusesNewButReplaces();
    void deleteSlot2Of5();
    void deleteNeedsSelectionAndYes();
    void closeBoxWritesTheTable();
    void unwritableStoreFailsInFrench();
    void lengthLimits();
    void helpWindow();
    void editorIsAFixedDialog();
    void helpWindowOpensBesideTheEditor();
    void besideWindowPlaces_data();
    void besideWindowPlaces();

private:
    MacroTable tableOf(int count);
    QStringList listLines(const TMkProcForm &form) const;
    QString stored(const QString &name);

    QTemporaryDir *m_dir = nullptr;
    SettingsStore *m_store = nullptr;
    ScriptedDialogs *m_dialogs = nullptr;
};

void TestMacroEditor::init()
{
    m_dir = new QTemporaryDir;
    m_store = new SettingsStore(m_dir->filePath("KORVO.ini"));
    m_dialogs = new ScriptedDialogs;
}

void TestMacroEditor::cleanup()
{
    delete m_dialogs;
    delete m_store;
    delete m_dir;
}

MacroTable TestMacroEditor::tableOf(int count)
{
    MacroTable table;
    for (int slot = 0; slot < count; ++slot)
        table.entries[slot] = {QStringLiteral("Mac%1").arg(slot + 1), QStringLiteral("hint %1").arg(slot + 1),
                               QStringLiteral("text %1\r\nline 2").arg(slot + 1)};
    table.count = count;
    return table;
}

QStringList TestMacroEditor::listLines(const TMkProcForm &form) const
{
    QStringList lines;
    for (int i = 0; i < form.ProcList->count(); ++i)
        lines << form.ProcList->item(i)->text();
    return lines;
}

// A fresh handle reads what reached the file.
QString TestMacroEditor::stored(const QString &name)
{
    SettingsStore fresh(m_store->path());
    return fresh.readString(SettingsStore::Macros, name, QStringLiteral("<absent>"));
}

void TestMacroEditor::listShowsNamesInUpperCase()
{
    MacroTable table = tableOf(3);
    table.entries[2].name = QString::fromUtf8("Qsl é");
    TMkProcForm form(table, *m_store);
    QCOMPARE(listLines(form), (QStringList{"MAC1", "MAC2", QString::fromUtf8("QSL É")}));
    QCOMPARE(form.windowTitle(), QString::fromUtf8("Créer/Editer une procédure"));
    QCOMPARE(form.size(), QSize(351, 218));
}

void TestMacroEditor::clickFillsTheEdits()
{
    MacroTable table = tableOf(3);
    TMkProcForm form(table, *m_store);
    form.ProcList->setCurrentRow(1);
    QCOMPARE(form.NomEdit->text(), QStringLiteral("Mac2"));
    QCOMPARE(form.HintEdit->text(), QStringLiteral("hint 2"));
    QCOMPARE(form.ProcEdit->toPlainText(), QStringLiteral("text 2\nline 2"));
}

void TestMacroEditor::save_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("names");       // the table after
    QTest::addColumn<QString>("slot1");           // hint|text of slot 1 after
    QTest::addColumn<QString>("edits");           // name|hint|text left in the edits

    const QStringList before{"Mac1", "Mac2", "Mac3"};
    const QString slot1 = QStringLiteral("hint 2|text 2\r\nline 2");
    QTest::newRow("empty name") << "" << "h" << "t" << QStringList{"beep", "message: Titre obligatoire !"}
                                << before << slot1 << "|h|t";
    QTest::newRow("new macro without hint") << "New" << "" << "t" << QStringList{"beep", "message: Infobulle ?"}
                                            << before << slot1 << "New||t";
    QTest::newRow("new macro without text") << "New" << "h" << "" << QStringList{"beep", "message: Texte ?"}
                                            << before << slot1 << "New|h|";
    QTest::newRow("new macro") << "New" << "h" << "a\nb" << QStringList{}
                               << QStringList{"Mac1", "Mac2", "Mac3", "New"} << slot1 << "||";
    QTest::newRow("other letter case replaces, name keeps its spelling")
        << "MAC2" << "new hint" << "x\ny" << QStringList{"beep", QString::fromUtf8("question: Cette procédure existe déjà !\nLa modifier ?")}
        << before << QStringLiteral("new hint|x\r\ny") << "MAC2|new hint|x\ny";
    QTest::newRow("replacing may empty hint and text")
        << "mac2" << "" << "" << QStringList{"beep", QString::fromUtf8("question: Cette procédure existe déjà !\nLa modifier ?")}
        << before << QStringLiteral("|") << "mac2||";
}

void TestMacroEditor::save()
{
    QFETCH(QString, name);
    QFETCH(QString, hint);
    QFETCH(QString, text);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, names);
    QFETCH(QString, slot1);
    QFETCH(QString, edits);

    MacroTable table = tableOf(3);
    TMkProcForm form(table, *m_store);
    form.NomEdit->setText(name);
    form.HintEdit->setText(hint);
    form.ProcEdit->setPlainText(text);
    form.SaveBtnClick();

    QCOMPARE(m_dialogs->shown(), shown);
    QStringList after;
    for (int slot = 0; slot < table.count; ++slot)
        after << table.entries[slot].name;
    QCOMPARE(after, names);
    QCOMPARE(listLines(form).size(), table.count);
    QCOMPARE(listLines(form).last(), table.entries[table.count - 1].name.toUpper());
    QCOMPARE(table.entries[1].hint + '|' + table.entries[1].text, slot1);
    QCOMPARE(form.NomEdit->text() + '|' + form.HintEdit->text() + '|' + form.ProcEdit->toPlainText(), edits);
    if (names.size() == 4)
        QCOMPARE(table.entries[3].text, QStringLiteral("a\r\nb"));
    // Saving writes nothing to the store.
    QVERIFY(!QFile::exists(m_store->path()));
    for (Dialogs::Kind kind : m_dialogs->kinds())
        QCOMPARE(kind, Dialogs::Kind::Warning);
}

void TestMacroEditor::replaceAnsweredNoChangesNothing()
{
    MacroTable table = tableOf(2);
    TMkProcForm form(table, *m_store);
    m_dialogs->queueQuestion(false);
    form.NomEdit->setText("mac1");
    form.HintEdit->setText("changed");
    form.ProcEdit->setPlainText("changed");
    form.SaveBtnClick();
    QCOMPARE(table.entries[0].hint, QStringLiteral("hint 1"));
    QCOMPARE(table.entries[0].text, QStringLiteral("text 1\r\nline 2"));
    QCOMPARE(table.count, 2);
}

void TestMacroEditor::fullTableRefusesNewButReplaces()
{
    MacroTable table = tableOf(20);
    TMkProcForm form(table, *m_store);
    form.NomEdit->setText("Other");
    form.HintEdit->setText("h");
    form.ProcEdit->setPlainText("t");
    form.SaveBtnClick();
    QCOMPARE(m_dialogs->messages(), QStringList{QString::fromUtf8("20 procédures maximum. Désolé...")});
    QCOMPARE(table.count, 20);

    form.NomEdit->setText("MAC20");
    form.SaveBtnClick();
    QCOMPARE(table.entries[19].hint, QStringLiteral("h"));
    QCOMPARE(table.entries[19].name, QStringLiteral("Mac20"));
}

void TestMacroEditor::deleteSlot2Of5()
{
    MacroTable table = tableOf(5);
    table.writeInUse(*m_store);
    m_store->commit();

    TMkProcForm form(table, *m_store);
    form.ProcList->setCurrentRow(2);
    QCOMPARE(form.NomEdit->text(), QStringLiteral("Mac3"));
    form.DeleteBtnClick();

    QCOMPARE(m_dialogs->shown(), (QStringList{"beep", "question: Supprimer cette procédure ?"}));
    QCOMPARE(m_dialogs->kinds(), QList<Dialogs::Kind>{Dialogs::Kind::Information});
    QCOMPARE(listLines(form), (QStringList{"MAC1", "MAC2", "MAC4", "MAC5"}));
    QVERIFY(form.NomEdit->text().isEmpty() && form.HintEdit->text().isEmpty() && form.ProcEdit->toPlainText().isEmpty());
    QCOMPARE(table.count, 4);
    QCOMPARE(table.entries[2].name, QStringLiteral("Mac4"));
    QCOMPARE(table.entries[2].hint, QStringLiteral("hint 4"));
    QCOMPARE(table.entries[3].text, QStringLiteral("text 5\r\nline 2"));
    QVERIFY(table.entries[4].name.isEmpty() && table.entries[4].text.isEmpty());

    // Number 5 is emptied at once; 1 to 4 wait for the close.
    QCOMPARE(stored("MacroName5"), QString());
    QCOMPARE(stored("MacroHint5"), QString());
    QCOMPARE(stored("MacroText5"), QString());
    QCOMPARE(stored("MacroName3"), QStringLiteral("Mac3"));

    form.OkBtn->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QStringList names;
    for (int n = 1; n <= 5; ++n)
        names << stored(QStringLiteral("MacroName%1").arg(n));
    QCOMPARE(names, (QStringList{"Mac1", "Mac2", "Mac4", "Mac5", ""}));
    QCOMPARE(stored("MacroHint3"), QStringLiteral("hint 4"));
    QCOMPARE(stored("MacroText4"), QStringLiteral("text 5\r\nline 2"));

    // What the next start loads.
    MacroTable reloaded;
    reloaded.load(SettingsStore(m_store->path()));
    QCOMPARE(reloaded.count, 4);
    QCOMPARE(reloaded.entries[3].name, QStringLiteral("Mac5"));
}

void TestMacroEditor::deleteNeedsSelectionAndYes()
{
    MacroTable table = tableOf(3);
    TMkProcForm form(table, *m_store);
    form.DeleteBtnClick();
    QVERIFY(m_dialogs->shown().isEmpty());

    form.ProcList->setCurrentRow(0);
    m_dialogs->queueQuestion(false);
    form.DeleteBtnClick();
    QCOMPARE(table.count, 3);
    QCOMPARE(listLines(form).size(), 3);
    QVERIFY(!QFile::exists(m_store->path()));

    // After a deletion no line is selected: a second click on "Supprimer" does nothing.
    form.DeleteBtnClick();
    m_dialogs->clear();
    form.DeleteBtnClick();
    QCOMPARE(table.count, 2);
    QVERIFY(m_dialogs->shown().isEmpty());
}

void TestMacroEditor::closeBoxWritesTheTable()
{
    MacroTable table = tableOf(2);
    TMkProcForm form(table, *m_store);
    form.show();
    form.close();
    QCOMPARE(stored("MacroName2"), QStringLiteral("Mac2"));
    QCOMPARE(stored("MacroText1"), QStringLiteral("text 1\r\nline 2"));
    QCOMPARE(stored("MacroName3"), QStringLiteral("<absent>"));
}

void TestMacroEditor::unwritableStoreFailsInFrench()
{
    SettingsStore unwritable(QStringLiteral("/proc/korvo-no-such/KORVO.ini"));
    MacroTable table = tableOf(1);
    TMkProcForm form(table, unwritable);
    form.show();
    form.close();
    QCOMPARE(m_dialogs->shown(), (QStringList{QStringLiteral("beep"),
                                              QString::fromUtf8("message: Problème en écrivant dans la base de registre")}));
}

void TestMacroEditor::lengthLimits()
{
    MacroTable table;
    TMkProcForm form(table, *m_store);
    QTest::keyClicks(form.NomEdit, "ABCDEFGHIJKLMN");
    QCOMPARE(form.NomEdit->text(), QStringLiteral("ABCDEFGHIJ"));
    QTest::keyClicks(form.HintEdit, QString(60, 'h'));
    QCOMPARE(form.HintEdit->text().size(), 50);

    // A line break counts two, as it is stored as CR LF.
    QTest::keyClicks(form.ProcEdit, QString(250, 'x'));
    QTest::keyClick(form.ProcEdit, Qt::Key_Return);
    QTest::keyClicks(form.ProcEdit, "abcdef");
    QCOMPARE(TMkProcForm::storedText(form.ProcEdit->toPlainText()).size(), 255);
    QCOMPARE(form.ProcEdit->toPlainText(), QString(250, 'x') + "\nabc");
}

void TestMacroEditor::helpWindow()
{
    MacroTable table;
    TMkProcForm form(table, *m_store);
    form.InfoBtnClick();
    QVERIFY(form.Fiche);
    TFiche *first = form.Fiche;
    form.InfoBtnClick();
    QCOMPARE(form.Fiche.data(), first);
    QCOMPARE(first->windowTitle(), QString::fromUtf8("caractères de substitution"));
    QCOMPARE(first->size(), QSize(452, 335));

    const QStringList lines = first->Text->toPlainText().split('\n');
    QCOMPARE(lines.size(), 23);
    QCOMPARE(lines, TFiche::helpLines());
    QCOMPARE(lines[0], QString::fromUtf8("Nom de la procédure : C'est le nom qui apparaîtra sur le bouton"));
    QCOMPARE(lines[1], QString(36, '-'));
    QCOMPARE(lines[3], QString(146, '-'));
    QCOMPARE(lines[6], QString(146, '-'));
    QCOMPARE(lines[14], QStringLiteral("\\m  - Votre indicatif tel qu''il a été précisé dans la configuration."));
    QCOMPARE(lines[18], QStringLiteral("u\\ - Heure TU"));
    QCOMPARE(lines[22], QString::fromUtf8("\\z  - Repasse en réception immédiatement après que le texte ait été transmis."));
    QVERIFY(first->Text->isReadOnly());
}

void TestMacroEditor::editorIsAFixedDialog()
{
    MacroTable table;
    TMkProcForm form(table, *m_store);
    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
}

void TestMacroEditor::helpWindowOpensBesideTheEditor()
{
    MacroTable table;
    TMkProcForm form(table, *m_store);
    form.move(100, 120);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.InfoBtnClick();
    const QRect editor = form.frameGeometry();
    QCOMPARE(form.Fiche->pos(), besideWindow(editor, form.Fiche->size(), form.screen()->availableGeometry()));
    QCOMPARE(form.Fiche->y(), editor.y());
}

void TestMacroEditor::besideWindowPlaces_data()
{
    QTest::addColumn<QRect>("owner");
    QTest::addColumn<QPoint>("place");
    // Screen 1280 x 1024; the window 452 x 335.
    QTest::newRow("room on the right") << QRect(100, 120, 351, 218) << QPoint(459, 120);
    QTest::newRow("no room on the right: on the left") << QRect(800, 120, 351, 218) << QPoint(340, 120);
    QTest::newRow("low owner: kept on the screen") << QRect(100, 900, 351, 218) << QPoint(459, 1024 - 335);
    QTest::newRow("no room either side: at the screen's left edge")
        << QRect(300, 0, 700, 218) << QPoint(0, 0);
}

void TestMacroEditor::besideWindowPlaces()
{
    QFETCH(QRect, owner);
    QTEST(besideWindow(owner, QSize(452, 335), QRect(0, 0, 1280, 1024)), "place");
}

QTEST_MAIN(TestMacroEditor)
#include "tst_macroeditor.moc"
