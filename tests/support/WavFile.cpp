#include "tests/support/WavFile.h"

#include <sndfile.h>

std::vector<float> readWav(const QString &path)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(path.toLocal8Bit().constData(), SFM_READ, &info);
    std::vector<float> samples;
    if (!file)
        return samples;
    samples.resize(std::size_t(info.frames));
    sf_read_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
    return samples;
}
