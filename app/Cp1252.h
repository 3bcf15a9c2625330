#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <optional>

// Windows-1252, the engine's character set: what the transmit pane hands to the
// engine and what the engine reports it received. Bytes 0x81, 0x8D, 0x8F, 0x90 and
// 0x9D have no character of their own and map to the C1 controls of the same
// number, as the platform's own conversion does, so every byte round-trips.
namespace Cp1252 {

// The character of one byte.
QChar toUnicode(unsigned char byte);

// The byte of one character, or nothing when the character set has none
// (such a character must not be sent as some other character).
std::optional<unsigned char> fromUnicode(QChar ch);

// Decodes a whole text (a file, a C string from the engine).
QString decode(const QByteArray &bytes);

} // namespace Cp1252
