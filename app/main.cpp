#include "app/TPSKForm.h"
#include "engine/UnavailableEngine.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Korvo v1.7c"));
    UnavailableEngine engine;
    TPSKForm form(engine);
    form.show();
    return app.exec();
}
