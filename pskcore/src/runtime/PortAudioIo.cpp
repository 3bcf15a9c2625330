#include "runtime/PortAudioIo.h"

#include "pskcore/dsp/Constants.h"
#include "pskcore/pskcore.h"

#include <portaudio.h>

#ifdef PSKCORE_HAS_ALSA
#include <alsa/asoundlib.h>
#endif

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <unistd.h>

namespace pskcore {
namespace {

constexpr unsigned long kFramesPerBuffer = kSamplesPerSymbol;

#ifdef PSKCORE_HAS_ALSA
// ALSA prints every probe of an absent device on stderr; the engine reports failures by its codes.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}
#endif

// Pa_Initialize with standard error sent to a temporary file: PortAudio's probe of the
// host APIs makes JACK's client library print its failed connections to an absent server,
// and libjack's own silencing hook is out of reach through PortAudio. What was printed is
// replayed when the initialisation fails, so a real error still reaches the operator.
// Standard error is the process's: another thread's message during the probe is caught too.
PaError initialiseQuietly()
{
    std::fflush(stderr);
    const int savedFd = ::dup(STDERR_FILENO);
    std::FILE* capture = savedFd >= 0 ? std::tmpfile() : nullptr;
    if (!capture || ::dup2(::fileno(capture), STDERR_FILENO) < 0) {
        if (capture)
            std::fclose(capture);
        if (savedFd >= 0)
            ::close(savedFd);
        return Pa_Initialize();
    }
    const PaError result = Pa_Initialize();
    std::fflush(stderr);
    ::dup2(savedFd, STDERR_FILENO);
    ::close(savedFd);
    if (result != paNoError) {
        std::rewind(capture);
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, capture)) > 0;)
            std::fwrite(buffer, 1, n, stderr);
    }
    std::fclose(capture);
    return result;
}

PaError initialise()
{
#ifdef PSKCORE_HAS_ALSA
    snd_lib_error_set_handler(quietAlsa);
#endif
    return initialiseQuietly();
}

// The device named name (empty: device, -1 = the default) in the given direction, or paNoDevice.
PaDeviceIndex findDevice(const std::string& name, int device, bool input)
{
    if (name.empty())
        return device < 0 ? (input ? Pa_GetDefaultInputDevice() : Pa_GetDefaultOutputDevice()) : PaDeviceIndex(device);
    for (PaDeviceIndex index = 0; index < Pa_GetDeviceCount(); ++index) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
        if (info && info->name && name == info->name && (input ? info->maxInputChannels : info->maxOutputChannels) > 0)
            return index;
    }
    return paNoDevice;
}

// Fills params and rateHz for the device in the given direction, at the first rate it takes; an engine
// error code when unusable.
int parametersFor(const std::string& name, int device, bool input, PaStreamParameters& params, int& rateHz)
{
    const PaDeviceIndex index = findDevice(name, device, input);
    if (index == paNoDevice || index < 0 || index >= Pa_GetDeviceCount()) {
        if (!name.empty())
            return input ? pskerr::InputDeviceAbsent : pskerr::OutputDeviceAbsent;
        return pskerr::NoDevice;
    }
    const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
    if (!info || (input ? info->maxInputChannels : info->maxOutputChannels) < 1)
        return pskerr::NoDevice;
    params = {};
    params.device = index;
    params.channelCount = 1;
    params.sampleFormat = paInt16;
    params.suggestedLatency = input ? info->defaultLowInputLatency : info->defaultLowOutputLatency;
    PaError supported = paInvalidSampleRate;
    for (int rate : kDeviceRatesHz) {
        supported = Pa_IsFormatSupported(input ? &params : nullptr, input ? nullptr : &params, rate);
        if (supported == paFormatIsSupported) {
            rateHz = rate;
            return 0;
        }
    }
    return engineErrorFor(supported);
}

// Opens the device in the given direction on an initialised PortAudio and starts it; an engine error code
// when it cannot, then stream may still need closing. prepare is told the rate before the stream starts.
int openStream(const std::string& name, int device, bool input, PaStreamCallback* callback, void* self,
               const std::function<void(int rateHz)>& prepare, PaStream*& stream)
{
    PaStreamParameters params;
    int rateHz = kSampleRate;
    int result = parametersFor(name, device, input, params, rateHz);
    if (result != 0)
        return result;
    prepare(rateHz);
    // The same block duration at any rate.
    const unsigned long frames = kFramesPerBuffer * unsigned(rateHz) / kSampleRate;
    result = engineErrorFor(Pa_OpenStream(&stream, input ? &params : nullptr, input ? nullptr : &params, rateHz,
                                          frames, paClipOff, callback, self));
    if (result == 0)
        result = engineErrorFor(Pa_StartStream(stream));
    return result;
}

// Stops and closes stream, if open, and releases PortAudio, if taken.
void closeStream(PaStream*& stream, bool& initialised, bool waitForPlayback)
{
    if (stream) {
        if (waitForPlayback)
            Pa_StopStream(stream);
        else
            Pa_AbortStream(stream);
        Pa_CloseStream(stream);
        stream = nullptr;
    }
    if (initialised)
        Pa_Terminate();
    initialised = false;
}

} // namespace

