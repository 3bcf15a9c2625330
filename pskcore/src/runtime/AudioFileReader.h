#pragma once

// A recording read block by block: any file libsndfile reads, at any rate and channel count, mixed to mono
// and resampled to 8000 Hz as it is read, so a recording of any length takes the same little memory.

#include "pskcore/dsp/Resampler.h"

#include <cstdint>
#include <string>
#include <vector>

typedef struct sf_private_tag SNDFILE;

namespace pskcore {

class AudioFileReader {
public:
    AudioFileReader() = default;
    ~AudioFileReader();
    AudioFileReader(const AudioFileReader&) = delete;
    AudioFileReader& operator=(const AudioFileReader&) = delete;

    // Opens a regular file (never blocks on a FIFO or a device). False, with a one-line message naming the
    // file, when it cannot be opened or is no audio file this reader can use.
    bool open(const std::string& path, std::string& error);
    // Appends the next samples (a few thousand at most) to out. False once the recording is over.
    bool read(std::vector<float>& out);
    // Empty while the recording reads well; otherwise one line naming the file: it is truncated (known at
    // open from its header, or at its end) or a read failed. What could be read is still delivered.
    const std::string& problem() const { return m_problem; }

private:
    void close();
    void checkHeaderLength();
    void checkOggEnd(int fd);
    void finish(std::vector<float>& out);

    std::string m_path;
    int m_fd = -1;
    SNDFILE* m_file = nullptr;
    int m_channels = 1;
    int m_rateHz = 0;
    int64_t m_declaredFrames = 0;
    int64_t m_framesRead = 0;
    int64_t m_samplesOut = 0;
    bool m_ended = true;
    Resampler m_resampler;
    std::vector<float> m_frames;
    std::vector<float> m_mono;
    std::string m_problem;
};

} // namespace pskcore
