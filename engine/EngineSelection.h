#pragma once

#include "engine/EngineInterface.h"

#include <QString>
#include <QStringList>
#include <memory>

// What the command line asks of the program.
struct ProgramOptions
{
    QString audioIn;       // --audio-in FILE: a WAV recording stands in for the capture device
    QString audioOut;      // --audio-out FILE: the transmission is written to a WAV file
    bool demo = false;     // --demo: the built-in demonstration band as input
    QString settingsPath;  // --settings FILE: the settings store's file (empty: the operator's own)
    bool help = false;     // --help, -h: print the usage and stop
    bool version = false;  // --version, -v: print the version and stop
    QString usageError;    // an unknown option or a missing value, as one line; empty when none
};

// What --help and --version print.
QString programHelpText();
QString programVersionText();

// Empty when the files the options name may be used; otherwise the error naming the
// first that cannot: not a regular file (a FIFO would block the window in its open, a
// device never ends or would be replaced), an input recording that is missing or
// unreadable, or a settings file that could be neither read nor written.
QString programOptionsError(const ProgramOptions &options);

// Parses the program's arguments (arguments[0] is the program). Qt's own options
// (-platform, -style ...) are taken and left to Qt; any other unknown option is a usage error.
ProgramOptions parseProgramOptions(const QStringList &arguments);

// The engine the program runs on, and a note for the status bar about what stands in for the sound card
// (empty on the sound card itself).
struct EngineChoice
{
    std::unique_ptr<EngineInterface> engine;
    QString note;
    // No playback device and no --audio-out: a transmission goes nowhere.
    bool outputNowhere = false;
};

// hasCaptureDevice, hasPlaybackDevice: what the machine has (asked of the engine when not given).
EngineChoice selectEngine(const ProgramOptions &options);
EngineChoice selectEngine(const ProgramOptions &options, bool hasCaptureDevice, bool hasPlaybackDevice);
