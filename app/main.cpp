#include "app/TPSKForm.h"
#include "engine/UnavailableEngine.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    UnavailableEngine engine;
    TPSKForm form(engine);
    form.show();
    return app.exec();
}
