#include "ground/Dialogs.h"

#include <QCoreApplication>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

Dialogs *installed = nullptr;

QString titleOf(Dialogs::Kind kind)
{
    switch (kind) {
    case Dialogs::Kind::Warning:
        return QCoreApplication::translate("Korvo", "Avertissement");
    case Dialogs::Kind::Information:
        return QCoreApplication::translate("Korvo", "Information");
    case Dialogs::Kind::Plain:
        break;
    }
    return QApplication::applicationDisplayName();
}

QMessageBox::Icon iconOf(Dialogs::Kind kind)
{
    switch (kind) {
    case Dialogs::Kind::Warning:
        return QMessageBox::Warning;
    case Dialogs::Kind::Information:
        return QMessageBox::Information;
    case Dialogs::Kind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Dialogs &Dialogs::current()
{
    static QtDialogs qtDialogs;
    return installed ? *installed : qtDialogs;
}

void Dialogs::install(Dialogs *dialogs)
{
    installed = dialogs;
}

void showFailure(const QString &text, Dialogs::Kind kind)
{
    Dialogs &dialogs = Dialogs::current();
    dialogs.beep();
    dialogs.message(text, kind);
}

Qt::WindowFlags fixedDialogFlags()
{
    // Without CustomizeWindowHint the platform may add its default buttons.
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
}

void QtDialogs::beep()
{
    QApplication::beep();
}

std::unique_ptr<QMessageBox> QtDialogs::messageBox(const QString &text, Kind kind)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    auto box = std::make_unique<QMessageBox>(iconOf(kind), titleOf(kind), shown, QMessageBox::NoButton,
                                             QApplication::activeWindow());
    box->setTextFormat(Qt::PlainText);
    box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    return box;
}

void QtDialogs::message(const QString &text, Kind kind)
{
    messageBox(text, kind)->exec();
}

bool QtDialogs::question(const QString &text, Kind kind)
{
    QMessageBox box(iconOf(kind), titleOf(kind), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton *yes = box.addButton(QCoreApplication::translate("Korvo", "&Oui"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QCoreApplication::translate("Korvo", "&Non"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

QString QtDialogs::input(const QString &caption, const QString &prompt,
                         const QString &defaultText, bool *ok)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QCoreApplication::translate("Korvo", "Annuler"));
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (ok)
        *ok = accepted;
    return accepted ? dialog.textValue() : defaultText;
}
