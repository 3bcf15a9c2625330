#include "runtime/WavFiles.h"

#include "pskcore/dsp/Constants.h"
#include "pskcore/dsp/Resampler.h"

#include <sndfile.h>

namespace pskcore {
namespace {

constexpr sf_count_t kReadFrames = 4096; // frames read at a time

} // namespace

bool loadAudio8k(const std::string& path, std::vector<float>& samples)
{
    samples.clear();
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return false;
    if (info.channels < 1 || info.samplerate < 1000 || info.samplerate > 768000) {
        sf_close(file);
        return false;
    }
    std::vector<float> mono;
    std::vector<float> block(std::size_t(kReadFrames) * std::size_t(info.channels));
    sf_count_t frames;
    while ((frames = sf_readf_float(file, block.data(), kReadFrames)) > 0) {
        for (sf_count_t f = 0; f < frames; ++f) {
            float sum = 0;
            for (int c = 0; c < info.channels; ++c)
                sum += block[std::size_t(f) * std::size_t(info.channels) + std::size_t(c)];
            mono.push_back(sum / float(info.channels));
        }
    }
    sf_close(file);
    if (info.samplerate == kSampleRate) {
        samples = std::move(mono);
        return true;
    }
    Resampler resampler(double(kSampleRate) / info.samplerate);
    resampler.process(mono, samples);
    return true;
}

WavWriter::~WavWriter() { close(); }

bool WavWriter::open(const std::string& path)
{
    close();
    std::lock_guard lock(m_mutex);
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    m_file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!m_file)
        return false;
    // Someone may read the file while the engine still runs: keep the header up to date.
    sf_command(m_file, SFC_SET_UPDATE_HEADER_AUTO, nullptr, SF_TRUE);
    sf_command(m_file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    return true;
}

void WavWriter::write(std::span<const float> samples)
{
    std::lock_guard lock(m_mutex);
    if (m_file)
        sf_write_float(m_file, samples.data(), sf_count_t(samples.size()));
}

void WavWriter::close()
{
    std::lock_guard lock(m_mutex);
    if (m_file)
        sf_close(m_file);
    m_file = nullptr;
}

} // namespace pskcore
