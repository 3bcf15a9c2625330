#include "Options.h"

#include <cmath>
#include <cstdlib>

namespace pskcore {

std::optional<double> parseNumber(const std::string& text, double lo, double hi)
{
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value) || value < lo || value > hi)
        return std::nullopt;
    return value;
}

std::optional<PskMode> parseMode(const std::string& text)
{
    if (text == "bpsk")
        return PskMode::Bpsk;
    if (text == "qpsk-usb" || text == "qpsk")
        return PskMode::QpskUsb;
    if (text == "qpsk-lsb")
        return PskMode::QpskLsb;
    return std::nullopt;
}

} // namespace pskcore
