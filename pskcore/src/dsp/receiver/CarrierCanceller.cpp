#include "CarrierCanceller.h"


#include <fftw3.h>

#include <algorithm>
#include <cmath>

namespace pskcore::receiver {
namespace {

constexpr double kBinHz = double(kBasebandRate) / 1024;
constexpr double kSearchSpanHz = 100.0;      // the front end passes about 120 Hz each side
constexpr double kOwnCarrierHz = 4.0;        // the signal's own carrier (after its text) is left alone
constexpr double kIdleToneSpacingHz = 31.25; // the two tones of an idle PSK31 signal
constexpr double kLineOverFloor = 30.0;      // a steady line over the bins a little way around it
constexpr double kPartnerShare = 0.1;        // a partner within 10 dB makes it an idle tone
constexpr double kSameToneHz = 2.0;          // a line this close to the one cancelled is the same carrier
constexpr double kAmplitudeShare = 0.01;     // notch about 3 Hz wide

} // namespace


CarrierCanceller::CarrierCanceller() : m_fft(std::make_unique<receiver::WindowedFft>(kSize)), m_ring(kSize) {}
CarrierCanceller::~CarrierCanceller() = default;

cf CarrierCanceller::process(cf y)
{
    m_ring[std::size_t(m_pos)] = y;
    m_pos = (m_pos + 1) % kSize;
    m_filled = std::min(m_filled + 1, kSize);
    if (++m_sinceCheck >= kCheckEvery && m_filled >= kSize / 4) {
        m_sinceCheck = 0;
        search();
    }
    if (!m_active)
        return y;
    m_phasor *= std::polar(1.0, 2 * kPi * m_toneHz / kBasebandRate);
    m_phasor /= std::abs(m_phasor);
    const cd error = cd(y) - m_amplitude * m_phasor;
    m_amplitude += kAmplitudeShare * error * std::conj(m_phasor);
    return cf(error);
}

double CarrierCanceller::binPower(int k) const
{
    const int i = ((k % kSize) + kSize) % kSize;
    return double(m_fft->data[i][0]) * m_fft->data[i][0] + double(m_fft->data[i][1]) * m_fft->data[i][1];
}

double CarrierCanceller::overFloor(int k) const
{
    double floor = 0;
    int count = 0;
    for (int d = 4; d <= 10; ++d, count += 2)
        floor += binPower(k - d) + binPower(k + d);
    return binPower(k) / std::max(1e-30, floor / count);
}

void CarrierCanceller::search()
{
    for (int i = 0; i < kSize; ++i) {
        const cf v = m_ring[std::size_t((m_pos + i) % kSize)] * m_fft->window[std::size_t(i)];
        m_fft->data[i][0] = v.real();
        m_fft->data[i][1] = v.imag();
    }
    fftwf_execute(m_fft->plan);

    const int span = int(kSearchSpanHz / kBinHz), own = int(std::ceil(kOwnCarrierHz / kBinHz));
    int best = 0;
    for (int k = -span; k <= span; ++k)
        if (std::abs(k) > own && (best == 0 || binPower(k) > binPower(best)))
            best = k;
    bool lone = overFloor(best) >= kLineOverFloor;
    const int partnerBins = int(std::lround(kIdleToneSpacingHz / kBinHz));
    for (int side : {-1, 1})
        for (int d = -1; d <= 1; ++d)
            if (binPower(best + side * partnerBins + d) > kPartnerShare * binPower(best))
                lone = false;
    if (!lone) {
        if (m_active && ++m_misses >= kMissesToDrop)
            m_active = false;
        return;
    }
    // Parabolic interpolation of the magnitudes.
    const double a = std::sqrt(binPower(best - 1)), b = std::sqrt(binPower(best)), c = std::sqrt(binPower(best + 1));
    const double denominator = a - 2 * b + c;
    const double delta = denominator < 0 ? std::clamp(0.5 * (a - c) / denominator, -0.5, 0.5) : 0.0;
    const double foundHz = (best + delta) * kBinHz;
    if (!m_active || std::fabs(foundHz - m_toneHz) > kSameToneHz)
        m_amplitude = 0;
    m_toneHz = foundHz;
    m_active = true;
    m_misses = 0;
}

} // namespace pskcore::receiver
