// The splash window's tick decision: recorded start, the one-second rule and midnight.
#include "splash_timer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tolvane {
namespace {

// Hands out the given times one after the other and counts the reads.
struct ScriptedClock {
    std::vector<float> times;
    std::size_t reads = 0;
    TimeOfDaySource source() {
        return TimeOfDaySource{this, [](void* self) {
                                   auto* c = static_cast<ScriptedClock*>(self);
                                   const float t = c->times.at(c->reads);
                                   ++c->reads;
                                   return t;
                               }};
    }
};

// Ticks once per entry of `ticks` (each tick reads one time, the first two); returns the
// 1-based tick that closed the splash, 0 when none did.
int closingTick(float first, const std::vector<float>& later) {
    ScriptedClock clock;
    clock.times.push_back(first);
    clock.times.insert(clock.times.end(), later.begin(), later.end());
    float splashStart = 0;
    for (std::size_t tick = 0; tick < later.size(); ++tick) {
        if (splashTickCloses(splashStart, clock.source())) {
            EXPECT_EQ(splashStart, 0.0F) << "the start is reset on closing";
            return static_cast<int>(tick) + 1;
        }
    }
    return 0;
}

TEST(SplashTimer, FirstTickRecordsTheStartAndReadsTheClockTwice) {
    ScriptedClock clock{{100.25F, 100.3F}};
    float splashStart = 0;
    EXPECT_FALSE(splashTickCloses(splashStart, clock.source()));
    EXPECT_EQ(splashStart, 100.25F);
    EXPECT_EQ(clock.reads, 2u);
}

TEST(SplashTimer, ClosesOnceAtLeastOneSecondHasPassed) {
    EXPECT_EQ(closingTick(500.0F, {500.0F, 501.0F}), 2) << "exactly one second closes";
    EXPECT_EQ(closingTick(500.0F, {500.0F, 500.99F, 502.0F}), 3);
    EXPECT_EQ(closingTick(500.0F, {500.0F, 500.5F, 500.9F, 501.5F}), 4);
    // A tick that finds the start already recorded reads the clock once.
    ScriptedClock clock{{10.0F, 10.0F, 12.0F}};
    float splashStart = 0;
    EXPECT_FALSE(splashTickCloses(splashStart, clock.source()));
    EXPECT_TRUE(splashTickCloses(splashStart, clock.source()));
    EXPECT_EQ(clock.reads, 3u);
}

TEST(SplashTimer, MidnightBetweenTicksStillCloses) {
    // Started 0.5 s before midnight: the difference turns negative and a day is added.
    EXPECT_EQ(closingTick(86399.5F, {86399.5F, 0.2F, 0.6F}), 3);
    EXPECT_EQ(closingTick(86399.5F, {86399.5F, 0.5F}), 2) << "0.5 + 0.5 = one second";
    EXPECT_EQ(closingTick(86399.9F, {86399.9F, 86399.95F, 1.0F}), 3);
    // Without the correction every later tick would see a negative difference.
    std::vector<float> nextDay(50, 0.1F);
    nextDay.front() = 86399.5F;
    nextDay.back() = 5.0F;
    EXPECT_EQ(closingTick(86399.5F, nextDay), 50);
}

TEST(SplashTimer, ClosesWithinThreeTicksForEveryStartTimeAndTickJitter) {
    // Ticks 1000 ms apart give or take 50 ms, from every start time across a day.
    for (float start = 0.5F; start < 86400.0F; start += 997.3F) {
        for (float jitter : {-0.05F, -0.01F, 0.0F, 0.03F}) {
            std::vector<float> later{start};
            for (float t = start; later.size() < 10;) {
                t += 1.0F + jitter;
                later.push_back(t >= 86400.0F ? t - 86400.0F : t);
            }
            const int closedAt = closingTick(start, later);
            EXPECT_GE(closedAt, 2) << start << " " << jitter;
            EXPECT_LE(closedAt, 3) << start << " " << jitter;
        }
    }
}

TEST(SplashTimer, CentresInWholeTwipsAndReadsTheTimeInSinglePrecision) {
    struct Case {
        int screenWidth, screenHeight, width, height, left, top;
    };
    // (1024 - 459) * 15 \ 2 = 4237 twips = 282.47 pixels; a larger window goes off screen.
    const Case cases[] = {{1024, 768, 459, 219, 282, 274},
                          {800, 600, 800, 600, 0, 0},
                          {640, 480, 459, 219, 90, 130},
                          {300, 200, 459, 219, -79, -9}};
    for (const Case& c : cases) {
        const SplashPosition at =
            centredSplashPosition(c.screenWidth, c.screenHeight, c.width, c.height);
        EXPECT_EQ(at.left, c.left) << c.screenWidth;
        EXPECT_EQ(at.top, c.top) << c.screenHeight;
    }
    for (int w = 459; w <= 3000; w += 7) {
        for (int h = 219; h <= 2000; h += 13) {
            const SplashPosition at = centredSplashPosition(w, h, 459, 219);
            ASSERT_EQ(at.left, static_cast<int>(std::lround((w * 15 - 459 * 15) / 2 / 15.0))) << w;
            ASSERT_EQ(at.top, static_cast<int>(std::lround((h * 15 - 219 * 15) / 2 / 15.0))) << h;
        }
    }
    EXPECT_EQ(secondsSinceMidnight(0, 0, 0, 0), 0.0F);
    // Single precision: a millisecond before midnight already reads as 86,400.
    EXPECT_EQ(secondsSinceMidnight(23, 59, 59, 999), 86400.0F);
    EXPECT_EQ(secondsSinceMidnight(12, 0, 1, 500), 43201.5F);
}

} // namespace
} // namespace tolvane
