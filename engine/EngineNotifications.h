#pragma once

#include <QObject>
#include <cstdint>

class TPSKForm;
class ReceiveChannels;

// The main window's handlers of the engine's data, character, IMD/noise and
// clock-error messages (0x7E8, 0x7E9, 0x7EB, 0x7EC).
class EngineNotifications : public QObject
{
    Q_OBJECT
public:
    EngineNotifications(TPSKForm &form, ReceiveChannels &channels, QObject *parent = nullptr);

    // Handles one of the four messages; false for any other message number.
    bool dispatch(int32_t message, int32_t wParam, int32_t lParam);

    void NewData();
    void CharReceived(int32_t wParam, int32_t lParam);
    void ImdOrNoise(int32_t wParam, int32_t lParam);
    void ClockError(int32_t wParam, int32_t lParam);

    // The result of the latest FFT fetch: the input saturates.
    bool Overload() const { return m_overload; }

private:
    void fetchSpectrum();

    TPSKForm &m_form;
    ReceiveChannels &m_channels;
    bool m_overload = false;
};
