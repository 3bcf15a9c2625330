#pragma once

#include "pskcore/dsp/BandBrowser.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace pskcore {

// Turns the signal browser's characters into skimmer records: one per completed line of text of a signal,
// or its text so far once it has waited kFlushSeconds (stream time), or when the signal leaves the list.
// Holds only the signals listed now, so its memory stays bounded however long it runs.
class SkimLines {
public:
    static constexpr double kFlushSeconds = 10.0;

    struct Record {
        int id;
        double freqHz;
        PskMode mode;
        double snrDb;
        std::string bytes; // Windows-1252, no line break
    };

    // Characters delivered at stream time nowSeconds.
    void add(const std::vector<BrowserText>& decoded, double nowSeconds, std::vector<Record>& out);
    // Text that has waited long enough, and that of signals no longer listed.
    void tick(const std::vector<BrowserSignal>& listed, double nowSeconds, std::vector<Record>& out);
    // Everything still held.
    void flush(std::vector<Record>& out);

private:
    struct Pending {
        Record record;
        double sinceSeconds = 0; // when the held text began
    };
    std::map<int, Pending> m_pending;
};

// One record as a JSON line: UTC time (utcIso, e.g. 2026-12-10T16:20:05Z), frequency, mode, SNR and text.
std::string skimJson(const SkimLines::Record& record, const std::string& utcIso);

} // namespace pskcore
