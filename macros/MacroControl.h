#pragma once

#include "macros/MacroTable.h"

#include <QDateTime>
#include <QLocale>
#include <QObject>
#include <QString>
#include <array>
#include <functional>

struct ConnectionFlags;
class EngineInterface;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;
class SettingsStore;
class TransmitBuffer;
class TransmitControl;
struct TSettings;

// The main-window controls the macros act on.
struct MacroWidgets
{
    std::array<QPushButton *, MacroTable::kSlots> buttons{};   // M1 to M20
    QLineEdit *HisCall = nullptr;
    QLineEdit *HisName = nullptr;
    QLineEdit *HisRep = nullptr;
    QTabWidget *Canal = nullptr;                   // its selected tab is the current channel
    std::array<QPlainTextEdit *, 2> terms{};       // TermOne, TermTwo
    QPlainTextEdit *TxBuf = nullptr;
    QWidget *dialogParent = nullptr;               // the editor's owner
};

// The twenty macros on their buttons: loading from the store, enabling, the editor,
// and firing one (LaunchMacro): empty the transmit pane and the engine's queue,
// expand the escapes, then type the result into the transmit pane.
class MacroControl : public QObject
{
    Q_OBJECT
public:
    MacroControl(EngineInterface &engine, const ConnectionFlags &flags, const TSettings &settings,
                 MacroWidgets widgets, TransmitControl &transmit, TransmitBuffer &buffer,
                 QObject *parent = nullptr);

    // The clock, locale and folders of the escapes (tests fix them).
    void setClock(std::function<QDateTime()> localNow) { m_localNow = std::move(localNow); }
    void setLocale(const QLocale &locale) { m_locale = locale; }
    void setDataFolders(const QStringList &folders) { m_dataFolders = folders; }

    // Reads the table from the store (which the editor then writes to) and shows the
    // names and hints on the buttons; enables none (the connection enables the buttons
    // that have a caption). A value that is not text ends the loading with the general
    // error report; the macros read before it stay.
    void loadMacros(SettingsStore &store);

    void MacroBtnClick();
    void LaunchMacro(int slot);

    MacroTable table;

private:
    // Caption and hint of the slot; with enable, enabled while connected and named.
    void showButton(int slot, bool enable);

    EngineInterface &m_engine;
    const ConnectionFlags &m_flags;
    const TSettings &m_settings;
    MacroWidgets m_w;
    TransmitControl &m_transmit;
    TransmitBuffer &m_buffer;
    SettingsStore *m_store = nullptr;
    std::function<QDateTime()> m_localNow;
    QLocale m_locale;
    QStringList m_dataFolders;
};
