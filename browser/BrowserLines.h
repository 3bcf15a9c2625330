#pragma once

#include "engine/BrowserSignal.h"

#include <QString>
#include <cstdint>
#include <vector>

// What a browser line stands out for. A line holding both shows MyCall.
enum class BrowserHighlight { None, Cq, MyCall };

// One line of the browser, ready to show.
struct BrowserLine
{
    int32_t id = 0;
    int freqHz = 0;             // where a click tunes the channel
    QString frequency;          // whole Hz
    QString mode;               // "BPSK" or "QPSK"
    QString snr;                // whole dB, "12 dB"
    QString text;               // on one line, oldest first: shown with the newest at the right
    bool receiving = false;
    BrowserHighlight highlight = BrowserHighlight::None;
};

// "BPSK" for mode 0; "QPSK" for modes 1 (USB) and 2 (LSB).
QString browserModeName(int32_t mode);
QString browserSnrText(double snrDb);
// Received text on one line: a line break (CR, LF or CR LF) or a tab becomes one space,
// other control characters are left out.
QString browserLineText(const QString &received);
// MyCall (trimmed; empty is never matched) or "CQ" as a whole word, whatever the case.
// A word is a run of letters and digits, so "F4ABC/P" holds "F4ABC" but "F4ABCD" does not.
BrowserHighlight browserHighlight(const QString &text, const QString &myCall);
// The lines in the order shown: lowest frequency first, then by id.
std::vector<BrowserLine> browserLines(std::vector<BrowserSignal> found, const QString &myCall);
