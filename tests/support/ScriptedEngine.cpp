#include "tests/support/ScriptedEngine.h"

#include "engine/EngineMessage.h"

namespace {
QString num(int32_t v) { return QString::number(v); }
}

ScriptedEngine::ScriptedEngine() = default;

QStringList ScriptedEngine::calls(const QString &prefix) const
{
    QStringList out;
    for (const QString &c : m_calls)
        if (c.startsWith(prefix))
            out << c;
    return out;
}

void ScriptedEngine::record(const QString &name, std::initializer_list<QString> args)
{
    m_calls << name + QLatin1Char('(') + QStringList(args).join(QLatin1String(", ")) + QLatin1Char(')');
    if (m_onCall)
        m_onCall(m_calls.last());
}

void ScriptedEngine::post(int32_t message, int32_t wParam, int32_t lParam, QObject *to)
{
    postEngineMessage(to ? to : m_window.data(), message, wParam, lParam);
}

int32_t ScriptedEngine::fnStartSoundCard(QObject *window, int32_t device, int32_t channels)
{
    record("fnStartSoundCard", {window ? QStringLiteral("window") : QStringLiteral("null"), num(device), num(channels)});
    const int32_t r = m_startResults.size() > 1 ? m_startResults.takeFirst() : m_startResults.value(0);
    if (r == 0) {
        m_window = window;
        m_running = true;
    }
    return r;
}

void ScriptedEngine::fnStopSoundCard()
{
    record("fnStopSoundCard");
    m_running = false;
}

int32_t ScriptedEngine::fnGetDLLVersion()
{
    record("fnGetDLLVersion");
    return m_version;
}

int32_t ScriptedEngine::fnSetComPort(int32_t port, int32_t lines)
{
    record("fnSetComPort", {num(port), num(lines)});
    return m_comPortResult;
}

void ScriptedEngine::fnSetRXFrequency(int32_t freqHz, int32_t captureRangeHz, int32_t channel)
{
    record("fnSetRXFrequency", {num(freqHz), num(captureRangeHz), num(channel)});
    if (channel == 0 || channel == 1)
        m_rxFreq[channel] = freqHz;
}

int32_t ScriptedEngine::fnGetRXFrequency(int32_t channel)
{
    record("fnGetRXFrequency", {num(channel)});
    return m_rxFreq[channel & 1];
}

void ScriptedEngine::fnSetRXPSKMode(int32_t mode, int32_t channel)
{
    record("fnSetRXPSKMode", {num(mode), num(channel)});
}

void ScriptedEngine::fnSetAFCLimit(int32_t limitHz, int32_t channel)
{
    record("fnSetAFCLimit", {num(limitHz), num(channel)});
}

void ScriptedEngine::fnSetSquelchThreshold(int32_t level, int32_t speed, int32_t channel)
{
    record("fnSetSquelchThreshold", {num(level), num(speed), num(channel)});
}

void ScriptedEngine::fnSetFFTMode(int32_t average, int32_t fullScale, int32_t mode)
{
    record("fnSetFFTMode", {num(average), num(fullScale), num(mode)});
}

int32_t ScriptedEngine::fnGetFFTData(int32_t *data, int32_t firstBin, int32_t lastBin)
{
    record("fnGetFFTData", {num(firstBin), num(lastBin)});
    for (int32_t k = firstBin; k <= lastBin; ++k)
        data[k] = m_fft.value(k);
    return m_saturated ? 1 : 0;
}

int32_t ScriptedEngine::fnGetRawData(int32_t *data, int32_t first, int32_t last)
{
    record("fnGetRawData", {num(first), num(last)});
    for (int32_t k = first; k <= last; ++k)
        data[k] = m_raw.value(k);
    return 1;
}

int32_t ScriptedEngine::fnGetSyncData(int32_t *data, int32_t channel)
{
    record("fnGetSyncData", {num(channel)});
    std::copy(m_sync[channel & 1].begin(), m_sync[channel & 1].end(), data);
    return 1;
}

int32_t ScriptedEngine::fnGetVectorData(int32_t *data, int32_t channel)
{
    record("fnGetVectorData", {num(channel)});
    std::copy(m_vector[channel & 1].begin(), m_vector[channel & 1].end(), data);
    return 1;
}

int32_t ScriptedEngine::fnGetSignalLevel(int32_t channel)
{
    record("fnGetSignalLevel", {num(channel)});
    return m_level[channel & 1];
}

void ScriptedEngine::fnSetTXFrequency(int32_t freqHz) { record("fnSetTXFrequency", {num(freqHz)}); }
void ScriptedEngine::fnStartTX(int32_t mode) { record("fnStartTX", {num(mode)}); }

void ScriptedEngine::fnSendTXCharacter(int32_t character, int32_t control)
{
    record("fnSendTXCharacter", {num(character), num(control)});
}

void ScriptedEngine::fnStopTX() { record("fnStopTX"); }
void ScriptedEngine::fnAbortTX() { record("fnAbortTX"); }
void ScriptedEngine::fnClearTXBuffer() { record("fnClearTXBuffer"); }

int32_t ScriptedEngine::fnGetTXCharsRemaining()
{
    record("fnGetTXCharsRemaining");
    return m_txRemaining;
}

void ScriptedEngine::fnSetCWIDString(const char *text)
{
    record("fnSetCWIDString", {QString::fromLatin1(text ? text : "")});
}

void ScriptedEngine::fnSetCWIDSpeed(int32_t n) { record("fnSetCWIDSpeed", {num(n)}); }

void ScriptedEngine::fnSetClockErrorAdjustment(int32_t ppm)
{
    record("fnSetClockErrorAdjustment", {num(ppm)});
}

void ScriptedEngine::fnRewindInput(int32_t blocks) { record("fnRewindInput", {num(blocks)}); }

void ScriptedEngine::pskSetBrowser(bool on)
{
    record("pskSetBrowser", {num(on ? 1 : 0)});
    m_browserOn = on;
}

std::vector<BrowserSignal> ScriptedEngine::pskGetBrowserSignals()
{
    record("pskGetBrowserSignals");
    return m_browserSignals;
}

void ScriptedEngine::pskSetTxTimeLimit(int32_t seconds) { record("pskSetTxTimeLimit", {num(seconds)}); }

// The call's text names every field: "pskSetRig(3, 0, , 0, localhost:4532)".
void ScriptedEngine::pskSetRig(const PskRigConfig &c)
{
    record("pskSetRig", {num(c.keying), num(c.model), QString::fromStdString(c.device), num(c.speed),
                         QString::fromStdString(c.address)});
}

PskRigState ScriptedEngine::pskGetRigState() { return m_rigState; }
std::vector<PskRigModel> ScriptedEngine::pskRigModels() { return m_rigModels; }

std::vector<std::string> ScriptedEngine::pskAudioDeviceNames(bool input) { return m_deviceNames[input ? 1 : 0]; }

void ScriptedEngine::pskSetAudioDevices(const std::string &input, const std::string &output)
{
    record("pskSetAudioDevices", {QString::fromStdString(input), QString::fromStdString(output)});
}
