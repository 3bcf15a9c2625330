#include "app/TPSKForm.h"
#include "engine/EngineSelection.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Korvo v1.7c"));
    // The sound card, or what stands in for it (--audio-in, --audio-out, --demo).
    const ProgramOptions options = parseProgramOptions(QApplication::arguments());
    const EngineChoice choice = selectEngine(options);
    TPSKForm form(*choice.engine, options.settingsPath);
    form.show();
    if (!choice.note.isEmpty())
        form.setStatusNotice(form.StatusIcon, choice.note);
    return app.exec();
}
