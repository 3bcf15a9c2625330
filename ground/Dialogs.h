#pragma once

#include <QString>
#include <memory>

class QMessageBox;

// The one seam through which the program beeps, shows message boxes and asks
// questions, so that tests can answer without a person. Everyone goes through
// Dialogs::current() instead of QMessageBox/QInputDialog directly.
class Dialogs
{
public:
    // The kind of box: its title and icon. Plain boxes carry the application's
    // title; warnings are titled "Avertissement", information "Information".
    enum class Kind { Plain, Warning, Information };

    virtual ~Dialogs() = default;

    // The system's default sound.
    virtual void beep() = 0;
    // A modal box with the single button "OK".
    virtual void message(const QString &text, Kind kind = Kind::Plain) = 0;
    // A modal box with the buttons "&Oui" and "&Non"; true for yes.
    virtual bool question(const QString &text, Kind kind = Kind::Warning) = 0;
    // A modal input box with "OK" and "Annuler". Returns the answer; on cancel
    // returns defaultText and sets *ok to false.
    virtual QString input(const QString &caption, const QString &prompt,
                          const QString &defaultText, bool *ok = nullptr) = 0;

    // The implementation in use: the installed one, else the Qt boxes.
    static Dialogs &current();
    // Installs an implementation (nullptr goes back to the Qt boxes). The caller
    // keeps ownership.
    static void install(Dialogs *dialogs);
};

// A failure shown to the operator: a beep, then a message box (plain unless kind says).
void showFailure(const QString &text, Dialogs::Kind kind = Dialogs::Kind::Plain);

// A fixed-size dialog's window flags: title and close button, no minimise or maximise.
Qt::WindowFlags fixedDialogFlags();

// The message boxes of the program: QMessageBox, QInputDialog, QApplication::beep.
class QtDialogs : public Dialogs
{
public:
    // The box message() shows, not yet shown: texts written with CR LF breaks
    // show one line break each.
    static std::unique_ptr<QMessageBox> messageBox(const QString &text, Kind kind);

    void beep() override;
    void message(const QString &text, Kind kind = Kind::Plain) override;
    bool question(const QString &text, Kind kind = Kind::Warning) override;
    QString input(const QString &caption, const QString &prompt,
                  const QString &defaultText, bool *ok = nullptr) override;
};
