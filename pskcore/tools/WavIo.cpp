#include "WavIo.h"

#include "pskcore/dsp/Constants.h"
#include "runtime/RegularFile.h"

#include <sndfile.h>

#include <cstdio>
#include <unistd.h>

namespace pskcore {

WavOutput8k::~WavOutput8k()
{
    std::string ignored;
    close(ignored);
}

bool WavOutput8k::open(const std::string& path, std::string& error)
{
    m_path = path;
    m_failed = false;
    m_fd = openRegularFile(path, FileAccess::Write, error);
    if (m_fd < 0)
        return false;
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    m_file = sf_open_fd(m_fd, SFM_WRITE, &info, SF_FALSE);
    if (!m_file) {
        error = path + ": cannot write";
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    // Clip rather than wrap if a caller overdrives.
    sf_command(m_file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    return true;
}

void WavOutput8k::write(std::span<const float> samples)
{
    if (m_file && sf_write_float(m_file, samples.data(), sf_count_t(samples.size())) != sf_count_t(samples.size()))
        m_failed = true;
}

bool WavOutput8k::close(std::string& error)
{
    if (m_file && sf_close(m_file) != 0)
        m_failed = true;
    if (m_fd >= 0 && ::close(m_fd) != 0)
        m_failed = true;
    m_file = nullptr;
    m_fd = -1;
    if (m_failed)
        error = m_path + ": write error";
    return !m_failed;
}

void WavOutput8k::discard()
{
    std::string ignored;
    const bool opened = m_fd >= 0;
    close(ignored);
    if (opened)
        std::remove(m_path.c_str());
}

} // namespace pskcore
