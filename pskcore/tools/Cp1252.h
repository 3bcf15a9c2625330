#pragma once

#include <string>

namespace pskcore {

// Windows-1252 bytes (the code page of the air text) to UTF-8 for the terminal.
std::string cp1252ToUtf8(const std::string& bytes);
// UTF-8 to Windows-1252; characters the code page lacks (and invalid UTF-8) become '?'.
std::string utf8ToCp1252(const std::string& utf8);

} // namespace pskcore
