#include "engine/EngineMessage.h"

#include <QCoreApplication>

EngineMessageEvent::EngineMessageEvent(int32_t message, int32_t wParam, int32_t lParam)
    : QEvent(eventType()), m_message(message), m_wParam(wParam), m_lParam(lParam)
{
}

QEvent::Type EngineMessageEvent::eventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void postEngineMessage(QObject *window, int32_t message, int32_t wParam, int32_t lParam)
{
    if (window)
        QCoreApplication::postEvent(window, new EngineMessageEvent(message, wParam, lParam));
}
