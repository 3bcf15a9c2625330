#pragma once

#include <span>
#include <vector>

namespace pskcore {

// Streaming resampler by a ratio close to 1 (sound-card clock correction) or any ratio (file rates):
// windowed-sinc interpolation, low-passed below the lower of the two Nyquist rates. No threads inside.
class Resampler {
public:
    // ratio = output rate / input rate, > 0.
    explicit Resampler(double ratio = 1.0);
    // Clock correction for a sound card whose clock runs ppm fast (-10000..10000, clamped): the ratio becomes
    // 1 / (1 + ppm 1e-6), turning its samples into true 8000 Hz ones. For the output stream use setPpm(-ppm).
    void setPpm(double ppm);
    void setRatio(double ratio);
    double ratio() const;
    // Appends the resampled input to out.
    void process(std::span<const float> in, std::vector<float>& out);
    void reset();

private:
    static constexpr int kPhases = 256; // filter table resolution per input sample

    double m_ratio = 1.0;
    double m_step = 1.0;        // input samples per output sample
    int m_reach = 16;           // filter half-length, input samples
    std::vector<float> m_table; // (kPhases + 1) rows of 2 m_reach taps
    double m_position = 0.0;    // next output instant, in input samples from m_buffer[0]
    std::vector<float> m_buffer; // input not yet consumed, with the filter's history in front
};

} // namespace pskcore
