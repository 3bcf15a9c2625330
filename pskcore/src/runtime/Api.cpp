// The engine's public functions: each forwards to the one engine of the process.
#include "pskcore/pskcore.h"

#include "runtime/Engine.h"
#include "runtime/HamlibRig.h"
#include "runtime/PortAudioIo.h"
#include "runtime/SerialLines.h"

using pskcore::Engine;

namespace {
constexpr int32_t kVersion = 17; // 1.7, the version the program was written against
}

int32_t fnStartSoundCard(PskMessageSink sink, int32_t device, int32_t channels)
{
    return Engine::instance().start(std::move(sink), device, channels);
}
void fnStopSoundCard() { Engine::instance().stop(); }
int32_t fnGetDLLVersion() { return kVersion; }
int32_t fnSetComPort(int32_t port, int32_t lines) { return Engine::instance().setComPort(port, lines) ? 1 : 0; }

void fnSetRXFrequency(int32_t freqHz, int32_t captureRangeHz, int32_t channel)
{
    Engine::instance().setRxFrequency(freqHz, captureRangeHz, channel);
}
int32_t fnGetRXFrequency(int32_t channel) { return Engine::instance().rxFrequency(channel); }
void fnSetRXPSKMode(int32_t mode, int32_t channel) { Engine::instance().setRxMode(mode, channel); }
void fnSetAFCLimit(int32_t limitHz, int32_t channel) { Engine::instance().setAfcLimit(limitHz, channel); }
void fnSetSquelchThreshold(int32_t level, int32_t speed, int32_t channel)
{
    Engine::instance().setSquelch(level, speed, channel);
}

void fnSetFFTMode(int32_t average, int32_t fullScale, int32_t mode)
{
    Engine::instance().setFftMode(average, fullScale, mode);
}
int32_t fnGetFFTData(int32_t* data, int32_t firstBin, int32_t lastBin)
{
    return Engine::instance().fftData(data, firstBin, lastBin);
}
int32_t fnGetRawData(int32_t* data, int32_t first, int32_t last) { return Engine::instance().rawData(data, first, last); }
int32_t fnGetSyncData(int32_t* data, int32_t channel) { return Engine::instance().syncData(data, channel); }
int32_t fnGetVectorData(int32_t* data, int32_t channel) { return Engine::instance().vectorData(data, channel); }
int32_t fnGetSignalLevel(int32_t channel) { return Engine::instance().signalLevel(channel); }

void fnSetTXFrequency(int32_t freqHz) { Engine::instance().setTxFrequency(freqHz); }
void fnStartTX(int32_t mode) { Engine::instance().startTx(mode); }
void fnSendTXCharacter(int32_t character, int32_t control) { Engine::instance().sendTxCharacter(character, control); }
void fnStopTX() { Engine::instance().stopTx(); }
void fnAbortTX() { Engine::instance().abortTx(); }
void fnClearTXBuffer() { Engine::instance().clearTxBuffer(); }
int32_t fnGetTXCharsRemaining() { return Engine::instance().txCharsRemaining(); }
void fnSetCWIDString(const char* text) { Engine::instance().setCwIdText(text); }
void fnSetCWIDSpeed(int32_t n) { Engine::instance().setCwIdSpeed(n); }
void fnSetClockErrorAdjustment(int32_t ppm) { Engine::instance().setClockError(ppm); }
void fnRewindInput(int32_t blocks) { Engine::instance().rewind(blocks); }

void pskSetInputFile(const std::string& path) { Engine::instance().setInputFile(path); }
void pskSetOutputFile(const std::string& path) { Engine::instance().setOutputFile(path); }
void pskSetOutputFileRate(int32_t rateHz) { Engine::instance().setOutputFileRate(rateHz); }
std::vector<std::string> pskAudioDeviceNames(bool input) { return pskcore::portAudioDeviceNames(input); }
void pskSetAudioDevices(const std::string& input, const std::string& output)
{
    Engine::instance().setAudioDevices(input, output);
}
void pskSetDemoInput(bool on) { Engine::instance().setDemoInput(on); }
bool pskHasCaptureDevice() { return pskcore::portAudioHasCapture(); }
bool pskHasPlaybackDevice() { return pskcore::portAudioHasPlayback(); }
std::vector<std::string> pskSerialPortDevices() { return pskcore::presentSerialDevices(); }

void pskSetRig(const PskRigConfig& config) { Engine::instance().setRig(config); }
PskRigState pskGetRigState() { return Engine::instance().rigState(); }
std::vector<PskRigModel> pskRigModels() { return pskcore::HamlibRig::models(); }
void pskSetTxTimeLimit(int32_t seconds) { Engine::instance().setTxTimeLimit(seconds); }

namespace pskcore {

void setAudioSeam(std::shared_ptr<AudioInput> input, std::shared_ptr<AudioOutput> output)
{
    Engine::instance().setAudioSeam(std::move(input), std::move(output));
}

void setModemLinesSeam(std::shared_ptr<ModemLines> lines) { Engine::instance().setModemLines(std::move(lines)); }

} // namespace pskcore

static_assert(pskcore::BandBrowser::kTextLength == pskBrowserTextLength);

void pskSetBrowser(bool on) { Engine::instance().setBrowser(on); }

std::vector<PskBrowserSignal> pskGetBrowserSignals()
{
    std::vector<PskBrowserSignal> list;
    for (auto& s : Engine::instance().browserSignals())
        list.push_back({s.id, s.freqHz, int32_t(s.mode), s.snrDb, s.receiving, std::move(s.text)});
    return list;
}
