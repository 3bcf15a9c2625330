#include "app/ToolCommands.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QProcess>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {
// pavucontrol's tab numbers: 3 output devices, 4 input devices.
constexpr int kOutputDevicesTab = 3;
constexpr int kInputDevicesTab = 4;
}

QStringList mixerArguments(bool recording)
{
    return {QStringLiteral("-t"), QString::number(recording ? kInputDevicesTab : kOutputDevicesTab)};
}

void startMixer(bool recording)
{
    QProcess::startDetached(QStringLiteral("pavucontrol"), mixerArguments(recording));
}

void showHelpTopic(QWidget *parent, const QString &fileName, const QString &topic)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    auto *viewer = new QDialog(parent);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setWindowTitle(QCoreApplication::translate("Korvo", "Aide de Korvo"));
    auto *browser = new QTextBrowser(viewer);
    browser->setOpenExternalLinks(true);
    browser->setHtml(QString::fromUtf8(file.readAll()));
    auto *layout = new QVBoxLayout(viewer);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    viewer->resize(520, 420);
    viewer->show();
    browser->scrollToAnchor(topic);
}
