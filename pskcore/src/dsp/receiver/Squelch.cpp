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
    m_quality += weight * (closeness - m_quality) / std::max(1.0, tau);
    m_slowQuality += weight * (closeness - m_slowQuality) / std::max(1.0, kSlowSpan * tau);
    m_holdQuality += weight * (closeness - m_holdQuality) / std::max(1.0, kHoldSpan * tau);
    const int lvl = level();
    if (m_threshold == 0 || lvl >= m_threshold || codeFits()) {
        // The hold average starts from where the slow one stands, or it would hold nothing for seconds.
        if (!m_open)
            m_holdQuality = std::max(m_holdQuality, m_slowQuality);
        m_open = true;
    } else if ((lvl < m_threshold - kHysteresis || lvl == 0) && !(m_slowHold && m_holdQuality >= holdFloor())) {
        m_open = false;
    }
}

void Squelch::updateCodeFit(double gain, double magnitude)
{
    // A plain mean until the average is full, so the first symbols after a clear weigh no more than later ones.
    m_codeFitSymbols = std::min(m_codeFitSymbols + 1, kCodeFitSymbols);
    m_codeGain += (gain - m_codeGain) / m_codeFitSymbols;
    m_changeMagnitude += (magnitude - m_changeMagnitude) / m_codeFitSymbols;
}

bool Squelch::codeFits() const
{
    // Only a full average: over fewer symbols noise fits the code as well as a weak signal.
    if (!m_slowHold || m_codeFitSymbols < kCodeFitSymbols || m_changeMagnitude <= 0)
        return false;
    const double floor = kCodeFitOpen + std::max(0, m_threshold - kDefaultThreshold) * kCodeFitPerStep;
    return m_codeGain / m_changeMagnitude >= floor;
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
    m_codeGain = 0;
    m_changeMagnitude = 0;
    m_codeFitSymbols = 0;
    m_open = false;
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
