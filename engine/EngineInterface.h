#pragma once

#include "engine/BrowserSignal.h"

#include <pskcore/pskcore.h>

#include <cstdint>
#include <string>
#include <vector>

class QObject;

// The program's only door to the sound-card engine. The functions keep the engine's
// own names, arguments and results so that every call the program makes can be
// traced and checked; tests put a scripted stand-in in place of the real engine.
// The engine reports by posting EngineMessageEvent to the window given at start.
class EngineInterface
{
public:
    virtual ~EngineInterface() = default;

    // window: receives the engine's messages; device: -1 = default; channels: 2.
    // Returns 0 when started, else an engine error code.
    virtual int32_t fnStartSoundCard(QObject *window, int32_t device, int32_t channels) = 0;
    virtual void fnStopSoundCard() = 0;
    // Version times ten (17 is "1.7").
    virtual int32_t fnGetDLLVersion() = 0;
    // port: n of COMn (1-8); lines: 0 none, 1 RTS, 2 DTR, 3 both. Non-zero when done.
    virtual int32_t fnSetComPort(int32_t port, int32_t lines) = 0;

    // freqHz: audio Hz; captureRangeHz: 10 normally, 0 after a click on a display.
    virtual void fnSetRXFrequency(int32_t freqHz, int32_t captureRangeHz, int32_t channel) = 0;
    virtual int32_t fnGetRXFrequency(int32_t channel) = 0;
    // mode: 0 BPSK, 1 QPSK (USB), 2 QPSK (LSB).
    virtual void fnSetRXPSKMode(int32_t mode, int32_t channel) = 0;
    // limitHz: 0 = AFC off.
    virtual void fnSetAFCLimit(int32_t limitHz, int32_t channel) = 0;
    // level 0-99, speed 0-200.
    virtual void fnSetSquelchThreshold(int32_t level, int32_t speed, int32_t channel) = 0;

    // The program calls (1, 100, 1): the FFT's full scale is the middle argument.
    virtual void fnSetFFTMode(int32_t average, int32_t fullScale, int32_t mode) = 0;
    // Fills data[firstBin..lastBin]; non-zero when the input saturates.
    virtual int32_t fnGetFFTData(int32_t *data, int32_t firstBin, int32_t lastBin) = 0;
    // Fills data[first..last] with the latest input samples.
    virtual int32_t fnGetRawData(int32_t *data, int32_t first, int32_t last) = 0;
    // data[16]: synchronisation profile 0-1000.
    virtual int32_t fnGetSyncData(int32_t *data, int32_t channel) = 0;
    // data[16]: 8 (x, y) pairs, each -1000 to 1000.
    virtual int32_t fnGetVectorData(int32_t *data, int32_t channel) = 0;
    // S-meter position 0-100.
    virtual int32_t fnGetSignalLevel(int32_t channel) = 0;

    virtual void fnSetTXFrequency(int32_t freqHz) = 0;
    // mode: 0-2 text in that PSK mode, 3 tune carrier.
    virtual void fnStartTX(int32_t mode) = 0;
    // (code, 0) queues a character; (1, 1) back to reception after the queue;
    // (2, 1) append the CW identification.
    virtual void fnSendTXCharacter(int32_t character, int32_t control) = 0;
    virtual void fnStopTX() = 0;
    virtual void fnAbortTX() = 0;
    virtual void fnClearTXBuffer() = 0;
    virtual int32_t fnGetTXCharsRemaining() = 0;
    // text: zero-terminated, Windows-1252.
    virtual void fnSetCWIDString(const char *text) = 0;
    // n: 37.5 / n words per minute.
    virtual void fnSetCWIDSpeed(int32_t n) = 0;
    virtual void fnSetClockErrorAdjustment(int32_t ppm) = 0;
    // Decode again the last blocks x 2048 samples.
    virtual void fnRewindInput(int32_t blocks) = 0;

    // The signal browser: every signal of the band decoded at once, beside the two
    // channels. Off by default; the setting holds across stop and start.
    virtual void pskSetBrowser(bool on) = 0;
    // The signals listed now, lowest frequency first; empty while the browser is off.
    virtual std::vector<BrowserSignal> pskGetBrowserSignals() = 0;

    // --- Beyond the engine's classic functions: the station. ---
    // A longer transmission is ended with an error; 0 = no limit.
    virtual void pskSetTxTimeLimit(int32_t seconds) = 0;
    // How the transmitter is keyed and the rig read (hamlib); never blocks.
    virtual void pskSetRig(const PskRigConfig &config) = 0;
    virtual PskRigState pskGetRigState() = 0;
    virtual std::vector<PskRigModel> pskRigModels() = 0;
    // The sound devices by name (input: capture, else playback), and those of the next start
    // (empty: the default device).
    virtual std::vector<std::string> pskAudioDeviceNames(bool input) = 0;
    virtual void pskSetAudioDevices(const std::string &input, const std::string &output) = 0;
};
