#pragma once

#include <QString>
#include <QStringList>

// Where the program's data files are found (help, alert sounds, macro include files):
// the operator's own folder first ($XDG_DATA_HOME/korvo, ~/.local/share/korvo), then
// the installed share/korvo, found beside the executable's bin/ folder and at the
// install prefix the program was built for. Never the executable's own folder or the
// current folder, which on Linux hold nothing of the program's.
QStringList dataFolders();

// The operator's own data folder (it may not exist yet).
QString userDataFolder();

// The file `name` in the first data folder that has it; empty when none does.
QString findDataFile(const QString &name);
