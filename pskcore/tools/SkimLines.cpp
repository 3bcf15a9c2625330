#include "SkimLines.h"

#include "ToolText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace pskcore {

namespace {
bool lineBreak(char c) { return c == '\r' || c == '\n'; }
} // namespace

void SkimLines::add(const std::vector<BrowserText>& decoded, double nowSeconds, std::vector<Record>& out)
{
    for (const BrowserText& d : decoded) {
        auto [it, fresh] = m_pending.try_emplace(d.id);
        Pending& p = it->second;
        if (fresh || p.record.bytes.empty())
            p.sinceSeconds = nowSeconds;
        p.record.id = d.id;
        p.record.freqHz = d.freqHz;
        p.record.mode = d.mode;
        p.record.snrDb = d.snrDb;
        for (char c : d.bytes) {
            if (!lineBreak(c)) {
                p.record.bytes += c;
                continue;
            }
            // CR LF is one break: an empty line is not a record.
            if (!p.record.bytes.empty())
                out.push_back(p.record);
            p.record.bytes.clear();
            p.sinceSeconds = nowSeconds;
        }
    }
}

void SkimLines::tick(const std::vector<BrowserSignal>& listed, double nowSeconds, std::vector<Record>& out)
{
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        Pending& p = it->second;
        const bool gone = std::none_of(listed.begin(), listed.end(), [&](const auto& s) { return s.id == it->first; });
        if (!p.record.bytes.empty() && (gone || nowSeconds - p.sinceSeconds >= kFlushSeconds)) {
            out.push_back(p.record);
            p.record.bytes.clear();
            p.sinceSeconds = nowSeconds;
        }
        it = gone ? m_pending.erase(it) : std::next(it);
    }
}

void SkimLines::flush(std::vector<Record>& out)
{
    for (auto& [id, p] : m_pending)
        if (!p.record.bytes.empty())
            out.push_back(p.record);
    m_pending.clear();
}

std::string skimJson(const SkimLines::Record& record, const std::string& utcIso)
{
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "\"freq_hz\": %.1f, \"mode\": \"%s\", \"snr_db\": %.1f",
                  std::isfinite(record.freqHz) ? record.freqHz : 0.0, modeName(record.mode),
                  std::isfinite(record.snrDb) ? record.snrDb : 0.0);
    return "{\"utc\": \"" + utcIso + "\", \"id\": " + std::to_string(record.id) + ", " + numbers +
           ", \"text\": " + jsonString(printable(record.bytes)) + "}\n";
}

} // namespace pskcore
