#include "tests/support/FormHarness.h"

#include "engine/EngineMessage.h"

#include <QCoreApplication>
#include <QFile>
#include <QtTest>

void FormHarness::open(const QByteArray &ini)
{
    close();
    m_dir = std::make_unique<QTemporaryDir>();
    if (!ini.isEmpty()) {
        QFile file(settingsPath());
        if (file.open(QIODevice::WriteOnly))
            file.write(ini);
    }
    m_engine = std::make_unique<ScriptedEngine>();
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_form = std::make_unique<TPSKForm>(*m_engine, settingsPath());
    m_engine->clearCalls();
    m_dialogs->clear();
}

bool FormHarness::openShown(const QByteArray &ini)
{
    open(ini);
    m_form->show();
    return QTest::qWaitForWindowExposed(m_form.get());
}

void FormHarness::close()
{
    // The window goes first: it may still stop the engine and show notices.
    m_form.reset();
    m_dialogs.reset();
    m_engine.reset();
    m_dir.reset();
}

void FormHarness::post(int32_t message, int32_t wParam, int32_t lParam)
{
    m_engine->post(message, wParam, lParam, m_form.get());
    QCoreApplication::sendPostedEvents(m_form.get(), EngineMessageEvent::eventType());
}

QString FormHarness::settingsPath() const
{
    return m_dir->filePath(QStringLiteral("KORVO.ini"));
}
