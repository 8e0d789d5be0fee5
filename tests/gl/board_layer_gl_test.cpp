// board_layer_gl_test.cpp - the retained board layer against drawing
// everything directly: pixel for pixel the same at rest on the 9 x 10 board,
// the practice boards and under each overlay, also where only the changed
// cells were drawn again; rebuilt when a tile starts or stops moving and
// reused while nothing rests differently.
#include <cstring>
#include <vector>

#include "board/level.h"
#include "board/tutorial.h"
#include "gl/screen_fixture.h"
#include "render/layer.h"
#include "screen/click.h"
#include "screen/level_flow.h"
#include "screen/shuffle_flow.h"
#include "screen/tutorial_flow.h"
#include "screen/game_state.h"
#include "ui/overlays.h"
#include "ui/popups.h"

namespace {

std::vector<uint8_t> frame_drawn(bool with_layer) {
    layer_enabled = with_layer;
    glClear(GL_COLOR_BUFFER_BIT);
    draw_game_screen();
    layer_enabled = true;
    return read_framebuffer(540, 960);
}

::testing::AssertionResult same_pixels(const std::vector<uint8_t>& a,
                                       const std::vector<uint8_t>& b) {
    int differing = 0, first = -1;
    for (size_t i = 0; i < a.size(); i += 4)
        if (memcmp(&a[i], &b[i], 3) != 0 && differing++ == 0) first = (int)(i / 4);
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ, the first at ("
                                         << first % 540 << ", " << first / 540 << ")";
}

// Direct, freshly built layer, and the layer as kept: all three the same,
// and the kept one was not built again.
void expect_layer_matches_direct(const char* what) {
    SCOPED_TRACE(what);
    std::vector<uint8_t> direct = frame_drawn(false);
    invalidate_layer();
    uint32_t builds = layer_build_count;
    std::vector<uint8_t> built = frame_drawn(true);
    std::vector<uint8_t> kept = frame_drawn(true);
    EXPECT_TRUE(same_pixels(direct, built));
    EXPECT_TRUE(same_pixels(direct, kept));
    EXPECT_LE(layer_build_count, builds + 1u);
}

}  // namespace

TEST_F(ScreenGl, BoardLayerDrawsTheRestingBoardExactlyAsDirectDrawing) {
    go_to_level(10);
    ASSERT_EQ(board.width * board.height, 90);
    expect_layer_matches_direct("9 x 10 board");

    uint8_t cell = (uint8_t)(board.width + 1);
    ASSERT_NE(board.cells[cell], EMPTY_CELL);
    handle_click(true, true, cell_screen_position(cell).x, cell_screen_position(cell).y);
    frames_for(1.0f);
    ASSERT_TRUE(level_state.selected);
    expect_layer_matches_direct("a selected tile");

    show_no_moves();
    expect_layer_matches_direct("no moves");
    open_menu_panel();
    open_progress_panel();
    frames_for(1.0f);
    expect_layer_matches_direct("menu and progress panel");
    close_progress_panel();
    close_overlay(OVERLAY_MENU_PANEL);
    hide_no_moves();
    open_win_popup();
    frames_for(1.0f);
    expect_layer_matches_direct("win popup");
    close_overlay(OVERLAY_WIN_POPUP);
    open_lose_popup();
    frames_for(1.0f);
    expect_layer_matches_direct("lose popup");
    close_overlay(OVERLAY_LOSE_POPUP);
    open_win2_popup();
    frames_for(3.0f);
    expect_layer_matches_direct("tile-set complete popup");
    close_overlay(OVERLAY_WIN2_POPUP);
    open_overlay(OVERLAY_SETTINGS_POPUP);
    expect_layer_matches_direct("settings popup");
    close_overlay(OVERLAY_SETTINGS_POPUP);

    start_tutorial();
    for (int step = 1; step <= 3; step++) {
        ASSERT_EQ(tutorial.step, step);
        frames_for(0.5f);
        expect_layer_matches_direct(step == 1 ? "practice board 1" : "next practice board");
        if (step < 3) next_tutorial_step();
    }
    end_tutorial();
}

TEST_F(ScreenGl, BoardLayerIsBuiltAgainOnlyWhenATileStartsOrStopsMoving) {
    go_to_level(10);
    draw_frame();
    draw_frame();
    uint32_t builds = layer_build_count;
    draw_frame();
    EXPECT_EQ(layer_build_count, builds) << "nothing changed, yet the layer was built";

    uint8_t cell = (uint8_t)(board.width + 1);
    Vec2 at = cell_screen_position(cell);
    handle_click(true, true, at.x, at.y);
    frames(1);
    draw_frame();
    EXPECT_EQ(layer_build_count, builds + 1) << "the bouncing tile left the layer";
    frames(2);
    draw_frame();
    EXPECT_EQ(layer_build_count, builds + 1) << "the bounce goes on over the same layer";
    EXPECT_TRUE(same_pixels(frame_drawn(false), frame_drawn(true))) << "mid-bounce";
    frames_for(1.0f);
    draw_frame();
    EXPECT_EQ(layer_build_count, builds + 2) << "the tile at rest again is in the layer";
    EXPECT_TRUE(same_pixels(frame_drawn(false), frame_drawn(true))) << "after the bounce";

    // A pair removed from the middle of the board: its cells drawn again.
    int partner = -1;
    for (int i = 0; i < board.width * board.height && partner < 0; i++)
        if (i != cell && board.cells[i] == board.cells[cell]) partner = i;
    ASSERT_GE(partner, 0);
    Vec2 other = cell_screen_position((uint8_t)partner);
    handle_click(true, true, at.x, at.y);
    handle_click(true, true, other.x, other.y);
    frames(1);
    draw_frame();
    frames_for(1.0f);
    draw_frame();
    EXPECT_TRUE(same_pixels(frame_drawn(false), frame_drawn(true))) << "after two presses";

    // Without a layer of that size the frame is drawn directly.
    EXPECT_FALSE(begin_layer_build(0, 0));
}
