#include "FftwPlanner.h"

namespace pskcore {

std::mutex& fftwPlannerMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace pskcore
