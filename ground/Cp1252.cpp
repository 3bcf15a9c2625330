#include "ground/Cp1252.h"

#include <pskcore/Cp1252.h>

namespace Cp1252 {

QChar toUnicode(unsigned char byte)
{
    // every code point of the character set lies in the basic plane
    return QChar(static_cast<char16_t>(pskcore::cp1252::toUnicode(byte)));
}

std::optional<unsigned char> fromUnicode(QChar ch)
{
    return pskcore::cp1252::fromUnicode(ch.unicode());
}

QString decode(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char b : bytes)
        text.append(toUnicode(static_cast<unsigned char>(b)));
    return text;
}

QByteArray encode(const QString &text)
{
    QByteArray bytes;
    for (const QChar ch : text)
        if (const auto byte = fromUnicode(ch))
            bytes.append(static_cast<char>(*byte));
    return bytes;
}

} // namespace Cp1252
