#pragma once

// The audio-file reading path fed arbitrary bytes, as the fuzzer and the corpus regression test both do:
// the bytes become a memory file (a regular file, as the reader demands) read to its end.

#include "runtime/AudioFileReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace pskcore::fuzz {

// Ten seconds: past the header and the first blocks every path of the reader has run; a header may claim
// hours, the read stops here.
inline constexpr std::size_t kMaxSamplesRead = std::size_t(8000) * 10;

// Reads bytes as an audio file. Returns false if the reader refused them at open; error then holds its message.
inline bool readAudioBytes(const uint8_t* data, std::size_t size, std::string& error)
{
    const int fd = ::memfd_create("audio", MFD_CLOEXEC);
    if (fd < 0)
        return false;
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0)
            break;
        done += std::size_t(n);
    }
    AudioFileReader reader;
    const bool opened = reader.open("/proc/self/fd/" + std::to_string(fd), error);
    std::vector<float> samples;
    std::size_t total = 0;
    while (opened && total < kMaxSamplesRead && reader.read(samples)) {
        total += samples.size();
        samples.clear();
    }
    ::close(fd);
    return opened;
}

} // namespace pskcore::fuzz
