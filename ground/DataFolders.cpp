#include "ground/DataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString kFolderName = QStringLiteral("korvo");
}

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/') + kFolderName;
}

QStringList dataFolders()
{
    QStringList folders{userDataFolder()};
    // bin/../share/korvo: an installed tree moved elsewhere still finds its data.
    if (QCoreApplication::instance())
        folders << QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/")
                                   + kFolderName);
    folders << QStringLiteral(KORVO_INSTALL_DATADIR "/") + kFolderName;
    folders.removeDuplicates();
    return folders;
}

QString findDataFile(const QString &name)
{
    for (const QString &folder : dataFolders())
        if (const QFileInfo info(folder + QLatin1Char('/') + name); info.isFile())
            return info.filePath();
    return {};
}
