#include "app/QuitOnSignal.h"
#include "app/TPSKForm.h"
#include "app/Translations.h"
#include "config/InterfaceLanguage.h"
#include "config/SettingsStore.h"
#include "engine/EngineSelection.h"
#include "forms/TSplashForm.h"
#include "ground/Dialogs.h"

#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <cstdio>
#include <memory>

// Wrong usage of the command line, as the engine tools use it.
constexpr int kUsageExitCode = 2;

namespace {

QStringList rawArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void printLine(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char *argv[])
{
    // Read before any window system is asked for: --help, --version and a wrong option
    // need no display.
    const ProgramOptions options = parseProgramOptions(rawArguments(argc, argv));
    if (!options.usageError.isEmpty()) {
        printLine(stderr, QStringLiteral("korvo: %1\n").arg(options.usageError));
        return kUsageExitCode;
    }
    if (options.help || options.version) {
        printLine(stdout, options.help ? programHelpText() : programVersionText());
        return 0;
    }

    QApplication app(argc, argv);
    const QString settingsPath = options.settingsPath.isEmpty() ? SettingsStore::defaultPath() : options.settingsPath;
    if (options.settingsPath.isEmpty()
        && !SettingsStore::adoptEarlierFile(settingsPath, SettingsStore::earlierDefaultPath()))
        printLine(stderr, QStringLiteral("korvo: %1 -> %2: copie impossible\n")
                              .arg(SettingsStore::earlierDefaultPath(), settingsPath));
    installTranslations(app, storedInterfaceLanguage(settingsPath));
    // The application's title (message boxes, task bar). As the name rather than the
    // display name, which Qt would append to every window caption.
    QApplication::setApplicationName(QStringLiteral("Korvo v1.7c"));
    // The installed desktop entry's name: Wayland compositors find the icon through it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.korvo.Korvo"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/org.korvo.Korvo.svg")));
    if (const QString error = programOptionsError(options); !error.isEmpty()) {
        printLine(stderr, QStringLiteral("korvo: %1\n").arg(error));
        showFailure(error);
        return kUsageExitCode;
    }
    // The splash stays up its 2.5 s before anything else is made.
    auto splash = std::make_unique<TSplashForm>();
    splash->showUntilTimerFires();
    // Gone before the main window is made: a message box of its start-up (an unreadable
    // store) would open behind a splash kept on top, and the program would look frozen.
    splash.reset();
    // The sound card, or what stands in for it (--audio-in, --audio-out, --demo).
    const EngineChoice choice = selectEngine(options);
    TPSKForm form(*choice.engine, options.settingsPath);
    form.show();
    form.showAudioStandIn(choice.note, choice.outputNowhere);
    // A signal closes the window: the transmitter is released, the engine stopped, the settings saved.
    QuitOnSignal quitOnSignal([&form] {
        form.close();
        QApplication::quit();
    });
    return app.exec();
}
