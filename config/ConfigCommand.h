#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class EngineInterface;
class QWidget;
class SettingsStore;
class TSetForm;
struct StationSettings;
struct TSettings;

// What the configuration command changes in the main window besides TSettings.
struct ConfigWindowHooks
{
    std::function<void()> rebuildCaption;       // banner, " - ", MyCall upper-cased
    std::function<void()> bandChanged;          // WFMin/WFMax replaced: derived band values
    std::function<void()> updatePortIndicator;  // "Port COM" LED from PTTControl and ComPort
    std::function<void()> updateReplayHint;     // replay button hint from Blocks
};

// The tool-bar button CfgBtn: runs a fresh configuration dialog, copies its result
// into TSettings on OK and, in every case, gives the engine the settings it holds.
class ConfigCommand
{
public:
    // station: where the "Station" tab's values go on OK; none leaves them in the store only.
    ConfigCommand(TSettings &settings, EngineInterface &engine, std::function<SettingsStore &()> store,
                  QWidget *owner, ConfigWindowHooks hooks, StationSettings *station = nullptr);

    void CfgBtnClick();

    // Runs the dialog and returns its result; the program shows it modally, tests
    // answer it in place of the operator.
    std::function<int(TSetForm &)> runDialog;
    // The serial devices the COM buttons stand for; tests give their own.
    std::function<QStringList()> presentDevices;

private:
    void copyResult(const TSetForm &dialog);
    void sendToEngine();

    TSettings &m_settings;
    StationSettings *m_station;
    EngineInterface &m_engine;
    std::function<SettingsStore &()> m_store;
    QWidget *m_owner;
    ConfigWindowHooks m_hooks;
};
