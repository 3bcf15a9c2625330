#pragma once

#include <QString>
#include <cstdint>

// One signal the engine's browser follows, as the program sees it.
struct BrowserSignal
{
    int32_t id = 0;          // the same for as long as the signal is listed
    double freqHz = 0;       // audio frequency of the carrier
    int32_t mode = 0;        // 0 BPSK, 1 QPSK (USB), 2 QPSK (LSB), as found from the signal
    double snrDb = 0;        // in 3 kHz
    bool receiving = false;  // characters arrived within the last few seconds
    QString text;            // the latest characters received, oldest first
};
