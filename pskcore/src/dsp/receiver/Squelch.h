#pragma once

#include "CodeFitAverage.h"
#include "ReceiverTypes.h"

namespace pskcore::receiver {

// Opens on a signal from how closely the symbols sit on the constellation (noise averages 0, a clean signal 1),
// with hysteresis.
class Squelch {
public:
    // threshold 0-99 against level() (0 = always open); speed 0-200 sets the averaging (about 1 s at 0).
    void configure(int threshold, int speed);
    // QPSK's closeness (the fourth power of the phase) stands far less clear of noise than BPSK's at the same
    // signal-to-noise ratio: a slower average, which noise moves less, also reads the level and holds the squelch
    // open, so a weak QPSK signal is not cut off at every dip of the quick one; and once open, a slower average
    // still keeps it open, as at 5 dB Es/N0 the slow one dips to the noise's level now and then.
    void setSlowHold(bool on) { m_slowHold = on; }
    // Takes the closeness of one symbol (-1..1) and its power against the mean symbol power: a faded symbol,
    // mostly noise, counts for less, so a fading signal keeps the squelch open while noise alone still
    // averages 0.
    void update(double closeness, double relativePower);
    // QPSK: the part of a symbol's phase change that fit the code, and the change's magnitude. Below about
    // -14 dB the carrier loop slips and the fourth power reads as noise, while the phase changes still fit the
    // code: their fit, averaged over several seconds, also opens the squelch and holds it open.
    void updateCodeFit(double gain, double magnitude);
    // Back to closed, as for a new signal.
    void clear();
    // QPSK: on the update that closed an opening that neither the code fit nor the slow average ever confirmed,
    // how many symbols it had been open (else 0). Such an opening was a stretch of noise that lifted the quick
    // reading to the threshold: what it let through must not print.
    int falseOpeningSymbols() const { return m_falseOpeningSymbols; }

    // 0-100: mean closeness 0.3 (never reached by noise for long) maps to 0, 0.9 (a clean signal) to 100.
    int level() const;
    bool open() const { return m_open; }
    // The carrier loop holds a signal. A weak QPSK signal that keeps the squelch open counts: its closeness
    // stays below the lock level, yet its frequency and timing must be held, not searched for afresh.
    bool held() const
    {
        return m_quality >= kHeldQuality || (m_slowHold && (m_open || slowLevel() >= kLockLevel))
               || signalLikely();
    }
    // QPSK: the 8 s code fit stands clear enough of noise that a signal is likely there, though not yet clear
    // enough to open. Such a signal is held too: acquisition jumping onto the noise's fourth-power lines, or a
    // loop at full pull slipping, would pull the fit back down to the noise's before it got there (at -16 dB,
    // that kept the squelch shut).
    bool signalLikely() const
    {
        return m_slowHold && m_codeFit.full() && m_codeFit.spreadsAboveNoise() >= kLikelySpreads;
    }

private:
    static constexpr double kQualityAtZero = 0.3, kQualitySpan = 0.6;
    static constexpr double kHeldQuality = kQualityAtZero + kQualitySpan * kLockLevel / 100.0;
    static constexpr int kHysteresis = 3;
    // A faded symbol counts for as little as this, so the squelch still closes behind a signal that ends; a
    // fade's peak counts no more than an average symbol.
    static constexpr double kMinWeight = 0.25;
    // The slow average spans this many times the quick one; it reads from a lower zero, as its noise is smaller.
    static constexpr double kSlowSpan = 4.0;
    static constexpr double kSlowQualityAtZero = 0.15;
    // The hold average spans 16 quick ones (about 15 s at speed 1, where noise alone wanders by about +-0.025)
    // and keeps an open squelch open while it stays above this, at the default threshold.
    static constexpr double kHoldSpan = 16.0;
    static constexpr double kHoldQuality = 0.1;
    static constexpr int kDefaultThreshold = 10;
    // The code fit averages over this many symbols (8 s), where noise alone reads 0.77 +- 0.01 and a signal at
    // -16 dB 0.81; it opens from this reading at the default threshold, each threshold step above it adding
    // kCodeFitPerStep.
    static constexpr double kCodeFitSymbols = 256.0;
    static constexpr double kCodeFitOpen = 0.81;
    static constexpr double kCodeFitPerStep = 0.002;
    // A QPSK opening lifts the hold average to the slow one; but noise that takes the quick reading to the
    // threshold lifts the slow one above the hold floor too, and the squelch would stay open for seconds. The
    // lift stands once a signal is confirmed: the slow reading at the threshold, or either code fit average this
    // many of its spreads clear of noise (a signal gets there some 10-40 symbols after the quick reading opened;
    // noise alone takes the recent average there about once in 7 minutes, seldom while it also opens the
    // squelch). Unconfirmed, the lift is dropped after kLiftSymbols, unless the recent fit already stands
    // kPromisingSpreads clear of noise. An 8 s fit already that clear when the quick reading opened tells
    // nothing of the opening: noise keeps it there a few per cent of the time, and a quick opening on noise
    // meanwhile would stay open for seconds and print.
    static constexpr double kConfirmSpreads = 4.0;
    static constexpr double kPromisingSpreads = 2.0;
    static constexpr int kLiftSymbols = 16;
    static constexpr double kRecentCodeFitSymbols = 16.0;
    // Noise alone takes the full 8 s fit this far clear of itself a few per cent of the time: it then holds
    // acquisition and narrows the loop for a while, but opens nothing.
    static constexpr double kLikelySpreads = 2.0;
    // At -16 dB the 8 s fit stands at its threshold, about 4 of its spreads above noise, and dips below it every
    // few seconds. Over 32 s the spread is half as wide: the signal stands some 10 spreads clear, and at
    // kLongCodeFitSpreads noise alone never gets there; each threshold step above the default asks
    // kLongSpreadsPerStep more. That reading only keeps an open squelch open (it lags a signal's end by tens of
    // seconds, and would reopen on noise long after it), and only while the 8 s fit still stands
    // kLongHoldSpreads clear of noise, so a signal's end still closes the squelch within seconds.
    static constexpr double kLongCodeFitSymbols = 1024.0;
    static constexpr double kLongCodeFitSpreads = 5.0;
    static constexpr double kLongSpreadsPerStep = 0.5;
    static constexpr double kLongHoldSpreads = 1.0;

    static int levelOf(double quality, double qualityAtZero);
    int slowLevel() const;
    double holdFloor() const;
    bool codeFits() const;
    bool longCodeFitHolds() const;
    bool codeFitClearOfNoise(double spreads) const;
    void startOpening();
    void confirmOpening();
    void dropHoldLift();

    int m_threshold = 10;
    int m_speed = 1;
    double m_quality = 0; // mean closeness, -1..1
    double m_slowQuality = 0;
    double m_holdQuality = 0;
    double m_holdLift = 0; // what the opening added to the hold average, until confirmed
    CodeFitAverage m_codeFit{kCodeFitSymbols};
    CodeFitAverage m_recentCodeFit{kRecentCodeFitSymbols}; // answers within a second of a signal's start
    CodeFitAverage m_longCodeFit{kLongCodeFitSymbols};
    bool m_slowHold = false;
    bool m_open = false;
    bool m_confirmed = false; // the current opening is a signal's
    bool m_promisingAtOpening = false; // the 8 s code fit already stood kPromisingSpreads clear when it opened
    int m_openSymbols = 0;
    int m_falseOpeningSymbols = 0;
};

} // namespace pskcore::receiver
