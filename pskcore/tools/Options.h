#pragma once

#include "pskcore/dsp/Constants.h"

#include <optional>
#include <string>

namespace pskcore {

// Command-line value parsing for the tools: the whole string must be a plain decimal number (sign, digits,
// fraction) within [lo, hi].
std::optional<double> parseNumber(const std::string& text, double lo, double hi);
// What --version prints: "<tool> (Korvo) <version>".
std::string versionLine(const std::string& tool);
// "bpsk", "qpsk-usb" or "qpsk-lsb".
std::optional<PskMode> parseMode(const std::string& text);

} // namespace pskcore
