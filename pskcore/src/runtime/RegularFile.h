#pragma once

// Files the engine and its tools read or write are regular files only: opening a FIFO blocks until someone
// writes to it, a device never ends or is replaced by a file. These openings never block.

#include <string>

namespace pskcore {

enum class FileAccess { Read, Write };

// Opens path (for writing: created or truncated) if it is a regular file. Returns the descriptor (blocking
// mode, close-on-exec), or -1 with error set to one line naming the file.
int openRegularFile(const std::string& path, FileAccess access, std::string& error);

} // namespace pskcore
