#pragma once

#include <QCoreApplication>
#include <QString>

// The program's texts are translated in the one context "Korvo". A text kept in a
// constant is made before any translator is installed: its literal is marked with
// QT_TRANSLATE_NOOP("Korvo", ...) for the translation tools, and it is translated
// where it is shown.
inline QString translated(const QString &source)
{
    return QCoreApplication::translate("Korvo", source.toUtf8().constData());
}
