#include "macros/TFiche.h"

#include <QCoreApplication>
#include <algorithm>

#include <QPalette>
#include <QRect>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

const char *const kLines[] = {
        QT_TRANSLATE_NOOP("Korvo", "Nom de la procédure : C'est le nom qui apparaîtra sur le bouton"),
        QT_TRANSLATE_NOOP("Korvo", "------------------------------------"),
        QT_TRANSLATE_NOOP("Korvo", "Texte de la procédure:"),
        QT_TRANSLATE_NOOP("Korvo", "--------------------------------------------------------------------------------------------------------------------------------------------------"),
        QT_TRANSLATE_NOOP("Korvo", "Les procédures peuvent inclure des valeurs commençant par un caractère antislash (\\)."),
        QT_TRANSLATE_NOOP("Korvo", "A l'éxécution, ces valeurs seront remplacées par un texte pré-déterminé de la façon suivante."),
        QT_TRANSLATE_NOOP("Korvo", "--------------------------------------------------------------------------------------------------------------------------------------------------"),
        QT_TRANSLATE_NOOP("Korvo", "\\c  - Indicatif de l'autre station tel qu'il a été entré dans boite \"Qso en cours\"."),
        QT_TRANSLATE_NOOP("Korvo", "\\d  - La date au format Windows (date courte) ou que vous avez précisé."),
        QT_TRANSLATE_NOOP("Korvo", "\\fFichier.txt - texte en provenance du fichier dont le nom est précisé (après \\f)."),
        QT_TRANSLATE_NOOP("Korvo", "  Ce fichier doit absolument se trouver dans le dossier du programme)."),
        QT_TRANSLATE_NOOP("Korvo", "\\g  - Salutation en fonction de l'heure du jour (par exemple \"Bonsoir\")."),
        QT_TRANSLATE_NOOP("Korvo", "\\h  - Prénom de l'autre station tel qu'il a été entré dans la boîte \"QSO en cours\"."),
        QT_TRANSLATE_NOOP("Korvo", "\\i  - Identification CW selon les valeurs de CWID et CWIDSpeed (configuration)."),
        QT_TRANSLATE_NOOP("Korvo", "\\m  - Votre indicatif tel qu''il a été précisé dans la configuration."),
        QT_TRANSLATE_NOOP("Korvo", "\\n  - Nouvelle ligne (CR+LF)."),
        QT_TRANSLATE_NOOP("Korvo", "\\r  - Le Report (RST) tel qu'il a été entré dans la boîte \"QSO en cours\"."),
        QT_TRANSLATE_NOOP("Korvo", "\\t  - Passe immédiatement le TX en émission."),
        QT_TRANSLATE_NOOP("Korvo", "u\\ - Heure TU"),
        QT_TRANSLATE_NOOP("Korvo", "v\\ - Heure locale"),
        QT_TRANSLATE_NOOP("Korvo", "\\w  - Vide immédiatement la fenêtre du terminal en cours."),
        QT_TRANSLATE_NOOP("Korvo", "\\x - En fin de transmission, donne l'heure TU du QSO (\"fin de QSO: 18:35 TU\")"),
        QT_TRANSLATE_NOOP("Korvo", "\\z  - Repasse en réception immédiatement après que le texte ait été transmis."),
};

} // namespace

QStringList TFiche::helpLines()
{
    QStringList lines;
    for (const char *line : kLines)
        lines << QCoreApplication::translate("Korvo", line);
    return lines;
}

TFiche::TFiche(QWidget *owner)
    : QWidget(owner, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QCoreApplication::translate("Korvo", "caractères de substitution"));
    resize(452, 335);

    Text = new QPlainTextEdit(this);
    Text->setReadOnly(true);
    Text->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text->setPlainText(helpLines().join(QLatin1Char('\n')));
    // The background of the platform's scroll bars, as the help pane always had.
    QPalette palette = Text->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    Text->setPalette(palette);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Text);
}

QPoint besideWindow(const QRect &owner, const QSize &windowSize, const QRect &area)
{
    constexpr int kGapPixels = 8;
    int left = owner.right() + 1 + kGapPixels;
    if (left + windowSize.width() > area.right() + 1)
        left = owner.left() - kGapPixels - windowSize.width();
    left = std::clamp(left, area.left(), std::max(area.left(), area.right() + 1 - windowSize.width()));
    const int top = std::clamp(owner.top(), area.top(), std::max(area.top(), area.bottom() + 1 - windowSize.height()));
    return {left, top};
}
