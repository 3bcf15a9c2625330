#include "app/TPSKForm.h"
#include "engine/EngineSelection.h"
#include "forms/TSplashForm.h"

#include <QApplication>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The splash stays up its 2.5 s before anything else is made.
    auto splash = std::make_unique<TSplashForm>();
    splash->showUntilTimerFires();
    // The application's title (message boxes, task bar). As the name rather than the
    // display name, which Qt would append to every window caption.
    QApplication::setApplicationName(QStringLiteral("Korvo v1.7c"));
    // The sound card, or what stands in for it (--audio-in, --audio-out, --demo).
    const ProgramOptions options = parseProgramOptions(QApplication::arguments());
    const EngineChoice choice = selectEngine(options);
    TPSKForm form(*choice.engine, options.settingsPath);
    splash.reset();
    form.show();
    form.showAudioStandIn(choice.note, choice.outputNowhere);
    return app.exec();
}
