// The monotonic clock on Windows: the performance counter, or the millisecond tick count
// where the machine has no performance counter (QueryPerformanceFrequency fails or reports
// 0). The tick count wraps after 49.7 days; the wraps are counted here, so the seconds
// keep growing as long as the clock is read at least once per wrap.
#include "driver.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace {

// 0 until the first reading, then 1 (performance counter) or 2 (tick count).
int clock_source = 0;
double counter_period = 0.0; // seconds per count
DWORD last_ticks = 0;
double tick_wraps = 0.0;

} // namespace

double monotonic_seconds() {
    if (clock_source == 0) {
        LARGE_INTEGER frequency;
        LARGE_INTEGER probe;
        if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0 &&
            QueryPerformanceCounter(&probe)) {
            counter_period = 1.0 / static_cast<double>(frequency.QuadPart);
            clock_source = 1;
        } else {
            clock_source = 2;
        }
    }
    if (clock_source == 1) {
        LARGE_INTEGER count;
        if (QueryPerformanceCounter(&count))
            return static_cast<double>(count.QuadPart) * counter_period;
        clock_source = 2;
    }
    DWORD ticks = GetTickCount();
    if (ticks < last_ticks)
        tick_wraps += 4294967296.0;
    last_ticks = ticks;
    return (tick_wraps + static_cast<double>(ticks)) / 1000.0;
}
