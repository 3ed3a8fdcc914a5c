#include "splash_timer.h"

namespace tolvane {

namespace {

// The value rounded to single precision. On the x87 a float held in a register keeps extra
// precision: a start time stored in memory and a later reading kept in a register could then
// differ by a hair below zero, which would pass for midnight and close the splash at once.
float single(float value) {
    volatile float stored = value;
    return stored;
}

constexpr int kTwipsPerPixel = 15;

int centred(int screenPixels, int windowPixels) {
    const int twips = (screenPixels - windowPixels) * kTwipsPerPixel / 2;
    const int half = kTwipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / kTwipsPerPixel : -((-twips + half) / kTwipsPerPixel);
}

} // namespace

bool splashTickCloses(float& splashStart, const TimeOfDaySource& clock) {
    if (splashStart == 0) {
        splashStart = single(clock.secondsSinceMidnight(clock.context));
    }
    const float now = single(clock.secondsSinceMidnight(clock.context));
    float elapsed = single(now - splashStart);
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

float secondsSinceMidnight(int hours, int minutes, int seconds, int milliseconds) {
    return single(static_cast<float>(hours * 3600 + minutes * 60 + seconds) +
                  static_cast<float>(milliseconds) / 1000.0F);
}

SplashPosition centredSplashPosition(int screenWidth, int screenHeight, int windowWidth,
                                     int windowHeight) {
    return SplashPosition{centred(screenWidth, windowWidth), centred(screenHeight, windowHeight)};
}

} // namespace tolvane
