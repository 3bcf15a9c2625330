#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// A small .adi reader of the tests' own, written from the format's rules and not from
// the writer: <NAME:LENGTH> (or <NAME:LENGTH:TYPE>) takes exactly LENGTH bytes,
// names are case-insensitive, <EOH> ends the header, <EOR> each record. Anything but
// white space between a field's data and the next '<' is a length that was wrong.
struct AdifFile
{
    QMap<QString, QByteArray> header;
    QList<QMap<QString, QByteArray>> records;
    bool hasHeader = false;
    QString error;   // empty when the text parsed cleanly
};

AdifFile readAdif(const QByteArray &text);
