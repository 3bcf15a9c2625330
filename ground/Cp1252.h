#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <optional>

// Windows-1252, the engine's character set, for Qt text: what the program hands to the
// engine and what the engine reports it received. A thin layer over the engine's own
// codec, so the program and the engine's tools agree on every byte.
namespace Cp1252 {

// The character of one byte.
QChar toUnicode(unsigned char byte);

// The byte of one character, or nothing when the character set has none
// (such a character must not be sent as some other character).
std::optional<unsigned char> fromUnicode(QChar ch);

// Decodes a whole text (a file, a C string from the engine).
QString decode(const QByteArray &bytes);

// Encodes a text for the engine; characters without a byte are left out.
QByteArray encode(const QString &text);

} // namespace Cp1252
