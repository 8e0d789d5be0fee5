// tween_test.cpp - the tween pool, its running list, completion handlers
// and the easing curves.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>

#include "tween/tween.h"

namespace {

float linear(float t) {
    return t;
}

// The list must stay a proper list: count matches, every slot in use, no
// slot twice, and every in-use slot of the pool linked.
void expect_list_sound() {
    std::set<const TweenSlot*> seen;
    for (const TweenSlot* slot = active_tweens; slot; slot = slot->next) {
        ASSERT_TRUE(seen.insert(slot).second) << "slot linked twice";
        ASSERT_TRUE(slot->in_use);
        ASSERT_GE(slot, tween_pool);
        ASSERT_LT(slot, tween_pool + TWEEN_POOL_SIZE);
    }
    EXPECT_EQ(seen.size(), (size_t)active_tween_count);
    int in_use = 0;
    for (const TweenSlot& slot : tween_pool) in_use += slot.in_use ? 1 : 0;
    EXPECT_EQ(in_use, (int)active_tween_count);
}

class TweenTest : public ::testing::Test {
protected:
    void SetUp() override { clear_tweens(); }
    void TearDown() override { clear_tweens(); }
};

class TweenUpdate : public TweenTest {};
class TweenList : public TweenTest {};
class TweenEase : public TweenTest {};

int done_calls;
void count_done(TweenSlot*) {
    done_calls++;
}

TEST_F(TweenUpdate, DelayHoldsTheTargetThenStartsFromFrom) {
    float value = 42.0f;
    start_tween("late", &value, 10.0f, 20.0f, 1.0f, linear, 0.5f);
    update_tweens(0.25f);
    update_tweens(0.25f);
    EXPECT_EQ(value, 42.0f);
    update_tweens(0.25f);
    EXPECT_FLOAT_EQ(value, 12.5f);
    update_tweens(0.25f);
    EXPECT_FLOAT_EQ(value, 15.0f);
}

TEST_F(TweenUpdate, LongFrameClampsToTheEndAndEndsOnce) {
    float value = 0.0f;
    done_calls = 0;
    start_tween("quick", &value, 0.1f, 0.7f, 0.1f, ease_out_sine, 0.0f, false, count_done);
    update_tweens(1.0f / 30.0f * 5.0f);
    EXPECT_EQ(value, 0.7f);
    EXPECT_EQ(done_calls, 1);
    EXPECT_EQ(active_tween_count, 0);
    update_tweens(0.1f);
    EXPECT_EQ(done_calls, 1);
    // The freed slot is all zero again.
    TweenSlot zero;
    memset(&zero, 0, sizeof zero);
    EXPECT_EQ(memcmp(&tween_pool[0], &zero, sizeof zero), 0);
}

TEST_F(TweenUpdate, ZeroDurationEndsAtOnceWithoutDividingByZero) {
    float value = 3.0f;
    done_calls = 0;
    start_tween("instant", &value, 3.0f, 8.0f, 0.0f, ease_in_sine, 0.0f, false, count_done);
    update_tweens(0.0f);
    EXPECT_EQ(value, 8.0f);
    EXPECT_EQ(done_calls, 1);
}

TEST_F(TweenUpdate, BumpReturnsToItsStart) {
    float scale = 1.0f;
    start_tween("tile3_bounce", &scale, 1.0f, 1.2f, 0.3f, ease_bump);
    float peak = 0.0f;
    for (int frame = 0; frame < 60 && active_tween_count; frame++) {
        update_tweens(1.0f / 60.0f);
        peak = std::max(peak, scale);
    }
    EXPECT_EQ(active_tween_count, 0);
    EXPECT_NEAR(peak, 1.2f, 1e-3f);
    EXPECT_EQ(scale, 1.0f);
}

int lifted_calls, removed_calls;
void on_removed(TweenSlot*) {
    removed_calls++;
}
void on_lifted(TweenSlot* slot) {
    lifted_calls++;
    slot->duration = 0.5f;
    slot->elapsed = 0.0f;
    slot->ease = ease_in_sine;
    slot->on_done = on_removed;
    slot->from = tween_target_value(slot);
    slot->to = -1.0f;
    slot->hold = 0;
}

TEST_F(TweenUpdate, HeldSlotChainsIntoASecondPhase) {
    float scale = 0.0f;
    lifted_calls = removed_calls = 0;
    TweenSlot* slot = start_tween("tile7_bounce", &scale, 0.0f, 0.2f, 0.25f, ease_out_sine, 0.0f,
                                  true, on_lifted, 7);
    ASSERT_NE(slot, nullptr);
    update_tweens(0.25f);
    EXPECT_EQ(lifted_calls, 1);
    EXPECT_FLOAT_EQ(scale, 0.2f);
    // Still running, same slot, second phase.
    EXPECT_EQ(active_tween_count, 1);
    EXPECT_EQ(active_tweens, slot);
    EXPECT_EQ(slot->user, 7);
    update_tweens(0.25f);
    EXPECT_NEAR(scale, 0.2f + (-1.2f) * (1.0f - cosf(0.25f * (float)M_PI)), 1e-5f);
    update_tweens(0.25f);
    EXPECT_EQ(scale, -1.0f);
    EXPECT_EQ(lifted_calls, 1);
    EXPECT_EQ(removed_calls, 1);
    EXPECT_EQ(active_tween_count, 0);
    EXPECT_FALSE(slot->in_use);
}

TEST_F(TweenUpdate, AtomicTargetIsDriven) {
    std::atomic<float> volume{0.0f};
    start_tween("music_fade_in", &volume, 0.0f, 0.75f, 1.0f, ease_out_sine);
    update_tweens(0.5f);
    EXPECT_NEAR(volume.load(), 0.75f * sinf(0.25f * (float)M_PI), 1e-6f);
    EXPECT_NEAR(tween_target_value(active_tweens), volume.load(), 0.0f);
    update_tweens(0.5f);
    EXPECT_EQ(volume.load(), 0.75f);
}

TEST_F(TweenList, StopByNameLeavesTheValue) {
    float a = 0.0f, b = 0.0f;
    start_tween("tile12_shuffle_x", &a, 0.0f, 10.0f, 1.0f, linear);
    start_tween("tile12_shuffle_y", &b, 0.0f, 10.0f, 1.0f, linear);
    update_tweens(0.5f);
    stop_tween("tile%d_shuffle_%c", 12, 'x');
    stop_tween("no_such_tween");
    EXPECT_EQ(active_tween_count, 1);
    update_tweens(0.25f);
    EXPECT_FLOAT_EQ(a, 5.0f);
    EXPECT_FLOAT_EQ(b, 7.5f);
    expect_list_sound();
}

TEST_F(TweenList, StopByPrefix) {
    float v = 0.0f;
    const char* lines[] = {"line_alpha", "line_scale", "line_alpha2", "line_scale2"};
    for (const char* name : lines) start_tween(name, &v, 0.0f, 1.0f, 1.0f, linear);
    start_tween("help_popup_line_alpha", &v, 0.0f, 1.0f, 1.0f, linear);
    start_tween("tile4_bounce", &v, 0.0f, 1.0f, 1.0f, linear);
    stop_tweens_with_prefix("line");
    EXPECT_EQ(active_tween_count, 2);
    for (const char* name : lines) EXPECT_EQ(find_tween(name), nullptr) << name;
    EXPECT_NE(find_tween("help_popup_line_alpha"), nullptr);
    EXPECT_NE(find_tween("tile4_bounce"), nullptr);
    expect_list_sound();
    stop_tweens_with_prefix(nullptr);
    EXPECT_EQ(active_tween_count, 0);
    EXPECT_EQ(active_tweens, nullptr);
    expect_list_sound();
}

TEST_F(TweenList, NewestFirstAndLowestFreeSlot) {
    float v = 0.0f;
    TweenSlot* a = start_tween("a", &v, 0, 1, 1, linear);
    TweenSlot* b = start_tween("b", &v, 0, 1, 1, linear);
    EXPECT_EQ(a, &tween_pool[0]);
    EXPECT_EQ(b, &tween_pool[1]);
    EXPECT_EQ(active_tweens, b);
    EXPECT_EQ(b->next, a);
    stop_tween("a");
    EXPECT_EQ(start_tween("c", &v, 0, 1, 1, linear), &tween_pool[0]);
    // Two of one name may run; the newest is found first.
    TweenSlot* second_b = start_tween("b", &v, 0, 1, 1, linear);
    EXPECT_EQ(find_tween("b"), second_b);
    expect_list_sound();
}

uint8_t done_user;
void note_done_user(TweenSlot* slot) {
    done_user = slot->user;
    done_calls++;
}

TEST_F(TweenList, FullPoolJumpsToTheEndAndRunsOnDoneAtOnce) {
    float values[TWEEN_POOL_SIZE + 1] = {};
    char name[32];
    for (int i = 0; i < TWEEN_POOL_SIZE; i++) {
        snprintf(name, sizeof name, "tile%d_shuffle_x", i);
        ASSERT_NE(start_tween(name, &values[i], 0, 1, 1, linear), nullptr);
    }
    done_calls = 0;
    testing::internal::CaptureStderr();
    EXPECT_EQ(start_tween("one_too_many", &values[TWEEN_POOL_SIZE], 0, 4, 1, linear, 2.0f, true,
                          note_done_user, 7),
              nullptr);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("one_too_many"), std::string::npos);
    EXPECT_EQ(values[TWEEN_POOL_SIZE], 4.0f);
    EXPECT_EQ(done_calls, 1);
    EXPECT_EQ(done_user, 7);
    EXPECT_EQ(active_tween_count, TWEEN_POOL_SIZE);
    expect_list_sound();
    update_tweens(0.5f);
    EXPECT_FLOAT_EQ(values[0], 0.5f);
    EXPECT_FLOAT_EQ(values[TWEEN_POOL_SIZE - 1], 0.5f);
    EXPECT_EQ(done_calls, 1);

