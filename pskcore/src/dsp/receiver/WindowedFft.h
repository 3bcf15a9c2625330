#pragma once

#include <fftw3.h>

#include <vector>

namespace pskcore::receiver {

// An in-place complex FFT of a fixed size with its Hann window, for the receiver's spectral searches. The plan
// is made under the planner lock, as FFTW requires. No threads inside.
struct WindowedFft {
    explicit WindowedFft(int size);
    ~WindowedFft();
    WindowedFft(const WindowedFft&) = delete;
    WindowedFft& operator=(const WindowedFft&) = delete;

    fftwf_complex* data;
    fftwf_plan plan;
    std::vector<float> window;
};

} // namespace pskcore::receiver
