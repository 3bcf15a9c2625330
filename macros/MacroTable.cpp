#include "macros/MacroTable.h"

#include "config/SettingsStore.h"

QString MacroTable::nameKey(int slot) { return QStringLiteral("MacroName%1").arg(slot + 1); }
QString MacroTable::hintKey(int slot) { return QStringLiteral("MacroHint%1").arg(slot + 1); }
QString MacroTable::textKey(int slot) { return QStringLiteral("MacroText%1").arg(slot + 1); }

void MacroTable::load(const SettingsStore &store)
{
    entries = {};
    count = 0;
    for (int slot = 0; slot < kSlots; ++slot) {
        const QString name = store.readString(SettingsStore::Macros, nameKey(slot), QString());
        if (name.isEmpty())
            break;
        // A slot is in use only once its three values are read.
        Slot read{name, store.readString(SettingsStore::Macros, hintKey(slot), QString()),
                  store.readString(SettingsStore::Macros, textKey(slot), QString())};
        entries[slot] = std::move(read);
        count = slot + 1;
    }
}

void MacroTable::writeInUse(SettingsStore &store) const
{
    for (int slot = 0; slot < count; ++slot) {
        store.writeString(SettingsStore::Macros, nameKey(slot), entries[slot].name);
        store.writeString(SettingsStore::Macros, hintKey(slot), entries[slot].hint);
        store.writeString(SettingsStore::Macros, textKey(slot), entries[slot].text);
    }
}

void MacroTable::writeEmpty(SettingsStore &store, int slot)
{
    store.writeString(SettingsStore::Macros, nameKey(slot), QString());
    store.writeString(SettingsStore::Macros, hintKey(slot), QString());
    store.writeString(SettingsStore::Macros, textKey(slot), QString());
}
