#pragma once

#include <QString>

// The interface's languages: French, the program's own, and English. Stored as the
// [Settings] value "Language"; a change takes effect at the next start.
inline const QString kFrenchLanguage = QStringLiteral("fr");
inline const QString kEnglishLanguage = QStringLiteral("en");

bool isInterfaceLanguage(const QString &code);

// The language stored in the settings file at storePath; French when the file, the value
// or the language is missing or cannot be read. Shows nothing: the start-up reads of the
// main window report a store that cannot be read.
QString storedInterfaceLanguage(const QString &storePath);