    stop_tween("tile%d_shuffle_x", 17);
    EXPECT_EQ(start_tween("fits_again", &values[TWEEN_POOL_SIZE], 0, 1, 1, linear), &tween_pool[17]);
    expect_list_sound();
}

// Handlers that change the list while it is being walked.
float walk_value;
void stop_the_older(TweenSlot*) {
    stop_tween("older");
}
void stop_older_and_start_another(TweenSlot*) {
    stop_tween("older");
    start_tween("newcomer", &walk_value, 5.0f, 6.0f, 1.0f, linear);
}
void restart_self(TweenSlot*) {
    stop_tween("self");
    start_tween("again", &walk_value, 0.0f, 1.0f, 1.0f, linear);
}

TEST_F(TweenList, OnDoneMayStopTheNextTween) {
    float oldest = 0.0f, older = 0.0f;
    start_tween("oldest", &oldest, 0.0f, 1.0f, 1.0f, linear);
    start_tween("older", &older, 0.0f, 1.0f, 1.0f, linear);
    start_tween("ends_now", &walk_value, 0.0f, 1.0f, 0.0f, linear, 0.0f, false, stop_the_older);
    // Walk order: ends_now, older (stopped by the handler), oldest.
    update_tweens(0.25f);
    EXPECT_EQ(older, 0.0f);
    EXPECT_FLOAT_EQ(oldest, 0.25f);
    EXPECT_EQ(active_tween_count, 1);
    expect_list_sound();
}

