#include "pskcore/dsp/BandBrowser.h"

#include "browser/SignalFinder.h"
#include "browser/SignalTrack.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace pskcore {

namespace {

constexpr std::size_t kJudgeEvery = 1024;  // samples between mode judgements and searches
constexpr double kMergeHz = 8.0;           // two receivers this close have found the same signal
// A new peak this close to a listed signal is that signal's own spectrum (a neighbour 60 Hz away is not).
constexpr double kListedReachHz = 40.0;
constexpr double kTrialSeconds = 5.0;      // a receiver whose squelch never opened by then is dropped
// A new receiver first hears this much of the past input: the preamble that led to the signal being found.
constexpr double kHistorySeconds = 2.5;
// A receiver that acquires on a signal's rising edge may take one of its idle lines, half the symbol rate
// off, for the carrier; the spectrum's peak shows where the carrier is.
constexpr double kIdleLineHz = kSymbolRate / 2;
constexpr double kIdleLineToleranceHz = 3.0;
constexpr int kMaxSignalsLimit = 200;
constexpr int kHeldLevel = 25; // squelch level of a signal the receiver holds

std::size_t seconds(double s) { return std::size_t(s * kSampleRate); }

// The spectral peak within reach of freqHz (where a receiver may jump), or freqHz itself.
double nearestPeakHz(const std::vector<browser::SignalFinder::Peak>& peaks, double freqHz)
{
    constexpr double kReachHz = 20.0;
    double best = freqHz, bestDistance = kReachHz;
    for (const auto& p : peaks) {
        const double distance = std::fabs(p.freqHz - freqHz);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = p.freqHz;
        }
    }
    return best;
}

} // namespace

struct BandBrowser::State {
    explicit State(const Options& o) : finder(o.lowHz, o.highHz) {}

    struct Track {
        int id;
        double startHz;
        std::unique_ptr<browser::SignalTrack> rx;
        std::size_t born;
        std::size_t lastHeld = 0;
        std::size_t lastText = 0;
        bool listed = false;
        std::string recent;
    };

    void judge(std::vector<BrowserText>& decoded, int maxSignals);
    void deliver(Track& t, const std::string& text, std::vector<BrowserText>& decoded);
    void spawn(const std::vector<browser::SignalFinder::Peak>& peaks, int maxSignals,
               std::vector<BrowserText>& decoded);
    void mergeAndRetire(const std::vector<browser::SignalFinder::Peak>& peaks);
    bool onIdleLine(Track& t, const std::vector<browser::SignalFinder::Peak>& peaks) const;
    std::span<const float> recentInput() const
    {
        return std::span(history).last(std::min(history.size(), seconds(kHistorySeconds)));
    }

    browser::SignalFinder finder;
    std::vector<Track> tracks;
    std::size_t now = 0; // samples since the start
    std::size_t sinceJudge = 0;
    int nextId = 1;
    std::string bytes;
    std::vector<float> history; // the latest input, at least kHistorySeconds of it
};

BandBrowser::BandBrowser() : BandBrowser(Options{}) {}

BandBrowser::BandBrowser(const Options& options) : m_options(options)
{
    if (!(options.lowHz >= kMinAudioHz && options.highHz <= kMaxAudioHz && options.lowHz < options.highHz))
        throw std::invalid_argument("browser band out of range");
    if (options.maxSignals < 1 || options.maxSignals > kMaxSignalsLimit)
        throw std::invalid_argument("browser signal count out of range");
    m_state = std::make_unique<State>(options);
}

BandBrowser::~BandBrowser() = default;

void BandBrowser::reset() { m_state = std::make_unique<State>(m_options); }

void BandBrowser::process(std::span<const float> samples, std::vector<BrowserText>& decoded)
{
    State& s = *m_state;
    while (!samples.empty()) {
        const std::size_t n = std::min(samples.size(), kJudgeEvery - s.sinceJudge);
        const auto piece = samples.first(n);
        samples = samples.subspan(n);
        s.finder.process(piece);
        s.history.insert(s.history.end(), piece.begin(), piece.end());
        if (s.history.size() > 2 * seconds(kHistorySeconds))
            s.history.erase(s.history.begin(), s.history.end() - std::ptrdiff_t(seconds(kHistorySeconds)));
        for (auto& t : s.tracks) {
            s.bytes.clear();
            t.rx->process(piece, s.bytes);
            s.deliver(t, s.bytes, decoded);
        }
        s.now += n;
        s.sinceJudge += n;
        if (s.sinceJudge == kJudgeEvery) {
            s.sinceJudge = 0;
            s.judge(decoded, m_options.maxSignals);
        }
    }
}

void BandBrowser::State::deliver(Track& t, const std::string& text, std::vector<BrowserText>& decoded)
{
    if (text.empty())
        return;
    t.lastText = now;
    t.lastHeld = now;
    t.listed = true;
    t.recent += text;
    if (t.recent.size() > kTextLength)
        t.recent.erase(0, t.recent.size() - kTextLength);
    decoded.push_back({t.id, t.rx->frequencyHz(), t.rx->mode(), t.rx->snrDb(), text});
}

