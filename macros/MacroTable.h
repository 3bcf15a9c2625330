#pragma once

#include <QString>
#include <array>

class SettingsStore;

// The twenty macros ("procédures"): slots 0 to count - 1 are in use, in button
// order, with no gap. Shared by the main window and the macro editor.
class MacroTable
{
public:
    static constexpr int kSlots = 20;
    // Lengths the editor lets the operator type.
    static constexpr int kMaxName = 10;
    static constexpr int kMaxHint = 50;
    static constexpr int kMaxText = 255;

    struct Slot
    {
        QString name;   // the button's caption; never empty for a slot in use
        QString hint;   // the button's tooltip
        QString text;   // the macro text with its escapes, line breaks as CR LF
    };

    std::array<Slot, kSlots> entries{};
    int count = 0;

    // Reads MacroName<n>, MacroHint<n>, MacroText<n> of section Macros for n = 1, 2,
    // ... and stops at the first empty or absent name: what follows a gap is hidden.
    // May throw StoreReadError (a value that is not text).
    void load(const SettingsStore &store);

    // Writes the three values of slots 0 to count - 1 (the editor's close).
    void writeInUse(SettingsStore &store) const;
    // Writes empty strings into the three values of slot (the slot freed by a deletion).
    static void writeEmpty(SettingsStore &store, int slot);

    static QString nameKey(int slot);
    static QString hintKey(int slot);
    static QString textKey(int slot);
};
