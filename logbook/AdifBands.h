#pragma once

#include <QString>
#include <QtGlobal>

// The ADIF band enumeration's name for a frequency ("20m" for 14.070 MHz), or an
// empty string outside every band. Edges are inclusive, as ADIF gives them.
QString adifBandFor(quint64 frequencyHz);
