#include "WavIo.h"

#include "pskcore/dsp/Constants.h"
#include "runtime/RegularFile.h"

#include <sndfile.h>

#include <unistd.h>

namespace pskcore {

bool writeWav8k(const std::string& path, const std::vector<float>& samples, std::string& error)
{
    const int fd = openRegularFile(path, FileAccess::Write, error);
    if (fd < 0)
        return false;
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open_fd(fd, SFM_WRITE, &info, SF_FALSE);
    if (!file) {
        ::close(fd);
        error = path + ": cannot write";
        return false;
    }
    // Clip rather than wrap if a caller overdrives.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const sf_count_t written = sf_write_float(file, samples.data(), sf_count_t(samples.size()));
    const bool closed = sf_close(file) == 0;
    const bool synced = ::close(fd) == 0;
    if (written != sf_count_t(samples.size()) || !closed || !synced) {
        error = path + ": write error";
        return false;
    }
    return true;
}

} // namespace pskcore
