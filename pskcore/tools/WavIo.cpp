#include "WavIo.h"

#include "pskcore/dsp/Constants.h"
#include "pskcore/dsp/Resampler.h"

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

namespace pskcore {

bool readAudio8k(const std::string& path, std::vector<float>& samples, std::string& error)
{
    samples.clear();
    {
        std::ifstream probe(path, std::ios::binary);
        if (!probe) {
            error = path + ": " + std::strerror(errno);
            return false;
        }
    }
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        error = path + ": not a readable audio file (" + sf_strerror(nullptr) + ")";
        return false;
    }
    if (info.channels < 1 || info.samplerate < 1000 || info.samplerate > 768000) {
        sf_close(file);
        error = path + ": unsupported channel count or sample rate";
        return false;
    }
    // libsndfile reads what is there of a cut WAV/AIFF file and only notes in its log that the header
    // promised more; an operator wants to know the recording is incomplete.
    {
        std::vector<char> log(16384, '\0');
        sf_command(file, SFC_GET_LOG_INFO, log.data(), int(log.size()) - 1);
        const std::string text(log.data());
        for (std::size_t line = 0; line < text.size();) {
            const std::size_t end = std::min(text.find('\n', line), text.size());
            const std::string row = text.substr(line, end - line);
            if ((row.rfind("data", 0) == 0 || row.rfind("SSND", 0) == 0) && row.find("should be") != std::string::npos) {
                sf_close(file);
                error = path + ": truncated file (the audio data ends before its header says)";
                return false;
            }
            line = end + 1;
        }
    }
    // Mixed and resampled block by block: a long recording at a high rate never sits whole in memory.
    const bool resample = info.samplerate != kSampleRate;
    Resampler resampler(double(kSampleRate) / info.samplerate);
    std::vector<float> block(4096 * std::size_t(info.channels));
    std::vector<float> mono;
    sf_count_t framesRead = 0;
    for (;;) {
        const sf_count_t frames = sf_readf_float(file, block.data(), 4096);
        if (frames <= 0)
            break;
        framesRead += frames;
        mono.clear();
        for (sf_count_t f = 0; f < frames; ++f) {
            float sum = 0;
            for (int c = 0; c < info.channels; ++c)
                sum += block[std::size_t(f) * info.channels + c];
            mono.push_back(sum / float(info.channels));
        }
        if (resample)
            resampler.process(mono, samples);
        else
            samples.insert(samples.end(), mono.begin(), mono.end());
    }
    const int status = sf_error(file);
    sf_close(file);
    if (info.frames > 0 && framesRead < info.frames && info.frames != SF_COUNT_MAX) {
        error = path + ": truncated file (" + std::to_string(framesRead) + " of " + std::to_string(info.frames) +
                " frames)";
        samples.clear();
        return false;
    }
    if (status != SF_ERR_NO_ERROR) {
        error = path + ": read error (" + sf_error_number(status) + ")";
        samples.clear();
        return false;
    }
    if (resample) {
        // Flush the filter's look-ahead so the end of the file is not lost.
        const std::vector<float> zeros(std::size_t(info.samplerate / 50), 0.0f);
        resampler.process(zeros, samples);
        const auto expected = std::size_t(double(framesRead) * kSampleRate / info.samplerate);
        samples.resize(std::min(samples.size(), expected));
    }
    return true;
}

bool writeWav8k(const std::string& path, const std::vector<float>& samples, std::string& error)
{
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        error = path + ": cannot write (" + sf_strerror(nullptr) + ")";
        return false;
    }
    // Clip rather than wrap if a caller overdrives.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const sf_count_t written = sf_write_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
    if (written != sf_count_t(samples.size())) {
        error = path + ": write error";
        return false;
    }
    return true;
}

} // namespace pskcore
