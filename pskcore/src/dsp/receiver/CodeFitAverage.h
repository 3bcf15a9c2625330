#pragma once

namespace pskcore::receiver {

// QPSK: how well the phase changes fit the code, averaged over a span of symbols (a plain mean until the span
// is full, then exponential), and how far the average stands above what noise alone reads.
class CodeFitAverage {
public:
    // spanSymbols >= 1.
    explicit CodeFitAverage(double spanSymbols);

    // The part of a symbol's phase change that fit the code, and the change's magnitude.
    void update(double gain, double magnitude);
    void clear();

    bool full() const { return m_symbols >= m_spanSymbols; }
    // Mean gain over mean magnitude: noise alone reads kNoiseFit, a clean signal nearly 1; 0 while empty.
    double fit() const;
    // How many times its spread on noise alone the fit stands above noise's reading.
    double spreadsAboveNoise() const;

private:
    static constexpr double kNoiseFit = 0.77;
    // The spread of one symbol's fit on noise alone; an average's spread is this times the root of the sum of
    // its weights' squares (1 / sqrt(n) for a plain mean of n).
    static constexpr double kSymbolSpread = 0.17;

    double m_spanSymbols;
    double m_symbols = 0; // in the average, up to m_spanSymbols
    double m_gain = 0;
    double m_magnitude = 0;
    double m_weightSquares = 0; // sum of the squares of the symbols' weights in the average
};

} // namespace pskcore::receiver
