#pragma once

#include <mutex>

namespace pskcore {

// FFTW's planner is not thread-safe: every plan is made and destroyed under this lock.
std::mutex& fftwPlannerMutex();

} // namespace pskcore
