#pragma once

#include <QString>

class QCoreApplication;

// Installs the texts of `language` on the application: Qt's own (dialog buttons, the
// colour, font and file dialogs), from Qt's translations folder, and the program's,
// built into it. French is the program's own language: only Qt's texts change.
void installTranslations(QCoreApplication &app, const QString &language);
