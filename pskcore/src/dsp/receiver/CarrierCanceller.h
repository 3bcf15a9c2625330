#pragma once

#include "WindowedFft.h"

#include "ReceiverTypes.h"

#include <memory>
#include <vector>

namespace pskcore::receiver {

// Removes a steady carrier (a tuning station, a birdie) from the channel's baseband before the matched filter and
// frequency acquisition see it: unremoved, a carrier stronger than the signal pulls the AFC and puts false lines
// in the squared spectrum. Finds the strongest lone line over the last second; a PSK31 signal's idle tones come
// in pairs half the symbol rate apart and its own carrier sits at the channel's centre, so neither is taken.
// The line is then cancelled by an adaptive estimate of its complex amplitude (a notch about 3 Hz wide).
class CarrierCanceller {
public:
    CarrierCanceller();
    ~CarrierCanceller();
    CarrierCanceller(const CarrierCanceller&) = delete;
    CarrierCanceller& operator=(const CarrierCanceller&) = delete;

    // Takes one baseband sample (1 kHz) and returns it without the carrier.
    cf process(cf y);
    // The channel oscillator has moved by hz: the carrier moves the other way in the baseband.
    void shiftHz(double hz) { m_toneHz -= hz; }
    // True while a carrier is being removed; its offset from the oscillator, Hz.
    bool active() const { return m_active; }
    double toneHz() const { return m_toneHz; }

private:
    static constexpr int kSize = 1024;       // one second at the baseband rate
    static constexpr int kCheckEvery = 128;  // samples between searches
    static constexpr int kMissesToDrop = 4;  // searches without the line before it is let go

    void search();
    double binPower(int k) const;
    double overFloor(int k) const;

    std::unique_ptr<receiver::WindowedFft> m_fft;
    std::vector<cf> m_ring;
    int m_pos = 0;
    int m_filled = 0;
    int m_sinceCheck = 0;
    bool m_active = false;
    int m_misses = 0;
    double m_toneHz = 0;
    cd m_phasor{1.0, 0.0};
    cd m_amplitude{0.0, 0.0};
};

} // namespace pskcore::receiver
