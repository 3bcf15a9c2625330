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
};

// Empty when the files the options name may be used; otherwise the error naming the
// first that is not a regular file (a FIFO would block the window in its open, a
// device never ends or would be replaced).
QString programOptionsError(const ProgramOptions &options);

// Parses the program's arguments (arguments[0] is the program). Unknown options are left to Qt.
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
