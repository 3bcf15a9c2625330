#pragma once

// The WAV file the transmission goes to when a file stands in for the sound card.

#include <mutex>
#include <span>
#include <string>

typedef struct sf_private_tag SNDFILE;

namespace pskcore {

// A 16-bit mono WAV file written block by block; the header is kept valid as it grows.
class WavWriter {
public:
    ~WavWriter();
    // Creates or replaces a regular file (nothing else: a FIFO would block, a device would be lost).
    bool open(const std::string& path, int rateHz);
    void write(std::span<const float> samples);
    void close();

private:
    std::mutex m_mutex;
    int m_fd = -1;
    SNDFILE* m_file = nullptr;
};

} // namespace pskcore
