// The monotonic clock on POSIX systems: the C++ steady clock.
#include "driver.h"

#include <chrono>

double monotonic_seconds() {
    using clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(clock::now().time_since_epoch()).count();
}
