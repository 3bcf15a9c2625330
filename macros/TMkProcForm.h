#pragma once

#include <QDialog>
#include <QPointer>

class MacroTable;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class SettingsStore;
class TFiche;

// "Créer/Editer une procédure": creates, replaces and deletes the macros of the
// table in place (there is no cancel). A deletion writes the freed slot to the store
// at once; closing the dialog in any way writes every slot in use.
class TMkProcForm : public QDialog
{
    Q_OBJECT
public:
    TMkProcForm(MacroTable &table, SettingsStore &store, QWidget *parent = nullptr);

    void ProcListClick();
    void SaveBtnClick();
    void DeleteBtnClick();
    void InfoBtnClick();

    // The macro text as stored (line breaks CR LF) and back.
    static QString storedText(const QString &shown);
    static QString shownText(const QString &stored);

    QListWidget *ProcList = nullptr;
    QLineEdit *NomEdit = nullptr;
    QLineEdit *HintEdit = nullptr;
    QPlainTextEdit *ProcEdit = nullptr;
    QPushButton *SaveBtn = nullptr;
    QPushButton *EraseBtn = nullptr;
    QPushButton *OkBtn = nullptr;
    QPushButton *InfoBtn = nullptr;
    QPointer<TFiche> Fiche;

    void done(int result) override;

private:
    void InitDialog();
    void CloseDialog();
    void keepTextWithinLimit();
    void warn(const QString &text);
    void clearEdits();
    int selectedLine() const;

    MacroTable &m_table;
    SettingsStore &m_store;
    bool m_closed = false;
    bool m_listing = false;
};
