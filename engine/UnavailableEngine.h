#pragma once

#include "engine/EngineInterface.h"

// The engine used when no sound-card engine is built in: it keeps nothing and
// every start fails with "device not found", so the program still runs.
class UnavailableEngine : public EngineInterface
{
public:
    static constexpr int32_t kNoDevice = 21;

    int32_t fnStartSoundCard(QObject *, int32_t, int32_t) override { return kNoDevice; }
    void fnStopSoundCard() override {}
    int32_t fnGetDLLVersion() override { return 17; }
    int32_t fnSetComPort(int32_t, int32_t) override { return 0; }
    void fnSetRXFrequency(int32_t, int32_t, int32_t) override {}
    int32_t fnGetRXFrequency(int32_t) override { return 0; }
    void fnSetRXPSKMode(int32_t, int32_t) override {}
    void fnSetAFCLimit(int32_t, int32_t) override {}
    void fnSetSquelchThreshold(int32_t, int32_t, int32_t) override {}
    void fnSetFFTMode(int32_t, int32_t, int32_t) override {}
    int32_t fnGetFFTData(int32_t *, int32_t, int32_t) override { return 0; }
    int32_t fnGetRawData(int32_t *, int32_t, int32_t) override { return 0; }
    int32_t fnGetSyncData(int32_t *, int32_t) override { return 0; }
    int32_t fnGetVectorData(int32_t *, int32_t) override { return 0; }
    int32_t fnGetSignalLevel(int32_t) override { return 0; }
    void fnSetTXFrequency(int32_t) override {}
    void fnStartTX(int32_t) override {}
    void fnSendTXCharacter(int32_t, int32_t) override {}
    void fnStopTX() override {}
    void fnAbortTX() override {}
    void fnClearTXBuffer() override {}
    int32_t fnGetTXCharsRemaining() override { return 0; }
    void fnSetCWIDString(const char *) override {}
    void fnSetCWIDSpeed(int32_t) override {}
    void fnSetClockErrorAdjustment(int32_t) override {}
    void fnRewindInput(int32_t) override {}
};
