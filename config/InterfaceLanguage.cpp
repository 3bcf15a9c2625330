#include "config/InterfaceLanguage.h"

#include "config/SettingsStore.h"

#include <exception>

bool isInterfaceLanguage(const QString &code)
{
    return code == kFrenchLanguage || code == kEnglishLanguage;
}

QString storedInterfaceLanguage(const QString &storePath)
{
    try {
        const SettingsStore store(storePath);
        const QString code = store.readString(SettingsStore::Settings, QStringLiteral("Language"), kFrenchLanguage);
        return isInterfaceLanguage(code) ? code : kFrenchLanguage;
    } catch (const std::exception &) {
        return kFrenchLanguage;
    }
}
