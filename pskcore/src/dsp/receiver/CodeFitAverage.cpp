#include "CodeFitAverage.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace pskcore::receiver {

CodeFitAverage::CodeFitAverage(double spanSymbols) : m_spanSymbols(spanSymbols)
{
    if (!(spanSymbols >= 1))
        throw std::invalid_argument("CodeFitAverage: span below 1 symbol");
}

void CodeFitAverage::update(double gain, double magnitude)
{
    // A plain mean until the average is full, so the first symbols after a clear weigh no more than later ones.
    m_symbols = std::min(m_symbols + 1, m_spanSymbols);
    const double step = 1 / m_symbols;
    m_gain += (gain - m_gain) * step;
    m_magnitude += (magnitude - m_magnitude) * step;
    m_weightSquares = (1 - step) * (1 - step) * m_weightSquares + step * step;
}

void CodeFitAverage::clear()
{
    m_symbols = 0;
    m_gain = 0;
    m_magnitude = 0;
    m_weightSquares = 0;
}

double CodeFitAverage::fit() const { return m_magnitude > 0 ? m_gain / m_magnitude : 0.0; }

double CodeFitAverage::spreadsAboveNoise() const
{
    if (m_magnitude <= 0)
        return 0.0;
    return (fit() - kNoiseFit) / (kSymbolSpread * std::sqrt(m_weightSquares));
}

} // namespace pskcore::receiver
