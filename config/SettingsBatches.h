#pragma once

#include "config/StationSettings.h"
#include "config/TSettings.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class SettingsStore;

// The fixed moments at which the program reads and writes its store. Each batch is
// one failure scope: the first failing value ends it, the operator hears a beep and
// reads the French message below (through the Dialogs seam), and the program goes on.
// The values read before the failure are in effect; the rest keep what they had.

inline const QString kStoreReadFailureText =
    QStringLiteral(QT_TRANSLATE_NOOP("Korvo", "Problème en lisant la base de registre"));
inline const QString kStoreWriteFailureText =
    QStringLiteral(QT_TRANSLATE_NOOP("Korvo", "Problème en écrivant dans la base de registre"));

// The band edges the displays can map (their FFT data covers 0-4000 Hz in 1024 bins).
constexpr int kStoredBandLowestHz = 1;
constexpr int kStoredBandHighestHz = 3500;
constexpr int kBandFftSize = 2048;
constexpr int kBandSampleRateHz = 8000;
// A stored band is used whole when both edges lie within 1-3500 Hz and at least one
// FFT bin separates them; otherwise the default band stands.
bool isStoredBandUsable(int wfMinHz, int wfMaxHz);

// Runs reads; on a failure ends them and shows the reading message. True when complete.
bool runReadScope(const std::function<void()> &reads);
// Ensures the sections, runs the writes and commits them in one atomic file
// replacement; on a failure nothing of the batch reaches the file and the writing
// message is shown. True when written.
bool runWriteScope(SettingsStore &store, const std::function<void()> &writes);

// One channel's stored receive values; the channel index picks the names
// (AFC1Ok/AFC2Ok, AFC1Range/AFC2Range, Net1Ok/Net2Ok, SqOne/SqTwo, SqSpOne/SqSpTwo).
struct ChannelStoreValues
{
    bool AFCOk = true;
    int AFCRange = 10;
    bool NetOk = true;
    int Sq = 10;
    int SqSp = 1;
};

// What the start-up load read; an empty optional was not reached (its control keeps
// its design state).
struct ChannelStartupValues
{
    std::optional<bool> AFCOk;
    std::optional<int> AFCRange;
    std::optional<bool> NetOk;
    std::optional<int> Sq;
    std::optional<int> SqSp;
};

constexpr int kDefaultWindowHeightPx = 450;
constexpr int kDefaultWindowWidthPx = 645;

struct WindowStartupValues
{
    std::optional<bool> WindowState;   // true: maximised, and the bounds are not read
    std::optional<int> Left;
    std::optional<int> Top;
    std::optional<int> Height;
    std::optional<int> Width;
    std::optional<int> MonitorHeight;  // the display strip's height, pixels
};

// One pane's look: index 0 TermOne, 1 TermTwo, 2 TxBuf (Color1..3, FT1..3*).
// Colours are 0x00BBGGRR references; FTStyle is the style code (bold 1000 + italic 100).
struct PaneStartupValues
{
    std::optional<int> Color;
    std::optional<QString> FTName;
    std::optional<int> FTCol;
    std::optional<int> FTSize;
    std::optional<int> FTStyle;
};

struct StartupStoreValues
{
    // Fields read are in effect; after a failure the fields not reached keep the
    // defaults (never a 0-0 Hz band). DatePattern is left to the date format table.
    TSettings settings;
    std::array<ChannelStartupValues, 2> channels;
    WindowStartupValues window;
    std::array<PaneStartupValues, 3> panes;
    // Read last; the defaults when the load failed before them.
    StationSettings station;
    // False when the load failed (its message has been shown); the "Port COM"
    // indicator step that closes the load is then skipped.
    bool complete = false;
};

// Told once, when a copy is first kept of a settings file holding lines the program
// cannot read (a line without "=", a name given twice).
QString unreadableLinesText(const QString &path, const QStringList &problems, const QString &copy);

// Start-up: keeps a copy of a file holding lines it cannot read (telling the operator
// once), ensures the sections (reporting a store that cannot be written), then
// reads Settings and Look in their fixed order inside one failure scope. A stored
// integer outside the range its control or the engine takes reads as its default.
StartupStoreValues loadStartupSettings(SettingsStore &store);

// The configuration dialog's values; empty optionals were not reached.
struct DialogStoreValues
{
    std::optional<QString> MyCall;
    std::optional<bool> ShowUTCTime;
    std::optional<bool> SpectrumPlain;
    std::optional<int> DateFormat;
    std::optional<int> CWIDSpeed;
    std::optional<QString> CWID;
    std::optional<int> ComPort;
    std::optional<int> PTTControl;
    std::optional<int> RXMode;
    std::optional<int> Blocks;
    std::optional<int> WFMin;
    std::optional<int> WFMax;
    std::optional<int> PPMAdjust;
    // The "Station" tab's values, read after the thirteen; empty when not reached.
    std::optional<StationSettings> station;
    bool complete = false;
};

// Dialog load: the dialog's thirteen values in their fixed order, then the station's,
// one failure scope.
DialogStoreValues loadDialogSettings(SettingsStore &store);

// Dialog Apply ("Appliquer"): writes the dialog's thirteen values of `settings`, then
// the station's when given, in one failure scope. Returns false after showing the
// writing message.
bool writeDialogSettings(SettingsStore &store, const TSettings &settings,
                         const StationSettings *station = nullptr);

// What the main window writes when it closes, after the engine is stopped.
struct CloseStoreValues
{
    int WFMin = 100;
    int WFMax = 3500;
    int FreqOne = 0;     // spin values truncated to whole Hz
    int FreqTwo = 0;
    std::array<ChannelStoreValues, 2> channels;
    int Blocks = 1;
    bool WindowState = false;   // maximised
    int Left = 50;              // the window's current bounds, also when maximised
    int Top = 50;
    int Height = 450;
    int Width = 645;
    int MonitorHeight = 82;     // the display strip as the operator left it
};

// Close: Settings then Look values in their fixed order, one failure scope.
bool writeCloseSettings(SettingsStore &store, const CloseStoreValues &values);
