#pragma once

#include "pskcore/dsp/Constants.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace pskcore {

// One signal the browser follows.
struct BrowserSignal {
    int id = 0;             // the same for as long as the signal is listed
    double freqHz = 0;      // carrier, Hz
    double startHz = 0;     // where it was first found, Hz
    PskMode mode = PskMode::Bpsk; // as found from the signal
    double snrDb = 0;       // in 3 kHz
    bool receiving = false; // characters arrived within the last kReceivingSeconds
    std::string text;       // the latest characters (Windows-1252), at most kTextLength, oldest first
};

// Characters one signal has just delivered, with what was known of the signal at that moment.
struct BrowserText {
    int id = 0;
    double freqHz = 0;
    PskMode mode = PskMode::Bpsk;
    double snrDb = 0;
    std::string bytes; // Windows-1252
};

// Finds every PSK31 signal of a band and decodes each with its own ChannelDemodulator, as the two channels
// decode (same AFC, squelch and decoders), the mode told from the signal. A signal is listed once its
// receiver's squelch has opened and leaves the list kRetireSeconds after it last closed. Time is counted in
// input samples, so the same input always gives the same list. No threads inside: the owner calls every
// member from one thread.
class BandBrowser {
public:
    static constexpr std::size_t kTextLength = 256;
    static constexpr double kRetireSeconds = 30.0;
    static constexpr double kReceivingSeconds = 3.0;

    struct Options {
        double lowHz = 200.0;   // band searched, Hz (kMinAudioHz-kMaxAudioHz)
        double highHz = 3500.0;
        int maxSignals = 48;    // receivers followed at once (1-200)
    };

    BandBrowser();
    explicit BandBrowser(const Options& options); // throws std::invalid_argument on a bad band or count
    ~BandBrowser();
    BandBrowser(const BandBrowser&) = delete;
    BandBrowser& operator=(const BandBrowser&) = delete;

    // Takes input samples (8 kHz mono, full scale +-1, any block size) and appends the characters decoded,
    // per signal, to decoded.
    void process(std::span<const float> samples, std::vector<BrowserText>& decoded);
    // The signals listed now, lowest frequency first.
    std::vector<BrowserSignal> signals() const;
    // Receivers at work now, listed or not (detection candidates being tried included).
    std::size_t receiverCount() const;
    // Forgets every signal.
    void reset();

private:
    struct State;
    Options m_options;
    std::unique_ptr<State> m_state;
};

} // namespace pskcore
