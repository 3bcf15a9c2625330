#pragma once

#include "ReceiverTypes.h"

#include <optional>
#include <vector>

namespace pskcore::receiver {

// IMD on idle: the two tones at +-15.625 Hz against the third-order products at +-46.875 Hz, over the last 64
// symbols of baseband, read on a stretch of pure idle reversals of a strong signal, every two seconds at most.
class ImdMeter {
public:
    void pushBaseband(cf lowPassed);
    // After each symbol: reversal: it was an idle reversal; level: the squelch level.
    void afterSymbol(bool reversal, int level);
    std::optional<int> take();

private:
    static constexpr int kSamples = 2048;          // 64 symbols of baseband
    static constexpr long long kMinReversals = 68;
    static constexpr long long kMinSymbolsBetween = 64;
    static constexpr int kMinLevel = 50;

    void measure();

    std::vector<cf> m_buffer = std::vector<cf>(kSamples);
    int m_pos = 0;
    long long m_reversalRun = 0;
    long long m_symbolsSince = 0;
    std::optional<int> m_imdDb;
};

} // namespace pskcore::receiver
