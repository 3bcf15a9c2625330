#pragma once

// WAV files standing in for the sound card: the recording played as input, the file the transmission goes to.

#include <mutex>
#include <span>
#include <string>
#include <vector>

typedef struct sf_private_tag SNDFILE;

namespace pskcore {

// Reads any file libsndfile reads, mixed to mono and brought to 8000 Hz. False when it cannot be read.
bool loadAudio8k(const std::string& path, std::vector<float>& samples);

// An 8000 Hz 16-bit mono WAV file written block by block; the header is kept valid as it grows.
class WavWriter {
public:
    ~WavWriter();
    bool open(const std::string& path);
    void write(std::span<const float> samples);
    void close();

private:
    std::mutex m_mutex;
    SNDFILE* m_file = nullptr;
};

} // namespace pskcore
