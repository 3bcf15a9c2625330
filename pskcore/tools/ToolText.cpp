#include "ToolText.h"

#include "pskcore/Cp1252.h"

#include <cstdio>

namespace pskcore {

std::string printable(const std::string& bytes)
{
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r')
            text += '\n';
        else if (c == '\n') {
            if (i == 0 || bytes[i - 1] != '\r')
                text += '\n';
        } else if (!cp1252::isControl(c))
            text += char(c);
    }
    return cp1252::toUtf8(text);
}

std::string jsonString(const std::string& utf8)
{
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += char(c);
            }
        }
    }
    return out + "\"";
}

const char* modeName(PskMode mode)
{
    return mode == PskMode::Bpsk ? "bpsk" : mode == PskMode::QpskUsb ? "qpsk-usb" : "qpsk-lsb";
}

} // namespace pskcore
