#pragma once

// The demonstration band: several simulated stations at different frequencies and strengths in noise,
// calling CQ and working each other, one of them in QPSK, made by our own modulator. It lets the program
// be shown and tried on a machine without a sound card or a radio.

#include "pskcore/dsp/Modulator.h"

#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace pskcore {

class DemoBand {
public:
    explicit DemoBand(uint32_t seed = 31);
    // Adds the next samples of the band (8000 Hz, full scale +-1) over silence into out.
    void render(std::span<float> out);

    struct Over {
        double levelDb;     // carrier peak, dBFS
        double offsetHz;    // from the track's frequency: the two ends of a QSO are never exactly aligned
        PskMode mode;
        std::string text;
    };
    struct Track {
        double freqHz;
        double gapSeconds;       // silence between overs
        std::vector<Over> overs; // sent in turn, over and over
    };
    // The stations heard on the band.
    static std::vector<Track> stations();

private:
    struct Station {
        Track track;
        Modulator modulator;
        std::size_t next = 0;
        std::size_t pause = 0; // samples of silence before the next over
        bool onAir = false;
    };
    void renderStation(Station& station, std::span<float> out);

    std::vector<Station> m_stations;
    std::vector<float> m_scratch;
    std::mt19937 m_random;
    std::normal_distribution<float> m_noise{0.0f, 0.01f};
};

} // namespace pskcore