int engineErrorFor(PaError error)
{
    switch (error) {
    case paNoError:
        return 0;
    case paInvalidSampleRate:
    case paSampleFormatNotSupported:
    case paInvalidChannelCount:
    case paIncompatibleHostApiSpecificStreamInfo:
        return pskerr::FormatRefused;
    case paDeviceUnavailable:
        return pskerr::DeviceBusy;
    case paInvalidDevice:
    case paNoDevice:
        return pskerr::NoDevice;
    case paInsufficientMemory:
        return pskerr::OutOfMemory;
    default:
        return pskerr::InitFailed;
    }
}

namespace {

bool hasDefaultDevice(PaDeviceIndex (*defaultDevice)())
{
    if (initialise() != paNoError)
        return false;
    const bool present = defaultDevice() != paNoDevice;
    Pa_Terminate();
    return present;
}

} // namespace

bool portAudioHasCapture() { return hasDefaultDevice(&Pa_GetDefaultInputDevice); }

bool portAudioHasPlayback() { return hasDefaultDevice(&Pa_GetDefaultOutputDevice); }

std::vector<std::string> portAudioDeviceNames(bool input)
{
    std::vector<std::string> names;
    if (initialise() != paNoError)
        return names;
    for (PaDeviceIndex index = 0; index < Pa_GetDeviceCount(); ++index) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
        if (info && info->name && (input ? info->maxInputChannels : info->maxOutputChannels) > 0)
            names.emplace_back(info->name);
    }
    Pa_Terminate();
    return names;
}

PortAudioInput::~PortAudioInput() { stop(); }

int PortAudioInput::start(int device, Deliver deliver)
{
    stop();
    if (initialise() != paNoError)
        return pskerr::InitFailed;
    m_initialised = true;
    m_deliver = std::move(deliver);
    m_converter.reset();
    const int result = openStream(m_name, device, true, &callback, this, [this](int rateHz) {
        if (rateHz != kSampleRate)
            m_converter.emplace(rateHz, m_deliver);
    }, m_stream);
    if (result != 0)
        stop();
    return result;
}

void PortAudioInput::stop() { closeStream(m_stream, m_initialised, false); }

bool PortAudioInput::healthy() { return m_stream && Pa_IsStreamActive(m_stream) == 1; }

int PortAudioInput::callback(const void* input, void*, unsigned long frames, const PaStreamCallbackTimeInfo*, unsigned long, void* self)
{
    auto* me = static_cast<PortAudioInput*>(self);
    if (!input)
        return paContinue;
    const auto* pcm = static_cast<const int16_t*>(input);
    float block[kFramesPerBuffer * 4];
    while (frames > 0) {
        const unsigned long count = std::min<unsigned long>(frames, std::size(block));
        for (unsigned long n = 0; n < count; ++n)
            block[n] = float(pcm[n]) / 32768.0f;
        if (me->m_converter)
            me->m_converter->deliver(block, count);
        else
            me->m_deliver(block, count);
        pcm += count;
        frames -= count;
    }
    return paContinue;
}

PortAudioOutput::~PortAudioOutput() { close(false); }

int PortAudioOutput::check(int device)
{
    if (initialise() != paNoError)
        return pskerr::InitFailed;
    PaStreamParameters params;
    int rateHz = kSampleRate;
    const int result = parametersFor(m_name, device, false, params, rateHz);
    Pa_Terminate();
    return result;
}

int PortAudioOutput::start(int device, Fill fill, Underflow underflow)
{
    close(false);
    if (initialise() != paNoError)
        return pskerr::InitFailed;
    m_initialised = true;
    m_fill = std::move(fill);
    m_underflow = std::move(underflow);
    m_converter.reset();
    const int result = openStream(m_name, device, false, &callback, this, [this](int rateHz) {
        if (rateHz != kSampleRate)
            m_converter.emplace(rateHz, m_fill);
    }, m_stream);
    if (result != 0)
        close(false);
    return result;
}

// Pa_StopStream returns once the buffers handed to the card have been played.
void PortAudioOutput::drain() { close(true); }

void PortAudioOutput::abort() { close(false); }

void PortAudioOutput::close(bool waitForPlayback) { closeStream(m_stream, m_initialised, waitForPlayback); }

int PortAudioOutput::callback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
                              unsigned long statusFlags, void* self)
{
    auto* me = static_cast<PortAudioOutput*>(self);
    if (statusFlags & paOutputUnderflow)
        me->m_underflow();
    auto* pcm = static_cast<int16_t*>(output);
    float block[kFramesPerBuffer * 4];
    while (frames > 0) {
        const unsigned long count = std::min<unsigned long>(frames, std::size(block));
        if (me->m_converter)
            me->m_converter->fill(block, count);
        else
            me->m_fill(block, count);
        for (unsigned long n = 0; n < count; ++n)
            pcm[n] = int16_t(std::clamp(block[n] * 32767.0f, -32768.0f, 32767.0f));
        pcm += count;
        frames -= count;
    }
    return paContinue;
}

} // namespace pskcore
