#pragma once

#include <string>

namespace pskcore {

// Windows-1252 bytes (the code page of the air text) to UTF-8 for the terminal.
std::string cp1252ToUtf8(const std::string& bytes);
// A control code of the air text: C0 (below 0x20), DEL, and the bytes Windows-1252 leaves undefined, which
// stand for C1 control codes.
bool isCp1252Control(unsigned char byte);
// UTF-8 to Windows-1252; characters the code page lacks (and invalid UTF-8) become '?'.
std::string utf8ToCp1252(const std::string& utf8);

} // namespace pskcore
