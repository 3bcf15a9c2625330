#pragma once

#include <string>
#include <vector>

namespace pskcore {

// Reads any file libsndfile reads, mixed to mono and resampled to 8000 Hz. On failure returns false and
// sets error to a one-line message.
bool readAudio8k(const std::string& path, std::vector<float>& samples, std::string& error);
// Writes 8000 Hz 16-bit mono WAV. On failure returns false and sets error.
bool writeWav8k(const std::string& path, const std::vector<float>& samples, std::string& error);

} // namespace pskcore
