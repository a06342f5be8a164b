#include "precisesleep.h"

#if defined(__linux__)
#include <cerrno>
#include <ctime>
#else
#include <thread>
#endif

namespace zel {

void sleepUntil(std::chrono::steady_clock::time_point t)
{
#if defined(__linux__)
    // steady_clock is CLOCK_MONOTONIC here; an absolute deadline does not
    // drift by the time spent getting into the call.
    const auto sinceEpoch = t.time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch);
    timespec deadline {};
    deadline.tv_sec = static_cast<time_t>(seconds.count());
    deadline.tv_nsec = static_cast<long>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch - seconds).count());
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) { }
#else
    std::this_thread::sleep_until(t);
#endif
}

} // namespace zel
