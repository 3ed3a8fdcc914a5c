#include "splash_timer.h"

namespace tolvane {

bool splashTickCloses(float& splashStart, const TimeOfDaySource& clock) {
    if (splashStart == 0) {
        splashStart = clock.secondsSinceMidnight(clock.context);
    }
    const float now = clock.secondsSinceMidnight(clock.context);
    float elapsed = now - splashStart;
    // The time of day restarts at midnight: a negative difference means the day rolled over.
    if (elapsed < 0) {
        elapsed += kSecondsPerDay;
    }
    if (elapsed < 1.0F) {
        return false;
    }
    splashStart = 0;
    return true;
}

} // namespace tolvane
