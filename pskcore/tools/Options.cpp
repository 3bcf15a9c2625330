#include "Options.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace pskcore {

std::optional<double> parseNumber(const std::string& text, double lo, double hi)
{
    // Plain decimal only: an optional sign, digits, an optional fraction. No spaces, hex, exponent or "inf".
    const std::size_t start = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    std::size_t digits = 0, points = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i])))
            ++digits;
        else if (text[i] == '.' && ++points == 1)
            continue;
        else
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;
    // from_chars takes no '+' and reads the same in every locale.
    const std::string number = text.substr(text[0] == '+' ? 1 : 0);
    double value = 0;
    const auto [end, status] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (status != std::errc() || end != number.data() + number.size() || !std::isfinite(value) || value < lo ||
        value > hi)
        return std::nullopt;
    return value;
}

std::string versionLine(const std::string& tool)
{
    return tool + " (Korvo) " KORVO_VERSION_TEXT;
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
