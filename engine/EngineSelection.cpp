#include "engine/EngineSelection.h"

#include "engine/PskcoreEngine.h"
#include "ground/RegularFile.h"

#include <pskcore/pskcore.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace {

// One option of the program: its names, the name of its value (empty for a switch) and
// what --help says of it.
struct OptionEntry
{
    QStringList names;
    QString valueName;
    const char *description;
};

QString translated(const char *text)
{
    return QCoreApplication::translate("Korvo", text);
}

QList<OptionEntry> programOptionEntries()
{
    const QString file = translated("fichier");
    return {
        {{QStringLiteral("audio-in")}, file, QT_TRANSLATE_NOOP("Korvo", "Entrée audio lue dans un fichier WAV.")},
        {{QStringLiteral("audio-out")}, file, QT_TRANSLATE_NOOP("Korvo", "Emission écrite dans un fichier WAV.")},
        {{QStringLiteral("demo")}, {}, QT_TRANSLATE_NOOP("Korvo", "Bande de démonstration en entrée.")},
        {{QStringLiteral("settings")}, file, QT_TRANSLATE_NOOP("Korvo", "Fichier des réglages.")},
        {{QStringLiteral("h"), QStringLiteral("help")}, {}, QT_TRANSLATE_NOOP("Korvo", "Affiche cette aide.")},
        {{QStringLiteral("v"), QStringLiteral("version")}, {}, QT_TRANSLATE_NOOP("Korvo", "Affiche la version.")},
    };
}

// The options QGuiApplication and QApplication take out of the command line themselves,
// with one or two dashes; the first group takes a value.
const QStringList kQtValueOptions = {
    QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"), QStringLiteral("qwindowgeometry"), QStringLiteral("geometry"),
    QStringLiteral("qwindowtitle"), QStringLiteral("title"), QStringLiteral("qwindowicon"),
    QStringLiteral("icon"), QStringLiteral("display"), QStringLiteral("name"), QStringLiteral("style"),
    QStringLiteral("stylesheet"), QStringLiteral("session"), QStringLiteral("qmljsdebugger")};
const QStringList kQtSwitches = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                 QStringLiteral("nograb"), QStringLiteral("dograb"), QStringLiteral("sync"),
                                 QStringLiteral("testability")};

QString optionNames(const OptionEntry &entry)
{
    QStringList shown;
    for (const QString &name : entry.names)
        shown << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString text = shown.join(QStringLiteral(", "));
    if (!entry.valueName.isEmpty())
        text += QStringLiteral(" <%1>").arg(entry.valueName);
    return text;
}

// An input recording the engine could not open: the operator learns it before any window.
QString audioInputError(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return translated("Fichier audio introuvable : %1").arg(path);
    if (!info.isReadable())
        return translated("Fichier audio illisible : %1").arg(path);
    return {};
}

// The store reads the file at start and replaces it at close: an existing file must be
// readable and writable, an absent one must be creatable in the first folder that exists
// on its way.
QString settingsFileError(const QString &path)
{
    const QFileInfo info(path);
    const QString unusable = translated("Fichier des réglages inutilisable : %1").arg(path);
    if (info.exists())
        return info.isReadable() && info.isWritable() ? QString() : unusable;
    QFileInfo folder(info.absolutePath());
    while (!folder.exists() && !folder.isRoot())
        folder.setFile(folder.absolutePath());
    return folder.isDir() && folder.isWritable() ? QString() : unusable;
}

// The parser's complaint in French: an option it does not know, or a value missing after
// the last argument (the parser takes the next argument as an option's value, whatever
// it is, so only the last one can lack it).
QString usageErrorText(const QCommandLineParser &parser, const QString &lastArgument)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString name = unknown.constFirst();
        const QString dashes = name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
        return translated("Option inconnue : %1").arg(dashes + name);
    }
    QString lastName = lastArgument;
    while (lastName.startsWith(QLatin1Char('-')))
        lastName.remove(0, 1);
    for (const OptionEntry &entry : programOptionEntries())
        if (!entry.valueName.isEmpty() && entry.names.contains(lastName))
            return translated("Valeur manquante après %1").arg(lastArgument);
    return parser.errorText().simplified();
}

} // namespace

QString programHelpText()
{
    const QList<OptionEntry> entries = programOptionEntries();
    qsizetype width = 0;
    for (const OptionEntry &entry : entries)
        width = std::max(width, optionNames(entry).size());
    QString text = translated("Utilisation : korvo [options]") + QLatin1Char('\n')
                   + translated("Terminal PSK31 pour carte son.") + QStringLiteral("\n\n")
                   + translated("Options :") + QLatin1Char('\n');
    for (const OptionEntry &entry : entries)
        text += QStringLiteral("  ") + optionNames(entry).leftJustified(width + 2) + translated(entry.description)
                + QLatin1Char('\n');
    return text;
}

QString programVersionText()
{
    return QStringLiteral("korvo " KORVO_VERSION_TEXT "\n");
}

ProgramOptions parseProgramOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    // "-platform" is one word, as Qt reads it, not the letters p, l, a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionEntry &entry : programOptionEntries())
        parser.addOption(QCommandLineOption(entry.names, translated(entry.description), entry.valueName));
    for (const QString &name : kQtValueOptions + kQtSwitches) {
        QCommandLineOption qtOption(name, QString(), kQtValueOptions.contains(name) ? name : QString());
        qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qtOption);
    }

    ProgramOptions options;
    if (!parser.parse(arguments))
        options.usageError = usageErrorText(parser, arguments.constLast());
    else if (!parser.positionalArguments().isEmpty())
        options.usageError = translated("Argument inattendu : %1").arg(parser.positionalArguments().constFirst());
    options.audioIn = parser.value(QStringLiteral("audio-in"));
    options.audioOut = parser.value(QStringLiteral("audio-out"));
    options.demo = parser.isSet(QStringLiteral("demo"));
    options.settingsPath = parser.value(QStringLiteral("settings"));
    options.help = parser.isSet(QStringLiteral("help"));
    options.version = parser.isSet(QStringLiteral("version"));
    return options;
}

QString programOptionsError(const ProgramOptions &options)
{
    for (const QString &path : {options.settingsPath, options.audioIn, options.audioOut})
        if (!path.isEmpty())
            if (const QString error = specialFileError(path); !error.isEmpty())
                return error;
    if (!options.audioIn.isEmpty())
        if (const QString error = audioInputError(options.audioIn); !error.isEmpty())
            return error;
    if (!options.settingsPath.isEmpty())
        return settingsFileError(options.settingsPath);
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
        choice.note = QCoreApplication::translate("Korvo", "Entrée audio : %1").arg(QFileInfo(options.audioIn).fileName());
    else if (options.demo)
        choice.note = QCoreApplication::translate("Korvo", "Bande de démonstration");
    else if (demo)
        choice.note = QCoreApplication::translate("Korvo", "Pas de carte son : bande de démonstration");
    choice.engine = std::make_unique<PskcoreEngine>();
    return choice;
}
