#pragma once

#include "app/TPSKForm.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedEngine.h"

#include <QTemporaryDir>
#include <memory>

// The main window on the stand-in engine and scripted dialogs, with a settings
// file of its own: what most of the program's tests start from.
class FormHarness
{
public:
    // Creates the main window on a fresh store holding `ini` (empty: no file).
    // The calls and notices of the start-up are forgotten.
    void open(const QByteArray &ini = {});
    // As open(), then shows the window and waits until it is on screen.
    bool openShown(const QByteArray &ini = {});
    void close();

    // Delivers one engine message as the engine does, posted to the main window,
    // and handles it now.
    void post(int32_t message, int32_t wParam = 0, int32_t lParam = 0);

    QString settingsPath() const;

    TPSKForm &form() { return *m_form; }
    ScriptedEngine &engine() { return *m_engine; }
    ScriptedDialogs &dialogs() { return *m_dialogs; }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedEngine> m_engine;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TPSKForm> m_form;
};
