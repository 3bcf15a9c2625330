#include "WindowedFft.h"

#include "../FftwPlanner.h"

#include <cmath>
#include <mutex>
#include <numbers>

namespace pskcore::receiver {

WindowedFft::WindowedFft(int size) : data(fftwf_alloc_complex(std::size_t(size))), window(std::size_t(size))
{
    {
        std::lock_guard lock(fftwPlannerMutex());
        plan = fftwf_plan_dft_1d(size, data, data, FFTW_FORWARD, FFTW_ESTIMATE);
    }
    for (int i = 0; i < size; ++i)
        window[std::size_t(i)] = float(0.5 - 0.5 * std::cos(2 * std::numbers::pi * (i + 0.5) / size));
}

WindowedFft::~WindowedFft()
{
    std::lock_guard lock(fftwPlannerMutex());
    fftwf_destroy_plan(plan);
    fftwf_free(data);
}

} // namespace pskcore::receiver
