#include "macros/TMkProcForm.h"

#include "ground/Dialogs.h"
#include "ground/Translated.h"
#include "config/SettingsBatches.h"
#include "config/SettingsStore.h"
#include "macros/MacroTable.h"
#include "macros/TFiche.h"

#include <QCoreApplication>
#include <QLabel>
#include <QScreen>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace {

// The general error report for a store that cannot be written, in the operator's
// language as the other store failures are.
void reportStoreFailure()
{
    showFailure(translated(kStoreWriteFailureText));
}

QString upper(const QString &name)
{
    return QLocale::system().toUpper(name);
}

} // namespace

TMkProcForm::TMkProcForm(MacroTable &table, SettingsStore &store, QWidget *parent)
    : QDialog(parent, fixedDialogFlags()),
      m_table(table),
      m_store(store)
{
    setWindowTitle(QCoreApplication::translate("Korvo", "Créer/Editer une procédure"));
    setFixedSize(351, 218);
    // The dialog's fixed layout is drawn for the small dialog font of the main window.
    QFont dialogFont = font();
    dialogFont.setPixelSize(11);
    setFont(dialogFont);

    ProcList = new QListWidget(this);
    ProcList->setGeometry(0, 0, 84, 218);

    auto *nomLabel = new QLabel(QCoreApplication::translate("Korvo", "Nom de la procédure"), this);
    nomLabel->setGeometry(92, 4, 180, 16);
    NomEdit = new QLineEdit(this);
    NomEdit->setGeometry(92, 20, 120, 22);
    NomEdit->setMaxLength(MacroTable::kMaxName);

    InfoBtn = new QPushButton(QStringLiteral("Aide"), this);
    InfoBtn->setGeometry(291, 4, 56, 24);

    auto *hintLabel = new QLabel(QStringLiteral("Infobulle"), this);
    hintLabel->setGeometry(92, 46, 180, 16);
    HintEdit = new QLineEdit(this);
    HintEdit->setGeometry(92, 62, 255, 22);
    HintEdit->setMaxLength(MacroTable::kMaxHint);

    auto *textLabel = new QLabel(QCoreApplication::translate("Korvo", "Texte de la procédure (255 caractères max)"), this);
    textLabel->setGeometry(92, 88, 255, 16);
    ProcEdit = new QPlainTextEdit(this);
    ProcEdit->setGeometry(92, 104, 255, 80);
    // Tab moves on to the buttons, as in every other field of the dialog.
    ProcEdit->setTabChangesFocus(true);
    connect(ProcEdit, &QPlainTextEdit::textChanged, this, &TMkProcForm::keepTextWithinLimit);

    SaveBtn = new QPushButton(QStringLiteral("&Sauvegarder"), this);
    SaveBtn->setToolTip(QCoreApplication::translate("Korvo", "Sauvegarder la procédure"));
    SaveBtn->setGeometry(92, 190, 82, 24);
    EraseBtn = new QPushButton(QStringLiteral("&Supprimer"), this);
    EraseBtn->setToolTip(QCoreApplication::translate("Korvo", "Supprimer la procédure"));
    EraseBtn->setGeometry(179, 190, 82, 24);
    OkBtn = new QPushButton(QStringLiteral("&Quitter"), this);
    OkBtn->setToolTip(QCoreApplication::translate("Korvo", "Quitter l'éditeur"));
    OkBtn->setGeometry(266, 190, 82, 24);
    OkBtn->setDefault(false);
    OkBtn->setAutoDefault(false);
    SaveBtn->setAutoDefault(false);
    EraseBtn->setAutoDefault(false);
    InfoBtn->setAutoDefault(false);

    connect(ProcList, &QListWidget::currentRowChanged, this, [this] {
        if (!m_listing)
            ProcListClick();
    });
    connect(ProcList, &QListWidget::itemClicked, this, &TMkProcForm::ProcListClick);
    connect(SaveBtn, &QPushButton::clicked, this, &TMkProcForm::SaveBtnClick);
    connect(EraseBtn, &QPushButton::clicked, this, &TMkProcForm::DeleteBtnClick);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(InfoBtn, &QPushButton::clicked, this, &TMkProcForm::InfoBtnClick);

    InitDialog();
}

void TMkProcForm::InitDialog()
{
    m_listing = true;
    for (int slot = 0; slot < m_table.count; ++slot)
        ProcList->addItem(upper(m_table.entries[slot].name));
    ProcList->setCurrentRow(-1);
    m_listing = false;
}

int TMkProcForm::selectedLine() const
{
    const int row = ProcList->currentRow();
    if (row < 0 || !ProcList->item(row) || !ProcList->item(row)->isSelected())
        return -1;
    return row;
}

