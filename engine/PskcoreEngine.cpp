#include "engine/PskcoreEngine.h"

#include "engine/EngineMessage.h"
#include "ground/Cp1252.h"

#include <QObject>
#include <pskcore/pskcore.h>

// The engine's threads must not outlive the window they post to.
PskcoreEngine::~PskcoreEngine() { fnStopSoundCard(); }

int32_t PskcoreEngine::fnStartSoundCard(QObject *window, int32_t device, int32_t channels)
{
    auto sink = [window](int32_t message, int32_t wParam, int32_t lParam) {
        postEngineMessage(window, message, wParam, lParam);
    };
    const int32_t result = ::fnStartSoundCard(sink, device, channels);
    if (result == 0 && window) {
        QObject::disconnect(m_windowGuard);
        m_windowGuard = QObject::connect(window, &QObject::destroyed, [] { ::fnStopSoundCard(); });
    }
    return result;
}

void PskcoreEngine::fnStopSoundCard()
{
    QObject::disconnect(m_windowGuard);
    ::fnStopSoundCard();
}
int32_t PskcoreEngine::fnGetDLLVersion() { return ::fnGetDLLVersion(); }
int32_t PskcoreEngine::fnSetComPort(int32_t port, int32_t lines) { return ::fnSetComPort(port, lines); }

void PskcoreEngine::fnSetRXFrequency(int32_t freqHz, int32_t captureRangeHz, int32_t channel)
{
    ::fnSetRXFrequency(freqHz, captureRangeHz, channel);
}

int32_t PskcoreEngine::fnGetRXFrequency(int32_t channel) { return ::fnGetRXFrequency(channel); }
void PskcoreEngine::fnSetRXPSKMode(int32_t mode, int32_t channel) { ::fnSetRXPSKMode(mode, channel); }
void PskcoreEngine::fnSetAFCLimit(int32_t limitHz, int32_t channel) { ::fnSetAFCLimit(limitHz, channel); }

void PskcoreEngine::fnSetSquelchThreshold(int32_t level, int32_t speed, int32_t channel)
{
    ::fnSetSquelchThreshold(level, speed, channel);
}

void PskcoreEngine::fnSetFFTMode(int32_t average, int32_t fullScale, int32_t mode)
{
    ::fnSetFFTMode(average, fullScale, mode);
}

int32_t PskcoreEngine::fnGetFFTData(int32_t *data, int32_t firstBin, int32_t lastBin)
{
    return ::fnGetFFTData(data, firstBin, lastBin);
}

int32_t PskcoreEngine::fnGetRawData(int32_t *data, int32_t first, int32_t last)
{
    return ::fnGetRawData(data, first, last);
}

int32_t PskcoreEngine::fnGetSyncData(int32_t *data, int32_t channel) { return ::fnGetSyncData(data, channel); }
int32_t PskcoreEngine::fnGetVectorData(int32_t *data, int32_t channel) { return ::fnGetVectorData(data, channel); }
int32_t PskcoreEngine::fnGetSignalLevel(int32_t channel) { return ::fnGetSignalLevel(channel); }
void PskcoreEngine::fnSetTXFrequency(int32_t freqHz) { ::fnSetTXFrequency(freqHz); }
void PskcoreEngine::fnStartTX(int32_t mode) { ::fnStartTX(mode); }

void PskcoreEngine::fnSendTXCharacter(int32_t character, int32_t control)
{
    ::fnSendTXCharacter(character, control);
}

void PskcoreEngine::fnStopTX() { ::fnStopTX(); }
void PskcoreEngine::fnAbortTX() { ::fnAbortTX(); }
void PskcoreEngine::fnClearTXBuffer() { ::fnClearTXBuffer(); }
int32_t PskcoreEngine::fnGetTXCharsRemaining() { return ::fnGetTXCharsRemaining(); }
void PskcoreEngine::fnSetCWIDString(const char *text) { ::fnSetCWIDString(text); }
void PskcoreEngine::fnSetCWIDSpeed(int32_t n) { ::fnSetCWIDSpeed(n); }
void PskcoreEngine::fnSetClockErrorAdjustment(int32_t ppm) { ::fnSetClockErrorAdjustment(ppm); }
void PskcoreEngine::fnRewindInput(int32_t blocks) { ::fnRewindInput(blocks); }

void PskcoreEngine::pskSetBrowser(bool on) { ::pskSetBrowser(on); }

std::vector<BrowserSignal> PskcoreEngine::pskGetBrowserSignals()
{
    const std::vector<PskBrowserSignal> found = ::pskGetBrowserSignals();
    std::vector<BrowserSignal> out;
    out.reserve(found.size());
    for (const PskBrowserSignal &s : found)
        out.push_back({s.id, s.freqHz, s.mode, s.snrDb, s.receiving,
                       Cp1252::decode(QByteArray::fromStdString(s.text))});
    return out;
}

void PskcoreEngine::pskSetTxTimeLimit(int32_t seconds) { ::pskSetTxTimeLimit(seconds); }
void PskcoreEngine::pskSetRig(const PskRigConfig &config) { ::pskSetRig(config); }
PskRigState PskcoreEngine::pskGetRigState() { return ::pskGetRigState(); }
std::vector<PskRigModel> PskcoreEngine::pskRigModels() { return ::pskRigModels(); }
std::vector<std::string> PskcoreEngine::pskAudioDeviceNames(bool input) { return ::pskAudioDeviceNames(input); }

void PskcoreEngine::pskSetAudioDevices(const std::string &input, const std::string &output)
{
    ::pskSetAudioDevices(input, output);
}
