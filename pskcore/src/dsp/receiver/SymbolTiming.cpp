#include "SymbolTiming.h"

#include <algorithm>
#include <cmath>

namespace pskcore::receiver {
namespace {

const std::array<cf, kSps> kTurn = [] {
    std::array<cf, kSps> t{};
    for (int i = 0; i < kSps; ++i)
        t[i] = std::polar(1.0f, float(2 * kPi * i / kSps));
    return t;
}();

// Distance from b to a around the symbol period, samples in (-kSps/2, kSps/2].
double periodDifference(double a, double b) { return wrapPi((a - b) * 2 * kPi / kSps) * kSps / (2 * kPi); }

} // namespace

SymbolTiming::Event SymbolTiming::push(cf matched, bool held)
{
    const long long n = m_count++;
    const int slot = int(n % kSps);
    const float rate = held ? kProfileRateHeld : kProfileRateFree;
    m_profile[slot] += rate * (std::norm(matched) - m_profile[slot]);

    Event event = Event::None;
    if (double(n) >= m_nextStrobe) {
        strobe(matched, held);
        event = Event::Strobe;
    } else if (m_undecided && double(n) >= m_nextStrobe - kEarlySamples) {
        // The strobe advances by at least 24 samples, so this falls between two strobes.
        const double early = m_nextStrobe - kEarlySamples;
        const cf next = m_lastMatched + (matched - m_lastMatched) * float(early - double(n - 1));
        cf equalized = next * kEqualizerNext;
        for (int i = 0; i < kEqualizerTaps; ++i)
            equalized += m_strobes[i] * kEqualizer[i];
        m_undecided = false;
        m_symbol = equalized;
        event = Event::Symbol;
    }
    m_lastMatched = matched;
    return event;
}

double SymbolTiming::peakFromProfile() const
{
    cf fundamental(0, 0);
    for (int i = 0; i < kSps; ++i)
        fundamental += m_profile[i] * kTurn[i];
    return std::fmod(std::arg(fundamental) / (2 * kPi) * kSps + kSps, kSps);
}

void SymbolTiming::strobe(cf matched, bool held)
{
    // Interpolated between the last two outputs.
    const double frac = m_nextStrobe - double(m_count - 2);
    const cf z = m_lastMatched + (matched - m_lastMatched) * float(frac);
    // The profile's fundamental gives the peak position.
    const double peak = peakFromProfile();
    m_unwrappedPhase += periodDifference(peak, m_profilePhase);
    m_profilePhase = peak;
    const double timingError = periodDifference(peak, std::fmod(m_nextStrobe, kSps));
    m_nextStrobe += kSps + (held ? kStrobeGainHeld : kStrobeGainFree) * timingError;

    std::rotate(m_strobes.begin(), m_strobes.begin() + 1, m_strobes.end());
    m_strobes.back() = z;
    m_undecided = true;
}

std::array<int32_t, 16> SymbolTiming::syncProfile() const
{
    std::array<int32_t, 16> out{};
    const float top = std::max(1e-12f, *std::max_element(m_profile.begin(), m_profile.end()));
    const int shift = int(std::lround(m_profilePhase)) - kSps / 2;
    for (int i = 0; i < 16; ++i) {
        const int a = ((2 * i + shift) % kSps + kSps) % kSps;
        const int b = (a + 1) % kSps;
        out[i] = int32_t(std::lround((m_profile[a] + m_profile[b]) / 2 / top * 1000));
    }
    return out;
}

} // namespace pskcore::receiver
