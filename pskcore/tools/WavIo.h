#pragma once

#include <span>
#include <string>

typedef struct sf_private_tag SNDFILE;

namespace pskcore {

// An 8000 Hz 16-bit mono WAV file written block by block to a regular file (created or replaced), so a long
// transmission never sits whole in memory. Errors are one line naming the file.
class WavOutput8k {
public:
    WavOutput8k() = default;
    ~WavOutput8k();
    WavOutput8k(const WavOutput8k&) = delete;
    WavOutput8k& operator=(const WavOutput8k&) = delete;

    bool open(const std::string& path, std::string& error);
    void write(std::span<const float> samples);
    // Completes the file; false, with error set, if any write or the completion failed.
    bool close(std::string& error);
    // Closes and deletes a file that cannot be completed.
    void discard();

private:
    std::string m_path;
    int m_fd = -1;
    SNDFILE* m_file = nullptr;
    bool m_failed = false;
};

} // namespace pskcore
