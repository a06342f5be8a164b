#pragma once

#include <chrono>

namespace zel {

// Sleeps until `t` on the monotonic clock, without spinning; returns at once
// when `t` has passed.
void sleepUntil(std::chrono::steady_clock::time_point t);

} // namespace zel
