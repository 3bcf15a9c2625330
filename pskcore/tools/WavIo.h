#pragma once

#include <string>
#include <vector>

namespace pskcore {

// Writes 8000 Hz 16-bit mono WAV to a regular file (created or replaced). On failure returns false and sets
// error to a one-line message.
bool writeWav8k(const std::string& path, const std::vector<float>& samples, std::string& error);

} // namespace pskcore
