#pragma once

#include "pskcore/dsp/Constants.h"

#include <string>

namespace pskcore {

// Decoded bytes (Windows-1252) as terminal text in UTF-8: CR (or LF, or CR LF) is a line break; other control
// codes (C0, DEL, C1) are dropped.
std::string printable(const std::string& bytes);
// A UTF-8 text as a JSON string, quotes included.
std::string jsonString(const std::string& utf8);
// "bpsk", "qpsk-usb" or "qpsk-lsb", as --mode takes it.
const char* modeName(PskMode mode);

} // namespace pskcore
