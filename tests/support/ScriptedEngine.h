#pragma once

#include "engine/EngineInterface.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>

// A stand-in engine for the program's tests: records every call with its arguments,
// in order ("fnSetRXFrequency(1550, 10, 0)"), returns scripted results and lets a
// test post any engine message to the window given at start.
class ScriptedEngine : public EngineInterface
{
public:
    ScriptedEngine();

    // --- what the test reads ---
    const QStringList &calls() const { return m_calls; }
    // Calls whose text starts with prefix (e.g. "fnSetRXFrequency").
    QStringList calls(const QString &prefix) const;
    void clearCalls() { m_calls.clear(); }
    QObject *window() const { return m_window; }
    bool running() const { return m_running; }

    // --- what the test scripts ---
    // Result of the next calls of fnStartSoundCard; the last one given repeats.
    void setStartResults(const QList<int32_t> &results) { m_startResults = results; }
    void setVersion(int32_t version) { m_version = version; }
    void setComPortResult(int32_t result) { m_comPortResult = result; }
    void setFftData(const QVector<int32_t> &bins) { m_fft = bins; }   // indexed by bin
    void setSaturated(bool saturated) { m_saturated = saturated; }
    void setRawData(const QVector<int32_t> &samples) { m_raw = samples; }
    void setSyncData(int channel, const std::array<int32_t, 16> &data) { m_sync[channel & 1] = data; }
    void setVectorData(int channel, const std::array<int32_t, 16> &data) { m_vector[channel & 1] = data; }
    void setSignalLevel(int channel, int32_t level) { m_level[channel & 1] = level; }
    // What fnGetRXFrequency answers; fnSetRXFrequency also sets it, as the engine would.
    void setRxFrequency(int channel, int32_t hz) { m_rxFreq[channel & 1] = hz; }
    void setTxCharsRemaining(int32_t count) { m_txRemaining = count; }
    // What pskGetBrowserSignals answers, whether the browser is on or not.
    void setBrowserSignals(std::vector<BrowserSignal> found) { m_browserSignals = std::move(found); }
    bool browserOn() const { return m_browserOn; }
    // What pskGetRigState and pskRigModels answer.
    void setRigState(const PskRigState &state) { m_rigState = state; }
    void setRigModels(const std::vector<PskRigModel> &models) { m_rigModels = models; }
    // What pskAudioDeviceNames answers for capture (input) or playback.
    void setAudioDeviceNames(bool input, const std::vector<std::string> &names) { m_deviceNames[input ? 1 : 0] = names; }
    // Called with each call's text as it is made, to see what the program showed at that moment.
    void setOnCall(std::function<void(const QString &call)> onCall) { m_onCall = std::move(onCall); }

    // Posts an engine message to the window given to fnStartSoundCard (or to `to`).
    void post(int32_t message, int32_t wParam = 0, int32_t lParam = 0, QObject *to = nullptr);

    // --- EngineInterface ---
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
    void record(const QString &name, std::initializer_list<QString> args = {});

    QStringList m_calls;
    QPointer<QObject> m_window;
    bool m_running = false;
    QList<int32_t> m_startResults{0};
    int32_t m_version = 17;
    int32_t m_comPortResult = 1;
    QVector<int32_t> m_fft;
    bool m_saturated = false;
    QVector<int32_t> m_raw;
    std::array<std::array<int32_t, 16>, 2> m_sync{};
    std::array<std::array<int32_t, 16>, 2> m_vector{};
    std::array<int32_t, 2> m_level{};
    std::array<int32_t, 2> m_rxFreq{};
    int32_t m_txRemaining = 0;
    std::vector<BrowserSignal> m_browserSignals;
    bool m_browserOn = false;
    std::function<void(const QString &)> m_onCall;
    PskRigState m_rigState;
    std::vector<PskRigModel> m_rigModels;
    std::array<std::vector<std::string>, 2> m_deviceNames;
};
