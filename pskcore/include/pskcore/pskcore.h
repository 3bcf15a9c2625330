#pragma once

// The engine's public functions, under the names and with the 32-bit arguments and results the program
// knows them by. Every function may be called from any one thread (the program's GUI thread) while the
// engine's own threads run, and before the first start: settings hold until changed, across stop and start.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Receives the engine's messages (0x7E8 to 0x7EC) from the engine's threads. It must return quickly and
// must not call back into the engine; the program posts the message on to its GUI thread.
using PskMessageSink = std::function<void(int32_t message, int32_t wParam, int32_t lParam)>;

namespace pskmsg {
inline constexpr int32_t NewData = 0x7E8;     // fetch the latest data with the get functions
inline constexpr int32_t Character = 0x7E9;   // wParam character, lParam channel (2: transmitted)
inline constexpr int32_t TxStatus = 0x7EA;    // wParam a transmit status (psktx) or an error code
inline constexpr int32_t ImdOrNoise = 0x7EB;  // wParam dB, lParam 0/1 IMD of that channel, 2 noise
inline constexpr int32_t ClockError = 0x7EC;  // wParam ppm, lParam channel
} // namespace pskmsg

// The transmit status: wParam of pskmsg::TxStatus. Values above SendingRest are error codes (pskerr).
namespace psktx {
inline constexpr int32_t Ended = 0;        // the transmitter is off again
inline constexpr int32_t Started = 1;      // the transmitter is keyed
inline constexpr int32_t TooSlow = 2;      // the output ran dry: the processor is too slow or busy
inline constexpr int32_t SendingRest = 3;  // stopping: the characters still queued are being sent
} // namespace psktx

// Error codes of fnStartSoundCard and of the transmit status above 3.
namespace pskerr {
inline constexpr int32_t OutOfMemory = 10;
inline constexpr int32_t InputNotOpen = 11;
inline constexpr int32_t OutputNotOpen = 14;
inline constexpr int32_t FormatRefused = 17;
inline constexpr int32_t DeviceBusy = 18;
inline constexpr int32_t NoDevice = 21;
inline constexpr int32_t InitFailed = 22;
inline constexpr int32_t BadParameter = 29;
// Beyond the sound card's codes: the keying and the station.
inline constexpr int32_t KeyFailed = 40;         // the transmitter could not be keyed: the transmission ended
inline constexpr int32_t UnkeyFailed = 41;       // the transmitter could not be released
inline constexpr int32_t TxTimeLimit = 42;       // the transmit time limit ended the transmission
inline constexpr int32_t RigNotAnswering = 43;   // the rig stopped answering during a transmission
inline constexpr int32_t InputDeviceAbsent = 44; // the chosen capture device is not present
inline constexpr int32_t OutputDeviceAbsent = 45;// the chosen playback device is not present
} // namespace pskerr

// Opens the sound card (device -1: the default input and output) at 8000 Hz 16-bit mono and starts
// processing `channels` (1 or 2) receive channels. 0 when started; otherwise an error code and nothing runs.
int32_t fnStartSoundCard(PskMessageSink sink, int32_t device, int32_t channels);
// Ends any transmission at once, drops the PTT lines, stops and joins every engine thread. No message
// reaches the sink once it returns.
void fnStopSoundCard();
int32_t fnGetDLLVersion();
// port: n of COMn (1-8, see pskSerialPortDevices); lines: 0 none, 1 RTS, 2 DTR, 3 both.
// Non-zero when done; 0 when the port cannot be opened.
int32_t fnSetComPort(int32_t port, int32_t lines);

void fnSetRXFrequency(int32_t freqHz, int32_t captureRangeHz, int32_t channel);
int32_t fnGetRXFrequency(int32_t channel);
void fnSetRXPSKMode(int32_t mode, int32_t channel);
void fnSetAFCLimit(int32_t limitHz, int32_t channel);
void fnSetSquelchThreshold(int32_t level, int32_t speed, int32_t channel);

void fnSetFFTMode(int32_t average, int32_t fullScale, int32_t mode);
int32_t fnGetFFTData(int32_t* data, int32_t firstBin, int32_t lastBin);
int32_t fnGetRawData(int32_t* data, int32_t first, int32_t last);
int32_t fnGetSyncData(int32_t* data, int32_t channel);
int32_t fnGetVectorData(int32_t* data, int32_t channel);
int32_t fnGetSignalLevel(int32_t channel);

void fnSetTXFrequency(int32_t freqHz);
void fnStartTX(int32_t mode);
void fnSendTXCharacter(int32_t character, int32_t control);
void fnStopTX();
void fnAbortTX();
void fnClearTXBuffer();
int32_t fnGetTXCharsRemaining();
void fnSetCWIDString(const char* text);
void fnSetCWIDSpeed(int32_t n);
// ppm: the sound card's sample clock error, positive when it runs fast; input and output are corrected.
void fnSetClockErrorAdjustment(int32_t ppm);
// Both channels decode again the last blocks x 2048 input samples (at most 99 blocks are kept).
void fnRewindInput(int32_t blocks);

