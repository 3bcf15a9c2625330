#pragma once

#include <QEvent>
#include <cstdint>

#include <pskcore/pskcore.h>

class QObject;

// The engine's message numbers (WM_USER + 1000 to 1004 on the engine's first platform).
namespace EngineMessage {
constexpr int32_t NewData = pskmsg::NewData;
constexpr int32_t Character = pskmsg::Character;
constexpr int32_t TxStatus = pskmsg::TxStatus;
constexpr int32_t ImdOrNoise = pskmsg::ImdOrNoise;
constexpr int32_t ClockError = pskmsg::ClockError;
}

// One engine message carried to the GUI thread as a posted Qt event.
class EngineMessageEvent : public QEvent
{
public:
    EngineMessageEvent(int32_t message, int32_t wParam, int32_t lParam);

    static QEvent::Type eventType();

    int32_t message() const { return m_message; }
    int32_t wParam() const { return m_wParam; }
    int32_t lParam() const { return m_lParam; }

private:
    int32_t m_message;
    int32_t m_wParam;
    int32_t m_lParam;
};

// Thread-safe: the engine's threads call this to reach the main window.
void postEngineMessage(QObject *window, int32_t message, int32_t wParam, int32_t lParam);
