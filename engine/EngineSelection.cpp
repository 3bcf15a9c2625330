#include "engine/EngineSelection.h"

#include "engine/PskcoreEngine.h"
#include "ground/RegularFile.h"

#include <pskcore/pskcore.h>

#include <QCommandLineParser>
#include <QFileInfo>

ProgramOptions parseProgramOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption audioIn(QStringLiteral("audio-in"),
                                     QStringLiteral("Entrée audio lue dans un fichier WAV."),
                                     QStringLiteral("fichier"));
    const QCommandLineOption audioOut(QStringLiteral("audio-out"),
                                      QStringLiteral("Emission écrite dans un fichier WAV."),
                                      QStringLiteral("fichier"));
    const QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("Bande de démonstration en entrée."));
    const QCommandLineOption settings(QStringLiteral("settings"),
                                      QStringLiteral("Fichier des réglages."), QStringLiteral("fichier"));
    parser.addOptions({audioIn, audioOut, demo, settings});
    // Qt's own options (-platform, -style ...) are not ours to refuse.
    parser.parse(arguments);

    ProgramOptions options;
    options.audioIn = parser.value(audioIn);
    options.audioOut = parser.value(audioOut);
    options.demo = parser.isSet(demo);
    options.settingsPath = parser.value(settings);
    return options;
}

QString programOptionsError(const ProgramOptions &options)
{
    for (const QString &path : {options.settingsPath, options.audioIn, options.audioOut})
        if (!path.isEmpty())
            if (const QString error = specialFileError(path); !error.isEmpty())
                return error;
    return {};
}

EngineChoice selectEngine(const ProgramOptions &options)
{
    const bool askCapture = options.audioIn.isEmpty() && !options.demo;
    const bool askPlayback = options.audioOut.isEmpty();
    return selectEngine(options, askCapture ? pskHasCaptureDevice() : true,
                        askPlayback ? pskHasPlaybackDevice() : true);
}

EngineChoice selectEngine(const ProgramOptions &options, bool hasCaptureDevice, bool hasPlaybackDevice)
{
    EngineChoice choice;
    // The engine then plays the transmission nowhere rather than refuse to start.
    choice.outputNowhere = options.audioOut.isEmpty() && !hasPlaybackDevice;
    const bool demo = options.demo || (options.audioIn.isEmpty() && !hasCaptureDevice);
    pskSetInputFile(options.audioIn.toStdString());
    pskSetOutputFile(options.audioOut.toStdString());
    pskSetDemoInput(demo && options.audioIn.isEmpty());
    if (!options.audioIn.isEmpty())
        choice.note = QStringLiteral("Entrée audio : %1").arg(QFileInfo(options.audioIn).fileName());
    else if (options.demo)
        choice.note = QStringLiteral("Bande de démonstration");
    else if (demo)
        choice.note = QStringLiteral("Pas de carte son : bande de démonstration");
    choice.engine = std::make_unique<PskcoreEngine>();
    return choice;
}
