#include "app/QuitOnSignal.h"
#include "app/TPSKForm.h"
#include "engine/EngineSelection.h"
#include "forms/TSplashForm.h"

#include <QApplication>
#include <cstdio>
#include <memory>

// Wrong usage of the command line, as the engine tools use it.
constexpr int kUsageExitCode = 2;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const ProgramOptions options = parseProgramOptions(QApplication::arguments());
    if (const QString error = programOptionsError(options); !error.isEmpty()) {
        std::fprintf(stderr, "korvo: %s\n", error.toLocal8Bit().constData());
        return kUsageExitCode;
    }
    // The splash stays up its 2.5 s before anything else is made.
    auto splash = std::make_unique<TSplashForm>();
    splash->showUntilTimerFires();
    // The application's title (message boxes, task bar). As the name rather than the
    // display name, which Qt would append to every window caption.
    QApplication::setApplicationName(QStringLiteral("Korvo v1.7c"));
    // The sound card, or what stands in for it (--audio-in, --audio-out, --demo).
    const EngineChoice choice = selectEngine(options);
    TPSKForm form(*choice.engine, options.settingsPath);
    splash.reset();
    form.show();
    form.showAudioStandIn(choice.note, choice.outputNowhere);
    // A signal closes the window: the transmitter is released, the engine stopped, the settings saved.
    QuitOnSignal quitOnSignal([&form] {
        form.close();
        QApplication::quit();
    });
    return app.exec();
}
