// frame_timing_test.cpp - the main loop's arithmetic: delta clamp, pacing
// sleep, the once-a-second frame count and the half-second file checks.
#include "app/frame_timing.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const float min_time = 0.005f;

TEST(FrameDelta, StallIsClampedToOneThirtieth) {
    EXPECT_EQ(clamp_frame_delta(2.0), 1.0f / 30.0f);
    EXPECT_EQ(clamp_frame_delta(2.0), 0.033333335f);
    EXPECT_EQ(clamp_frame_delta(0.034), max_frame_delta);
}

TEST(FrameDelta, ShortFramesPassThroughAsFloats) {
    EXPECT_EQ(clamp_frame_delta(0.016), 0.016f);
    EXPECT_EQ(clamp_frame_delta(1.0 / 30.0), 1.0f / 30.0f);
    EXPECT_EQ(clamp_frame_delta(0.0), 0.0f);
}

TEST(FramePacing, OneMillisecondOfWorkSleepsAboutFour) {
    int64_t sleep = frame_sleep_us(0.001, min_time);
    EXPECT_GE(sleep, 3999);
    EXPECT_LE(sleep, 4000);
}

TEST(FramePacing, FiveMillisecondsOrMoreNeverSleep) {
    EXPECT_EQ(frame_sleep_us(0.005, min_time), 0);
    EXPECT_EQ(frame_sleep_us(0.0051, min_time), 0);
    EXPECT_EQ(frame_sleep_us(0.5, min_time), 0);
}

TEST(FramePacing, SleepIsTheTruncatedRestInWholeMicroseconds) {
    int64_t previous = frame_sleep_us(0.0, min_time);
    EXPECT_GE(previous, 4999);
    EXPECT_LE(previous, 5000);
    for (int tenth_ms = 1; tenth_ms <= 60; tenth_ms++) {
        double work = tenth_ms * 0.0001;
        int64_t sleep = frame_sleep_us(work, min_time);
        double rest_us = ((double)min_time - work) * 1e6;
        EXPECT_GE(sleep, 0);
        EXPECT_LE((double)sleep, rest_us > 0 ? rest_us : 0.0) << work;  // never oversleeps
        EXPECT_GT((double)sleep, rest_us - 1.0) << work;                // only truncation lost
        EXPECT_LE(sleep, previous);
        previous = sleep;
    }
}

TEST(FpsTitle, CountCoversAtLeastOneSecond) {
    double last_title = 0;
    uint16_t counter = 0;
    int fps = -1;
    for (int k = 1; k < 60; k++) {
        EXPECT_FALSE(count_frame(k / 60.0, &last_title, &counter, &fps)) << k;
    }
    EXPECT_EQ(fps, -1);
    EXPECT_TRUE(count_frame(60 / 60.0, &last_title, &counter, &fps));
    EXPECT_EQ(fps, 60);
    EXPECT_EQ(counter, 0);
    EXPECT_EQ(last_title, 1.0);

    // A slow second: the count is what happened, not scaled to one second.
    EXPECT_FALSE(count_frame(1.5, &last_title, &counter, &fps));
    EXPECT_TRUE(count_frame(3.0, &last_title, &counter, &fps));
    EXPECT_EQ(fps, 2);
}

TEST(FpsTitle, Format) {
    char title[64];
    format_fps_title(title, sizeof title, "game", 60);
    EXPECT_EQ(std::string(title), "game (fps: 60)");
    char tiny[6];
    format_fps_title(tiny, sizeof tiny, "game", 60);
    EXPECT_EQ(std::string(tiny), "game ");
}

TEST(FileChecks, AtMostTwiceASecond) {
    double last = 10.0;
    EXPECT_FALSE(file_check_due(10.3, &last));
    EXPECT_FALSE(file_check_due(10.5, &last));  // exactly half a second is not more
    EXPECT_EQ(last, 10.0);
    EXPECT_TRUE(file_check_due(10.51, &last));
    EXPECT_EQ(last, 10.51);
    EXPECT_FALSE(file_check_due(10.6, &last));
    EXPECT_TRUE(file_check_due(20.0, &last));
}

}  // namespace