// --- Beyond the engine's classic functions: what stands in for the sound card. Taken at the next start. ---

// Input from a WAV file played at real-time pace (empty path: the sound card). Silence follows its end.
void pskSetInputFile(const std::string& path);
// The transmission's audio written to a WAV file, 16-bit mono (empty path: the sound card).
void pskSetOutputFile(const std::string& path);
// The rate of that file, Hz (8000 by default): other rates are converted from the engine's 8000 Hz as for a
// sound card that runs at that rate.
void pskSetOutputFileRate(int32_t rateHz);
// Input from the built-in demonstration band (several simulated stations in noise).
void pskSetDemoInput(bool on);
// True when the machine has an audio capture device.
bool pskHasCaptureDevice();
// True when the machine has an audio playback device.
bool pskHasPlaybackDevice();

// The sound devices PortAudio offers for capture (input true) or playback, by name, as pskSetAudioDevices
// takes them.
std::vector<std::string> pskAudioDeviceNames(bool input);
// The devices of the next start, by name; empty: the desktop's default device. A named device absent at
// start is the error pskerr::InputDeviceAbsent or OutputDeviceAbsent, never another device in its place.
void pskSetAudioDevices(const std::string& input, const std::string& output);

// The serial devices COM1, COM2, ... stand for, in that order (e.g. "/dev/ttyS0", "/dev/ttyUSB0").
std::vector<std::string> pskSerialPortDevices();

// --- The station: how the transmitter is keyed, the rig's dial, the transmit time limit. ---

// How the transmitter is keyed. Serial: the RTS/DTR lines chosen with fnSetComPort (the default).
namespace pskkey {
inline constexpr int32_t None = 0;     // nothing keyed: the rig's VOX
inline constexpr int32_t Serial = 1;
inline constexpr int32_t Cat = 2;      // hamlib: rig model, serial device and speed
inline constexpr int32_t Rigctld = 3;  // hamlib's network rig: a running rigctld at host:port
inline constexpr int32_t Cm108 = 4;    // the GPIO of a CM108 sound interface (/dev/hidrawN) through hamlib
} // namespace pskkey

struct PskRigConfig {
    int32_t keying = pskkey::Serial;
    int32_t model = 0;       // Cat: hamlib's rig model number
    std::string device;      // Cat: serial device; Cm108: hidraw device
    int32_t speed = 0;       // Cat: serial speed, bit/s (0: the model's default)
    std::string address;     // Rigctld: "host:port"
};

// Taken at once; the rig is opened and read on a thread of its own, never the caller's.
void pskSetRig(const PskRigConfig& config);

namespace pskrig {
inline constexpr int32_t Off = 0;        // no rig control
inline constexpr int32_t Opening = 1;
inline constexpr int32_t Answering = 2;  // dial and mode are current (CAT, rigctld) or the GPIO is open (CM108)
inline constexpr int32_t Silent = 3;     // the rig does not answer
} // namespace pskrig

struct PskRigState {
    int32_t status = pskrig::Off;
    bool dialKnown = false;  // the dial is read (CAT and rigctld only), once a second
    int64_t dialHz = 0;
    std::string mode;        // hamlib's name of the mode: "USB", "LSB", "PKTUSB"...
    bool lowerSideband = false;  // the audio offset is below the dial
};
PskRigState pskGetRigState();

struct PskRigModel {
    int32_t model = 0;
    std::string maker;
    std::string name;
};
// hamlib's rig models, by maker then name.
std::vector<PskRigModel> pskRigModels();

// A transmission longer than this is ended with pskerr::TxTimeLimit. 0: no limit. Taken at once.
void pskSetTxTimeLimit(int32_t seconds);

// --- The signal browser: every PSK31 signal of the band found and decoded at once, beside the two channels. ---

// One signal the browser follows. The text is Windows-1252, the latest characters received (at most
// pskBrowserTextLength), oldest first.
struct PskBrowserSignal {
    int32_t id = 0;        // the same for as long as the signal is listed
    double freqHz = 0;     // audio frequency of the carrier
    int32_t mode = 0;      // 0 BPSK, 1 QPSK (USB), 2 QPSK (LSB): as found from the signal
    double snrDb = 0;      // in 3 kHz
    bool receiving = false;  // characters arrived within the last few seconds
    std::string text;
};
inline constexpr std::size_t pskBrowserTextLength = 256;

// Turns the browser on or off; taken at once, and kept across stop and start. Off by default.
void pskSetBrowser(bool on);
// The signals listed now, lowest frequency first; empty while the browser is off or nothing is heard.
std::vector<PskBrowserSignal> pskGetBrowserSignals();