void BandBrowser::State::judge(std::vector<BrowserText>& decoded, int maxSignals)
{
    for (auto& t : tracks) {
        bytes.clear();
        t.rx->judge(bytes);
        deliver(t, bytes, decoded);
        if (t.rx->open()) {
            t.listed = true;
            // The squelch hangs on a while behind a signal: its end is when the signal last stood clear.
            if (t.rx->signalLevel() >= kHeldLevel)
                t.lastHeld = now;
        }
    }
    const auto peaks = finder.peaks();
    mergeAndRetire(peaks);
    spawn(peaks, maxSignals, decoded);
}

// A listed signal leaves kRetireSeconds after it last stood clear, a trial receiver that never opened after
// kTrialSeconds; a receiver on an idle line moves onto the carrier or goes, a QPSK false lock restarts; receivers
// that converged on one signal become one (the listed, then the one that holds it better, stays).
void BandBrowser::State::mergeAndRetire(const std::vector<browser::SignalFinder::Peak>& peaks)
{
    std::vector<bool> gone(tracks.size(), false);
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        Track& t = tracks[i];
        if (t.listed ? now - t.lastHeld > seconds(kRetireSeconds) : now - t.born > seconds(kTrialSeconds))
            gone[i] = true;
        else if (onIdleLine(t, peaks))
            gone[i] = true;
        else if (t.rx->qpskStuck())
            t.rx->restartQpsk(nearestPeakHz(peaks, t.rx->frequencyHz()), recentInput());
    }
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        for (std::size_t j = i + 1; j < tracks.size() && !gone[i]; ++j) {
            if (gone[j] || std::fabs(tracks[i].rx->frequencyHz() - tracks[j].rx->frequencyHz()) >= kMergeHz)
                continue;
            // tracks are in order of birth: i is the older
            const Track& a = tracks[i];
            const Track& b = tracks[j];
            const bool keepNewer =
                a.listed != b.listed ? b.listed : b.rx->signalLevel() > a.rx->signalLevel();
            gone[keepNewer ? i : j] = true;
        }
    }
    std::size_t i = 0;
    std::erase_if(tracks, [&](const Track&) { return gone[i++]; });
}

// A receiver that sits on an idle line of a signal whose carrier no other receiver holds is moved onto the
// carrier; true when another receiver holds it already and this one is to go.
bool BandBrowser::State::onIdleLine(Track& t, const std::vector<browser::SignalFinder::Peak>& peaks) const
{
    const double freqHz = t.rx->frequencyHz();
    const auto nearest = std::min_element(peaks.begin(), peaks.end(), [&](const auto& a, const auto& b) {
        return std::fabs(a.freqHz - freqHz) < std::fabs(b.freqHz - freqHz);
    });
    if (nearest == peaks.end() || std::fabs(std::fabs(nearest->freqHz - freqHz) - kIdleLineHz) > kIdleLineToleranceHz)
        return false;
    const bool held = std::any_of(tracks.begin(), tracks.end(), [&](const Track& u) {
        return &u != &t && std::fabs(u.rx->frequencyHz() - nearest->freqHz) < kMergeHz;
    });
    if (!held)
        t.rx->retune(nearest->freqHz);
    return held;
}

// A receiver for each peak no receiver follows yet.
void BandBrowser::State::spawn(const std::vector<browser::SignalFinder::Peak>& peaks, int maxSignals,
                               std::vector<BrowserText>& decoded)
{
    for (const auto& peak : peaks) {
        if (tracks.size() >= std::size_t(maxSignals))
            return;
        const bool followed = std::any_of(tracks.begin(), tracks.end(), [&](const Track& t) {
            const double distance = std::fabs(t.rx->frequencyHz() - peak.freqHz);
            return distance < (t.listed ? kListedReachHz : kMergeHz);
        });
        if (followed)
            continue;
        Track& t = tracks.emplace_back(
            Track{nextId++, peak.freqHz, std::make_unique<browser::SignalTrack>(peak.freqHz), now});
        bytes.clear();
        t.rx->process(recentInput(), bytes);
        deliver(t, bytes, decoded);
    }
}

std::vector<BrowserSignal> BandBrowser::signals() const
{
    const State& s = *m_state;
    std::vector<BrowserSignal> list;
    for (const auto& t : s.tracks) {
        if (!t.listed)
            continue;
        list.push_back({t.id, t.rx->frequencyHz(), t.startHz, t.rx->mode(), t.rx->snrDb(),
                        t.lastText > 0 && s.now - t.lastText <= seconds(kReceivingSeconds), t.recent});
    }
    std::sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a.freqHz < b.freqHz; });
    return list;
}

std::size_t BandBrowser::receiverCount() const
{
    std::size_t n = 0;
    for (const auto& t : m_state->tracks)
        n += std::size_t(t.rx->receiversAtWork());
    return n;
}

} // namespace pskcore
