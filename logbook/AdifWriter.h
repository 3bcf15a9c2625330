#pragma once

#include "logbook/QsoRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The .adi form of ADIF 3.1: fields <NAME:LENGTH>DATA, a header ended by <EOH>,
// records ended by <EOR>.
//
// Non-ASCII text (a name such as "Hervé") is written as UTF-8 and LENGTH counts its
// bytes. The .adi form is defined for ASCII only and its _INTL fields are not allowed
// in it; UTF-8 keeps the operator's text as typed, and a byte count is what keeps a
// reader that does not decode UTF-8 in step: it takes LENGTH bytes, shows the one
// field oddly, and reads every following field right. Transliterating ("Herve")
// would lose the text for the many loggers that read UTF-8.

inline constexpr char kAdifVersion[] = "3.1.0";
inline constexpr char kAdifProgramId[] = "Korvo";
inline constexpr char kAdifProgramVersion[] = "1.7c";

// One field; nothing for an empty value, which ADIF treats as absent anyway.
QByteArray adifField(const char *name, const QString &value);

// The header of a new file, stamped with its creation time (UTC).
QByteArray adifHeader(const QDateTime &createdUtc);

// One record on its own line, ended by <EOR>. CALL and STATION_CALLSIGN are written
// upper case, the other texts as typed (trimmed). FREQ (MHz) and BAND only when the
// record has a dial frequency.
QByteArray adifRecord(const QsoRecord &qso);
