#include "browser/BrowserSettings.h"

#include "config/SettingsBatches.h"
#include "config/SettingsStore.h"

namespace {
const QString kVisibleName = QStringLiteral("BrowserVisible");
const QString kPlaceName = QStringLiteral("BrowserPlace");
}

BrowserStoreValues readBrowserSettings(SettingsStore &store)
{
    BrowserStoreValues values;
    runReadScope([&] {
        values.visible = store.readBool(SettingsStore::Look, kVisibleName, false);
        values.place = QByteArray::fromBase64(store.readString(SettingsStore::Look, kPlaceName, QString()).toLatin1());
    });
    return values;
}

bool writeBrowserSettings(SettingsStore &store, const BrowserStoreValues &values)
{
    return runWriteScope(store, [&] {
        store.writeBool(SettingsStore::Look, kVisibleName, values.visible);
        store.writeString(SettingsStore::Look, kPlaceName, QString::fromLatin1(values.place.toBase64()));
    });
}