void TMkProcForm::ProcListClick()
{
    const int line = selectedLine();
    if (line < 0 || line >= m_table.count)
        return;
    const MacroTable::Slot &slot = m_table.entries[line];
    NomEdit->setText(slot.name);
    HintEdit->setText(slot.hint);
    ProcEdit->setPlainText(shownText(slot.text));
}

void TMkProcForm::SaveBtnClick()
{
    const QString name = NomEdit->text();
    if (name.isEmpty()) {
        warn(QCoreApplication::translate("Korvo", "Titre obligatoire !"));
        return;
    }
    const QString key = upper(name);
    int found = -1;
    for (int line = 0; line < ProcList->count(); ++line)
        if (ProcList->item(line)->text().compare(key, Qt::CaseInsensitive) == 0) {
            found = line;
            break;
        }

    if (found >= 0) {
        Dialogs &dialogs = Dialogs::current();
        dialogs.beep();
        if (dialogs.question(QCoreApplication::translate("Korvo", "Cette procédure existe déjà !\nLa modifier ?"), Dialogs::Kind::Warning)) {
            // The name keeps the spelling it was created with.
            m_table.entries[found].hint = HintEdit->text();
            m_table.entries[found].text = storedText(ProcEdit->toPlainText());
        }
        return;
    }
    if (m_table.count >= MacroTable::kSlots) {
        warn(QCoreApplication::translate("Korvo", "20 procédures maximum. Désolé..."));
        return;
    }
    if (HintEdit->text().isEmpty()) {
        warn(QCoreApplication::translate("Korvo", "Infobulle ?"));
        return;
    }
    if (ProcEdit->toPlainText().isEmpty()) {
        warn(QCoreApplication::translate("Korvo", "Texte ?"));
        return;
    }
    m_listing = true;
    ProcList->addItem(key);
    m_listing = false;
    m_table.entries[m_table.count] = {name, HintEdit->text(), storedText(ProcEdit->toPlainText())};
    clearEdits();
    ++m_table.count;
}

void TMkProcForm::DeleteBtnClick()
{
    const int line = selectedLine();
    if (line < 0 || line >= m_table.count)
        return;
    Dialogs &dialogs = Dialogs::current();
    dialogs.beep();
    if (!dialogs.question(QCoreApplication::translate("Korvo", "Supprimer cette procédure ?"), Dialogs::Kind::Information))
        return;

    m_listing = true;
    delete ProcList->takeItem(line);
    ProcList->setCurrentRow(-1);
    ProcList->clearSelection();
    m_listing = false;
    clearEdits();

    const int oldCount = m_table.count;
    for (int slot = line; slot + 1 < oldCount; ++slot)
        m_table.entries[slot] = m_table.entries[slot + 1];
    m_table.entries[oldCount - 1] = {};
    try {
        MacroTable::writeEmpty(m_store, oldCount - 1);
        m_store.commit();
    } catch (const StoreWriteError &) {
        reportStoreFailure();
    }
    m_table.count = oldCount - 1;
}

// A second click brings the open help window to the front.
void TMkProcForm::InfoBtnClick()
{
    if (!Fiche) {
        Fiche = new TFiche(this);
        // Beside the editor, so that both can be read at once.
        if (const QScreen *screen = this->screen())
            Fiche->move(besideWindow(frameGeometry(), Fiche->size(), screen->availableGeometry()));
    }
    Fiche->show();
    Fiche->raise();
    Fiche->activateWindow();
}

void TMkProcForm::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        CloseDialog();
    }
    QDialog::done(result);
}

void TMkProcForm::CloseDialog()
{
    try {
        m_table.writeInUse(m_store);
        m_store.commit();
    } catch (const StoreWriteError &) {
        reportStoreFailure();
    }
}

void TMkProcForm::warn(const QString &text)
{
    Dialogs &dialogs = Dialogs::current();
    dialogs.beep();
    dialogs.message(text, Dialogs::Kind::Warning);
}

void TMkProcForm::clearEdits()
{
    NomEdit->clear();
    HintEdit->clear();
    ProcEdit->clear();
}

QString TMkProcForm::storedText(const QString &shown)
{
    QString text = shown;
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QString TMkProcForm::shownText(const QString &stored)
{
    QString text = stored;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// The stored text holds at most 255 characters, a line break counting two (CR LF):
// what goes past it is taken back from before the caret, where it was just typed.
void TMkProcForm::keepTextWithinLimit()
{
    const QString text = ProcEdit->toPlainText();
    int excess = int(storedText(text).size()) - MacroTable::kMaxText;
    if (excess <= 0)
        return;
    QTextCursor cursor = ProcEdit->textCursor();
    const QSignalBlocker block(ProcEdit);
    while (excess > 0 && cursor.position() > 0) {
        cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
        excess -= cursor.selectedText().at(0) == QChar::ParagraphSeparator ? 2 : 1;
        cursor.removeSelectedText();
    }
    ProcEdit->setTextCursor(cursor);
}
