#include "logbook/AdifBands.h"

namespace {

struct Band
{
    const char *name;
    quint64 lowHz;
    quint64 highHz;
};

constexpr quint64 kHz = 1000;
constexpr quint64 MHz = 1000 * kHz;

// ADIF 3.1's Band enumeration, lower and upper edges.
constexpr Band kBands[] = {
    {"2190m", 135700, 137800},
    {"630m", 472 * kHz, 479 * kHz},
    {"560m", 501 * kHz, 504 * kHz},
    {"160m", 1800 * kHz, 2000 * kHz},
    {"80m", 3500 * kHz, 4000 * kHz},
    {"60m", 5060 * kHz, 5450 * kHz},
    {"40m", 7000 * kHz, 7300 * kHz},
    {"30m", 10100 * kHz, 10150 * kHz},
    {"20m", 14000 * kHz, 14350 * kHz},
    {"17m", 18068 * kHz, 18168 * kHz},
    {"15m", 21000 * kHz, 21450 * kHz},
    {"12m", 24890 * kHz, 24990 * kHz},
    {"10m", 28000 * kHz, 29700 * kHz},
    {"6m", 50 * MHz, 54 * MHz},
    {"4m", 70 * MHz, 71 * MHz},
    {"2m", 144 * MHz, 148 * MHz},
    {"1.25m", 222 * MHz, 225 * MHz},
    {"70cm", 420 * MHz, 450 * MHz},
    {"33cm", 902 * MHz, 928 * MHz},
    {"23cm", 1240 * MHz, 1300 * MHz},
    {"13cm", 2300 * MHz, 2450 * MHz},
    {"9cm", 3300 * MHz, 3500 * MHz},
    {"6cm", 5650 * MHz, 5925 * MHz},
    {"3cm", 10000 * MHz, 10500 * MHz},
    {"1.25cm", 24000 * MHz, 24250 * MHz},
    {"6mm", 47000 * MHz, 47200 * MHz},
    {"4mm", 75500 * MHz, 81000 * MHz},
    {"2.5mm", 119980 * MHz, 120020 * MHz},
    {"2mm", 142000 * MHz, 149000 * MHz},
    {"1mm", 241000 * MHz, 250000 * MHz},
};

} // namespace

QString adifBandFor(quint64 frequencyHz)
{
    for (const Band &band : kBands)
        if (frequencyHz >= band.lowHz && frequencyHz <= band.highHz)
            return QString::fromLatin1(band.name);
    return {};
}
