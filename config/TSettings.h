#pragma once

#include <QString>

// The general settings held in memory, loaded at start-up and replaced by the
// configuration dialog. Field names are the names of their stored values.
struct TSettings
{
    QString MyCall = QStringLiteral("NOCALL");
    bool ShowUTCTime = true;
    bool SpectrumPlain = true;
    int DateFormat = 0;        // index into the date format table, 0-5
    QString DatePattern;       // derived from DateFormat
    int CWIDSpeed = 2;         // index 0-3; the engine is given index + 1
    QString CWID = QStringLiteral("NOCALL");
    int ComPort = 1;           // n of COMn
    int PTTControl = 0;        // 0 none, 1 RTS, 2 DTR, 3 both
    int RXMode = 0;            // 0 BPSK, 1 QPSK (USB), 2 QPSK (LSB)
    int Blocks = 1;            // replay length in blocks of 0.256 s, 1-99
    int PPMAdjust = 0;         // sound-card clock correction, ppm
    int WFMin = 100;           // displayed band, Hz
    int WFMax = 3500;
};