TEST_F(TweenList, SlotReusedInsideOnDoneWaitsForTheNextFrame) {
    float oldest = 0.0f, older = 0.0f;
    walk_value = -1.0f;
    start_tween("oldest", &oldest, 0.0f, 1.0f, 1.0f, linear);
    TweenSlot* older_slot = start_tween("older", &older, 0.0f, 1.0f, 1.0f, linear);
    start_tween("ends_now", &older, 0.0f, 1.0f, 0.0f, linear, 0.0f, false,
                stop_older_and_start_another);
    update_tweens(0.25f);
    TweenSlot* newcomer = find_tween("newcomer");
    ASSERT_EQ(newcomer, older_slot);  // took the stopped tween's slot
    EXPECT_EQ(newcomer->elapsed, 0.0f);
    EXPECT_EQ(walk_value, -1.0f);
    EXPECT_FLOAT_EQ(oldest, 0.25f);
    EXPECT_FLOAT_EQ(find_tween("oldest")->elapsed, 0.25f);
    expect_list_sound();
    update_tweens(0.25f);
    EXPECT_FLOAT_EQ(walk_value, 5.25f);
}

TEST_F(TweenList, OnDoneMayStopItselfAndStartAnother) {
    walk_value = 0.0f;
    TweenSlot* self = start_tween("self", &walk_value, 0.0f, 1.0f, 0.1f, linear, 0.0f, false, restart_self);
    update_tweens(0.5f);
    TweenSlot* again = find_tween("again");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again, self);  // the same slot, now a different tween
    EXPECT_EQ(active_tween_count, 1);
    expect_list_sound();
}

TEST_F(TweenList, CellTweensGoByKindAndCellUnderTheirTileNames) {
    float value = 0.0f;
    const TweenKind kinds[] = {TWEEN_BOUNCE, TWEEN_APPEAR, TWEEN_SHUFFLE_X, TWEEN_SHUFFLE_Y};
    const char* names[] = {"tile12_bounce", "tile12_appear", "tile12_shuffle_x", "tile12_shuffle_y"};
    for (int k = 0; k < 4; k++) {
        TweenSlot* slot = start_cell_tween(kinds[k], 12, &value, 0.0f, 1.0f, 1.0f, linear);
        EXPECT_EQ(find_tween(names[k]), slot);
        EXPECT_EQ(find_cell_tween(kinds[k], 12), slot);
        EXPECT_EQ(slot->user, 12);
    }
    EXPECT_EQ(find_cell_tween(TWEEN_BOUNCE, 13), nullptr);
    stop_cell_tween(TWEEN_APPEAR, 12);
    EXPECT_EQ(find_tween("tile12_appear"), nullptr);
    EXPECT_EQ(active_tween_count, 3);
    stop_tweens_with_prefix("tile");
    EXPECT_EQ(active_tween_count, 0);
}

TEST_F(TweenEase, CurvesMeetTheirEnds) {
    EXPECT_EQ(ease_out_sine(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(ease_out_sine(1.0f), 1.0f);
    EXPECT_EQ(ease_in_sine(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(ease_in_sine(1.0f), 1.0f);
    EXPECT_EQ(ease_bump(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(ease_bump(0.5f), 1.0f);
    EXPECT_EQ(ease_bump(1.0f), 0.0f);
    // Out-sine is ahead of the straight line, in-sine behind it; the bump
    // is symmetric around its peak.
    for (float t = 0.1f; t < 0.95f; t += 0.1f) {
        EXPECT_GT(ease_out_sine(t), t);
        EXPECT_LT(ease_in_sine(t), t);
        EXPECT_NEAR(ease_bump(t), ease_bump(1.0f - t), 1e-5f);
    }
}

}  // namespace
