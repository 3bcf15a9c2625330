#pragma once

#include "engine/EngineInterface.h"

#include <QMetaObject>

// The program's real engine: the pskcore library's functions behind the engine interface.
// Its messages come from the engine's threads and reach the window as posted events.
class PskcoreEngine : public EngineInterface
{
public:
    ~PskcoreEngine() override;

    int32_t fnStartSoundCard(QObject *window, int32_t device, int32_t channels) override;
    void fnStopSoundCard() override;
    int32_t fnGetDLLVersion() override;
    int32_t fnSetComPort(int32_t port, int32_t lines) override;
    void fnSetRXFrequency(int32_t freqHz, int32_t captureRangeHz, int32_t channel) override;
    int32_t fnGetRXFrequency(int32_t channel) override;
    void fnSetRXPSKMode(int32_t mode, int32_t channel) override;
    void fnSetAFCLimit(int32_t limitHz, int32_t channel) override;
    void fnSetSquelchThreshold(int32_t level, int32_t speed, int32_t channel) override;
    void fnSetFFTMode(int32_t average, int32_t fullScale, int32_t mode) override;
    int32_t fnGetFFTData(int32_t *data, int32_t firstBin, int32_t lastBin) override;
    int32_t fnGetRawData(int32_t *data, int32_t first, int32_t last) override;
    int32_t fnGetSyncData(int32_t *data, int32_t channel) override;
    int32_t fnGetVectorData(int32_t *data, int32_t channel) override;
    int32_t fnGetSignalLevel(int32_t channel) override;
    void fnSetTXFrequency(int32_t freqHz) override;
    void fnStartTX(int32_t mode) override;
    void fnSendTXCharacter(int32_t character, int32_t control) override;
    void fnStopTX() override;
    void fnAbortTX() override;
    void fnClearTXBuffer() override;
    int32_t fnGetTXCharsRemaining() override;
    void fnSetCWIDString(const char *text) override;
    void fnSetCWIDSpeed(int32_t n) override;
    void fnSetClockErrorAdjustment(int32_t ppm) override;
    void fnRewindInput(int32_t blocks) override;
    void pskSetBrowser(bool on) override;
    std::vector<BrowserSignal> pskGetBrowserSignals() override;
    void pskSetTxTimeLimit(int32_t seconds) override;
    void pskSetRig(const PskRigConfig &config) override;
    PskRigState pskGetRigState() override;
    std::vector<PskRigModel> pskRigModels() override;
    std::vector<std::string> pskAudioDeviceNames(bool input) override;
    void pskSetAudioDevices(const std::string &input, const std::string &output) override;

private:
    // Stops the engine if its window goes away first, so no message is posted to a dead object.
    QMetaObject::Connection m_windowGuard;
};
