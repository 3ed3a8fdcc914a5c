// The splash window's timer decision: the first tick records the time of day, a later tick
// closes the splash once at least one second has passed since then.
#pragma once

namespace tolvane {

inline constexpr float kSecondsPerDay = 86400.0F;

// The time of day in seconds since midnight; it restarts at 0 at midnight.
struct TimeOfDaySource {
    void* context;
    float (*secondsSinceMidnight)(void* context);
};

// One tick of the splash's timer T1. splashStart is the window's SplashStart: 0 until the
// first tick records the time of day into it. The clock is read once more for "now"; when
// now - splashStart is at least one second, splashStart goes back to 0 and the result is
// true: stop the timer and close the splash. A negative difference means midnight has
// passed since the first tick and counts a day more (+ 86,400 s), so a splash started
// just before midnight still closes.
bool splashTickCloses(float& splashStart, const TimeOfDaySource& clock);

// The time of day in seconds since midnight from the clock's parts, rounded to single
// precision (the reading the splash compares).
float secondsSinceMidnight(int hours, int minutes, int seconds, int milliseconds);

// Where the splash centres itself, in pixels at 15 twips per pixel: Left = (screen width -
// window width) \ 2 and Top = (screen height - window height) \ 2, in whole twips with the
// remainder dropped, then back to pixels, rounded to the nearest.
struct SplashPosition {
    int left;
    int top;
};
SplashPosition centredSplashPosition(int screenWidth, int screenHeight, int windowWidth,
                                     int windowHeight);

} // namespace tolvane
