#include "runtime/WavFiles.h"

#include "runtime/RegularFile.h"

#include <sndfile.h>

#include <unistd.h>

namespace pskcore {

WavWriter::~WavWriter() { close(); }

bool WavWriter::open(const std::string& path, int rateHz)
{
    close();
    std::lock_guard lock(m_mutex);
    SF_INFO info{};
    info.samplerate = rateHz;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    std::string error;
    m_fd = openRegularFile(path, FileAccess::Write, error);
    if (m_fd < 0)
        return false;
    m_file = sf_open_fd(m_fd, SFM_WRITE, &info, SF_FALSE);
    if (!m_file) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
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
    if (m_fd >= 0)
        ::close(m_fd);
    m_file = nullptr;
    m_fd = -1;
}

} // namespace pskcore
