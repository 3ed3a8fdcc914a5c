// The monotonic clock of the freestanding Linux program: clock_gettime(CLOCK_MONOTONIC)
// with the 32-bit struct timespec. Should the call fail, the clock stands still at 0.
#include "driver.h"
#include "linux_i386.h"

#include <cstdint>

namespace {

constexpr uint32_t CLOCK_MONOTONIC_ID = 1;

struct timespec32 {
    int32_t seconds;
    int32_t nanoseconds;
};

} // namespace

double monotonic_seconds() {
    timespec32 now = {0, 0};
    if (linux_syscall3(LINUX_SYS_CLOCK_GETTIME, CLOCK_MONOTONIC_ID,
                       static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&now)), 0) != 0)
        return 0.0;
    return static_cast<double>(now.seconds) + static_cast<double>(now.nanoseconds) / 1e9;
}
