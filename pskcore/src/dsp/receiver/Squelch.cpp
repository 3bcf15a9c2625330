#include "Squelch.h"

#include <algorithm>
#include <cmath>

namespace pskcore::receiver {

void Squelch::configure(int threshold, int speed)
{
    m_threshold = std::clamp(threshold, 0, 99);
    m_speed = std::clamp(speed, 0, 200);
}

void Squelch::update(double closeness, double relativePower)
{
    const double tau = 32.0 / (1.0 + m_speed / 10.0);
    const double weight = std::clamp(relativePower, kMinWeight, 1.0);
    const double holdStep = weight / std::max(1.0, kHoldSpan * tau);
    m_quality += weight * (closeness - m_quality) / std::max(1.0, tau);
    m_slowQuality += weight * (closeness - m_slowQuality) / std::max(1.0, kSlowSpan * tau);
    m_holdQuality += holdStep * (closeness - m_holdQuality);
    m_holdLift *= 1 - holdStep;
    m_falseOpeningSymbols = 0;
    const int lvl = level();
    if (m_threshold == 0 || lvl >= m_threshold || codeFits() || (m_open && longCodeFitHolds())) {
        if (!m_open)
            startOpening();
        m_open = true;
    } else if ((lvl < m_threshold - kHysteresis || lvl == 0) && !(m_slowHold && m_holdQuality >= holdFloor())) {
        if (m_open && !m_confirmed) {
            m_falseOpeningSymbols = m_openSymbols;
            dropHoldLift();
        }
        m_open = false;
    }
    if (m_open && !m_confirmed)
        confirmOpening();
}

void Squelch::startOpening()
{
    // The hold average starts from where the slow one stands, or it would hold nothing for seconds.
    m_holdLift = std::max(0.0, m_slowQuality - m_holdQuality);
    m_holdQuality += m_holdLift;
    m_openSymbols = 0;
    m_promisingAtOpening = m_slowHold && m_codeFit.spreadsAboveNoise() >= kPromisingSpreads;
    // BPSK's quick reading stands clear of noise by itself.
    m_confirmed = !m_slowHold;
}

void Squelch::confirmOpening()
{
    ++m_openSymbols;
    if (slowLevel() >= m_threshold || codeFits() || codeFitClearOfNoise(kConfirmSpreads)) {
        m_confirmed = true;
        m_holdLift = 0;
    } else if (m_openSymbols > kLiftSymbols && (m_promisingAtOpening || !codeFitClearOfNoise(kPromisingSpreads))) {
        dropHoldLift();
    }
}

void Squelch::dropHoldLift()
{
    m_holdQuality -= m_holdLift;
    m_holdLift = 0;
}

void Squelch::updateCodeFit(double gain, double magnitude)
{
    m_codeFit.update(gain, magnitude);
    m_recentCodeFit.update(gain, magnitude);
    m_longCodeFit.update(gain, magnitude);
}

bool Squelch::codeFits() const
{
    // Only a full average: over fewer symbols noise fits the code as well as a weak signal.
    if (!m_slowHold || !m_codeFit.full())
        return false;
    const double floor = kCodeFitOpen + std::max(0, m_threshold - kDefaultThreshold) * kCodeFitPerStep;
    return m_codeFit.fit() >= floor;
}

bool Squelch::longCodeFitHolds() const
{
    const double floor = kLongCodeFitSpreads + std::max(0, m_threshold - kDefaultThreshold) * kLongSpreadsPerStep;
    return m_slowHold && m_longCodeFit.spreadsAboveNoise() >= floor
           && m_codeFit.spreadsAboveNoise() >= kLongHoldSpreads;
}

bool Squelch::codeFitClearOfNoise(double spreads) const
{
    return m_slowHold &&
           (m_codeFit.spreadsAboveNoise() >= spreads || m_recentCodeFit.spreadsAboveNoise() >= spreads);
}

double Squelch::holdFloor() const
{
    // A threshold above the default raises the floor as far as it raises the opening level.
    return kHoldQuality + std::max(0, m_threshold - kDefaultThreshold) * kQualitySpan / 100.0;
}

void Squelch::clear()
{
    m_quality = 0;
    m_slowQuality = 0;
    m_holdQuality = 0;
    m_holdLift = 0;
    m_codeFit.clear();
    m_recentCodeFit.clear();
    m_longCodeFit.clear();
    m_open = false;
    m_confirmed = false;
    m_promisingAtOpening = false;
    m_openSymbols = 0;
    m_falseOpeningSymbols = 0;
}

int Squelch::levelOf(double quality, double qualityAtZero)
{
    return std::clamp(int(std::lround((quality - qualityAtZero) / kQualitySpan * 100)), 0, 100);
}

int Squelch::slowLevel() const { return levelOf(m_slowQuality, kSlowQualityAtZero); }

int Squelch::level() const
{
    const int quick = levelOf(m_quality, kQualityAtZero);
    return m_slowHold ? std::max(quick, slowLevel()) : quick;
}

} // namespace pskcore::receiver
