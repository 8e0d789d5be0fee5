// draw.cpp - one whole frame of the game screen: background, the board
// (lines, tiles with shadows, selection, ghosts), the header and footer
// (progress bar, labels, menu button) and the open panels and popups on top.
// Nothing here changes game state; it only reads it.
//
// What rests (the background, the no-moves plate, the tutorial's demo line
// and every tile that does not move) is kept in the retained layer and
// drawn again only when it changes; each frame copies the layer and draws
// what moves, the header and the overlays over it.
#include "render/matrix.h"
#include "render/panel.h"
#include "render/primitives.h"

#include <cmath>
#include <cstddef>
#include <cstring>

#include "board/board.h"
#include "board/level.h"
#include "board/progress.h"
#include "board/tutorial.h"
#include "platform/window_metrics.h"
#include "render/font.h"
#include "render/layer.h"
#include "screen/board_cursor.h"
#include "screen/board_view.h"
#include "screen/game_screen.h"
#include "screen/game_screen_keys.h"
#include "screen/game_state.h"
#include "screen/labels.h"
#include "screen/pause.h"
#include "tween/tween.h"
#include "ui/overlays.h"
#include "ui/popups.h"
#include "ui/ui_common.h"

namespace {

// The colour with its alpha multiplied by a fade factor (0..1).
Color4 faded(Color4 c, float factor) {
    float a = c.a * factor;
    if (a < 0) a = 0;
    if (a > 255) a = 255;
    c.a = (uint8_t)a;
    return c;
}

void draw_line(const Vec2* points, int count, float h, Color4 color) {
    LineRect rects[3];
    int n = line_segment_rects(points, count, h, rects);
    for (int k = 0; k < n; k++)
        draw_rect(rects[k].x, rects[k].y, rects[k].width, rects[k].height, color.r, color.g,
                  color.b, color.a);
}

float board_centre_y() {
    return (float)(logical_height / 2) + (board_header_height() - board_footer_height()) / 2;
}

bool is_wall(uint8_t value) {
    return tutorial_active && value == WALL;
}

void draw_tile(int i, uint8_t value) {
    if (is_wall(value)) {
        draw_panel_shape(&tile_face, 0, 0, packed_color(help_ghost_tile_bg_color));
    } else {
        draw_panel_shape(&tile_face, 0, 0, pack_color(255, 255, 255, 255));
        // A tile whose picture is missing shows its face alone.
        push_matrix();
        scale_matrix(tile_icon_scale, tile_icon_scale);
        draw_texture_centered(cell_sprites()[i].texture, 0, 0);
        pop_matrix();
    }
    if ((level_state.selected && level_state.selected_cell == i) || level_state.removing[i]) {
        const Color4& c = tile_selection_color;
        push_matrix();
        translate_matrix(-tile_selection_size.x / 2, -tile_selection_size.y / 2);
        draw_rect_outline(0, 0, tile_selection_size.x, tile_selection_size.y,
                          tile_selection_stroke_size, c.r, c.g, c.b, c.a);
        pop_matrix();
    }
}

// Which tiles a drawing covers: all of them (drawing directly), the ones at
// rest (the layer) or the ones that move (over the layer).
enum TileSet : uint8_t { ALL_TILES, RESTING_TILES, MOVING_TILES };

bool tile_moving(int i) {
    return level_state.removing[i] || view.shuffling[i] || view.draw_layer[i] != 0 || cell_sprites()[i].scale != 0.0f;
}

// While part of the layer is drawn again, resting tiles whose footprint
// (face, shadow, selection frame) lies wholly outside that part are left
// out: the pixels there stay as they were.
struct CullBox {
    bool on;
    float x0, y0, x1, y1;  // layout units around the board's centre
} tile_cull;

float tile_footprint_radius() {
    float r = 45;  // face 40, shadow 5 further
    if (tile_selection_size.x / 2 > r) r = tile_selection_size.x / 2;
    if (tile_selection_size.y / 2 > r) r = tile_selection_size.y / 2;
    return r + 3;
}

bool culled(int i) {
    if (!tile_cull.on) return false;
    Vec2 at = cell_home_position((uint8_t)i);
    float r = tile_footprint_radius();
    return at.x + r < tile_cull.x0 || at.x - r > tile_cull.x1 || at.y + r < tile_cull.y0 ||
           at.y - r > tile_cull.y1;
}

bool tile_in_set(int i, TileSet set) {
    if (set == ALL_TILES) return true;
    return tile_moving(i) == (set == MOVING_TILES);
}

// Three passes so that a bouncing tile (layer 1) and the second tile of a
// removed pair (layer 2) lie over their neighbours; shadows all go first.
void draw_tiles(TileSet set) {
    int cells = board.width * board.height;
    for (int pass = 0; pass < 3; pass++) {
        for (int i = 0; i < cells; i++) {
            uint8_t value = board.cells[i];
            if (value == EMPTY_CELL && !level_state.removing[i]) continue;
            if (!tile_in_set(i, set) || (set != MOVING_TILES && culled(i))) continue;
            Vec2 at =
                view.shuffling[i] ? Vec2{cell_sprites()[i].x, cell_sprites()[i].y} : cell_home_position((uint8_t)i);
            float scale = 1 + cell_sprites()[i].scale;
            if (pass == 0 && !is_wall(value)) {
                push_matrix();
                translate_matrix(at.x, at.y);
                scale_matrix(scale, scale);
                draw_panel_shape(&tile_face, 5, 5, pack_color(0, 0, 0, 32));
                pop_matrix();
            }
            if (view.draw_layer[i] != pass) continue;
            push_matrix();
            translate_matrix(at.x, at.y);
            scale_matrix(scale, scale);
            draw_tile(i, value);
            pop_matrix();
        }
    }
}

void draw_ghosts() {
    int cells = board.width * board.height;
    float scale = view.ghost_appear_factor * ghost_scale;
    for (int i = 0; i < cells; i++) {
        if (!ghost[i]) continue;
        Vec2 at = cell_home_position((uint8_t)i);
        push_matrix();
        translate_matrix(at.x, at.y);
        scale_matrix(scale, scale);
        draw_panel_shape(&tile_face, 0, 0, packed_color(ghost_color));
        pop_matrix();
    }
}

// The demo line fades out over the tiles' removal; until then it rests.
bool demo_line_resting() {
    return find_tween("help_popup_line_alpha") == nullptr;
}

bool demo_line_in_set(TileSet set) {
    if (set == ALL_TILES) return true;
    return demo_line_resting() == (set == RESTING_TILES);
}

void draw_board(TileSet set) {
    float s = board_scale();
    push_matrix();
    translate_matrix((float)(logical_width / 2), board_centre_y());
    scale_matrix(s, s);

    // The level's overlay is sized for the level's board, not a practice one.
    if (set != MOVING_TILES && no_moves_shown() && !tutorial_active)
        draw_panel_shape(&grid_background, 0, 0, packed_color(no_moves_settings.grid_bg_color));
    if (view.demo_alpha > 0 && demo_line_in_set(set))
        draw_line(tutorial.demo_points, tutorial.demo_count, help_ghost_line_size / 2,
                  faded(help_ghost_line_color, view.demo_alpha));
    // The line joins tiles that are being removed: it never rests.
    if (set != RESTING_TILES && view.line_alpha > 0)
        draw_line(view.line_points, view.line_point_count,
                  line_size * view.line_scale / 2,
                  faded(line_color, view.line_alpha));
    draw_tiles(set);
    // Ghost flags belong to the level's board, which the tutorial set aside.
    if (set != RESTING_TILES && pairs_countdown && !tutorial_active) draw_ghosts();

    pop_matrix();
}

void draw_progress_bar() {
    const ProgressBarSettings& p = progress_bar;
    int current = (level - 1) % 10;
    push_matrix();
    translate_matrix((float)(logical_width / 2), p.y_from_top);
    float x = -(9 * p.padding + 10 * p.cell_w) / 2;
    for (int k = 0; k < 10; k++) {
        if (k < current) {
            const Color4& c = p.color_dark;
            draw_rect(x, 0, p.cell_w, p.cell_h, c.r, c.g, c.b, c.a);
        } else if (k == current) {
            float y = (p.cell_h - p.cell_h_current) / 2;
            const Color4& m = p.color_medium;
            const Color4& d = p.color_dark;
            draw_rect(x, y, p.cell_w, p.cell_h_current, m.r, m.g, m.b, m.a);
            draw_rect_outline(x, y, p.cell_w, p.cell_h_current, 1, d.r, d.g, d.b, d.a);
        } else {
            const Color4& c = p.color_light;
            draw_rect(x, 0, p.cell_w, p.cell_h, c.r, c.g, c.b, c.a);
        }
        x += p.cell_w + p.padding;
    }
    pop_matrix();
}

void draw_header_label(const TextLabel* label, const HeaderLabelSettings& s, uint8_t alpha) {
    draw_label(label, (float)(logical_width / 2), s.y_from_top, s.color.r, s.color.g, s.color.b,
               alpha);
}

void draw_header_and_footer() {
    float cx = (float)(logical_width / 2);
    draw_progress_bar();
    draw_header_label(&level_label, level_label_settings, level_label_settings.color.a);
    if (time_challenge || pairs_countdown)
        draw_header_label(&challenge_label, challenge_label_settings,
                          challenge_label_settings.color.a);
    // Paused, the values that change stay hidden with the board.
    bool paused = level_paused();
    if (time_challenge && !paused)
        draw_header_label(&timer_label, timer_label_settings,
                          timer_label_alpha(timer_label_settings.color.a, view.timer_highlight,
                                            timer_label_settings.highlight_duration));
    if (pairs_countdown && !paused)
        draw_header_label(&moves_label, moves_label_settings, moves_label_settings.color.a);

    if (no_moves_shown() && !paused) {
        const NoMovesSettings& n = no_moves_settings;
        float g = grid_background.height / 2 * board_scale();
        float mid = board_centre_y();
        draw_label_color(&no_moves_label1, cx, mid - g + n.label1_y_from_grid_top,
                         n.label1_text_color);
        draw_label_color(&no_moves_label2, cx, mid + g + n.label2_y_from_grid_bottom,
                         n.label2_text_color);
    }

    // The click handling hit-tests exactly this rectangle.
    push_matrix();
    translate_matrix(logical_width + menu_button_rel_pos.x - menu_button_size.x / 2,
                     menu_button_size.y / 2 + menu_button_rel_pos.y);
    draw_button(&menu_button_shape, &menu_button_label, 0, 0, menu_button_color,
                menu_button_text_color);
    pop_matrix();
}

void draw_overlays() {
    if (overlay_open(OVERLAY_MENU_PANEL)) draw_menu_panel();
    if (overlay_open(OVERLAY_PROGRESS_PANEL)) draw_progress_panel();
    if (overlay_open(OVERLAY_SETTINGS_POPUP)) draw_settings_popup();
    if (overlay_open(OVERLAY_WIN_POPUP)) draw_win_popup();
    if (overlay_open(OVERLAY_WIN2_POPUP)) draw_win2_popup();
    if (overlay_open(OVERLAY_LOSE_POPUP)) draw_lose_popup();
    if (tutorial_active) draw_help_popup();
    if (level_paused()) draw_pause_plate();
}

}  // namespace

uint8_t timer_label_alpha(uint8_t alpha, float highlight, float duration) {
    if (highlight <= 0) return alpha;
    float share = duration > 0 ? highlight / duration : 1.0f;
    if (share > 1) share = 1;
    return (uint8_t)(share * share * (255 - alpha) + alpha);
}

Vec2 grid_background_size(uint8_t width, uint8_t height, float padding, float margin) {
    Vec2 size = {0, 0};
    if (width < 2 || height < 2) return size;
    size.x = (width - 2) * (float)TILE_SIZE + (width - 3) * padding + 2 * margin;
    size.y = (height - 2) * (float)TILE_SIZE + (height - 3) * padding + 2 * margin;
    return size;
}

PanelShape grid_background;

void rebuild_grid_background() {
    // The plate belongs to the level's board, also when a re-read comes
    // while the tutorial's practice board is out.
    const Board* level_board = tutorial_active ? tutorial_set_aside_board() : &board;
    Vec2 size = grid_background_size(level_board->width, level_board->height,
                                     padding_between_tiles, no_moves_settings.grid_bg_padding);
    create_panel_shape(&grid_background, size.x, size.y);
}

int line_segment_rects(const Vec2* points, int count, float h, LineRect* out) {
    if (count > 4) count = 4;
    int n = 0;
    for (int k = 0; k + 1 < count; k++) {
        Vec2 p = points[k], q = points[k + 1];
        // Cells of one column share their x; a segment starts at the cell
        // with the smaller index, i.e. the upper or the left one.
        bool vertical = p.x == q.x;
        if (vertical ? q.y < p.y : q.x < p.x) {
            Vec2 t = p;
            p = q;
            q = t;
        }
        LineRect r;
        if (vertical) {
            r = {p.x - h, p.y - h, q.x - p.x + 2 * h, q.y - p.y + 2 * h};
        } else {
            r = {p.x + h, p.y - h, q.x - p.x - 2 * h, q.y - p.y + 2 * h};
            if (r.width < 0) r.width = 0;  // too short to show between the corners
        }
        out[n++] = r;
    }
    return n;
}

namespace {

// Everything the resting picture depends on besides the settings, the
// pictures and the window, whose changes invalidate the layer directly.
// The cells come first: a change there alone redraws only those cells.
struct LayerKey {
    uint8_t cells[BOARD_MAX_CELLS];  // resting tiles; EMPTY_CELL where none rests
    const Texture* pictures[BOARD_MAX_CELLS];
    uint8_t selected_cell;  // 255: none
    const CellSprite* sprites;
    uint16_t width, height;
    uint8_t board_width, board_height;
    uint8_t plate, tutorial, demo_count;
    float demo_alpha;
    Vec2 demo_points[4];
};

LayerKey built_key;
uint16_t drawn_time_left;  // the clock's second in the last drawn frame

void fill_layer_key(LayerKey* key) {
    memset(key, 0, sizeof *key);
    int cells = board.width * board.height;
    for (int i = 0; i < cells && i < BOARD_MAX_CELLS; i++) {
        if (board.cells[i] == EMPTY_CELL || tile_moving(i)) continue;
        key->cells[i] = board.cells[i];
        key->pictures[i] = cell_sprites()[i].texture;
    }
    key->sprites = cell_sprites();
    // Pixels, not logical size: a shrunken view keeps 540 x 960 logical
    // pixels at any window size.
    key->width = framebuffer_width;
    key->height = framebuffer_height;
    key->board_width = board.width;
    key->board_height = board.height;
    key->selected_cell = level_state.selected ? level_state.selected_cell : 255;
    key->plate = no_moves_shown();
    key->tutorial = tutorial_active;
    if (view.demo_alpha > 0 && demo_line_resting()) {
        key->demo_alpha = view.demo_alpha;
        key->demo_count = tutorial.demo_count;
        memcpy(key->demo_points, tutorial.demo_points, sizeof key->demo_points);
    }
}

void draw_background() {
    draw_rect(0, 0, logical_width, logical_height, bg_color.r, bg_color.g, bg_color.b, 255);
}

bool cell_changed(const LayerKey& a, const LayerKey& b, int i) {
    bool frame = (a.selected_cell == i) != (b.selected_cell == i);
    return frame || a.cells[i] != b.cells[i] || a.pictures[i] != b.pictures[i];
}

// The window pixels round a box of layout units.
void box_pixels(const CullBox& box, int rect[4]) {
    float s = board_scale(), cx = (float)(logical_width / 2), cy = board_centre_y();
    int x0 = (int)floorf(cx + box.x0 * s) - 1, y0 = (int)floorf(cy + box.y0 * s) - 1;
    int x1 = (int)ceilf(cx + box.x1 * s) + 1, y1 = (int)ceilf(cy + box.y1 * s) + 1;
    float k = drawn_pixel_scale();  // framebuffer pixels per logical pixel
    rect[0] = (int)floorf(x0 * k);
    rect[1] = (int)floorf(y0 * k);
    rect[2] = (int)ceilf(x1 * k) - rect[0];
    rect[3] = (int)ceilf(y1 * k) - rect[1];
}

// The window pixels round the cells that differ between the keys, found
// in layout units; false when no cell differs.
bool changed_cells_box(const LayerKey& a, const LayerKey& b, CullBox* box, int rect[4]) {
    int cells = board.width * board.height;
    float r = tile_footprint_radius();
    bool any = false;
    for (int i = 0; i < cells && i < BOARD_MAX_CELLS; i++) {
        if (!cell_changed(a, b, i)) continue;
        Vec2 at = cell_home_position((uint8_t)i);
        if (!any || at.x - r < box->x0) box->x0 = at.x - r;
        if (!any || at.y - r < box->y0) box->y0 = at.y - r;
        if (!any || at.x + r > box->x1) box->x1 = at.x + r;
        if (!any || at.y + r > box->y1) box->y1 = at.y + r;
        any = true;
    }
    if (!any) return false;
    box->on = true;
    box_pixels(*box, rect);
    return true;
}

// A lifted tile (bouncing, or being removed) is drawn over the layer, but
// its shadow lies under the resting tiles that follow it, which the layer
// already holds: round each such shadow the board is drawn again as it is
// drawn directly.
void draw_lifted_shadows_in_order() {
    int cells = board.width * board.height;
    for (int k = 0; k < cells && k < BOARD_MAX_CELLS; k++) {
        if (view.draw_layer[k] == 0 || is_wall(board.cells[k])) continue;
        Vec2 at = view.shuffling[k] ? Vec2{cell_sprites()[k].x, cell_sprites()[k].y} : cell_home_position((uint8_t)k);
        float scale = 1 + cell_sprites()[k].scale, half = TILE_SIZE / 2 * scale, shift = 5 * scale;
        CullBox box = {true, at.x + shift - half, at.y + shift - half, at.x + shift + half,
                       at.y + shift + half};
        int rect[4];
        box_pixels(box, rect);
        clip_to(rect[0], rect[1], rect[2], rect[3], framebuffer_height);
        tile_cull = box;
        draw_background();
        draw_board(ALL_TILES);
        tile_cull = CullBox{};
    }
    end_clip();
}

void draw_resting_picture() {
    draw_background();
    draw_board(RESTING_TILES);
}

// The layer with what rests now, drawn again only where that changed.
// False when there is no layer to draw with.
bool show_resting_board() {
    LayerKey key;
    fill_layer_key(&key);
    bool same_frame = memcmp(&key.sprites, &built_key.sprites,
                             sizeof key - offsetof(LayerKey, sprites)) == 0;
    CullBox box = {};
    int rect[4];
    if (layer_valid() && same_frame) {
        if (changed_cells_box(key, built_key, &box, rect) &&
            begin_layer_update(rect[0], rect[1], rect[2], rect[3])) {
            tile_cull = box;
            draw_resting_picture();
            tile_cull = CullBox{};
            end_layer_build();
            built_key = key;
        }
    } else {
        if (!begin_layer_build(framebuffer_width, framebuffer_height))
            return false;
        draw_resting_picture();
        end_layer_build();
        built_key = key;
    }
    show_layer();
    return true;
}

}  // namespace

void draw_game_screen() {
    bool board_shown = tutorial_active || (!overlay_open(OVERLAY_SETTINGS_POPUP) &&
                                           !overlay_open(OVERLAY_WIN2_POPUP) && !level_paused());
    if (board_shown && show_resting_board()) {
        draw_board(MOVING_TILES);
        draw_lifted_shadows_in_order();
    } else {
        draw_background();
        if (board_shown) draw_board(ALL_TILES);
    }
    if (board_shown) draw_board_cursor();
    if (!tutorial_active && !overlay_open(OVERLAY_SETTINGS_POPUP)) draw_header_and_footer();
    draw_overlays();
    drawn_time_left = level_state.time_left;
}

bool game_screen_animating() {
    if (level_paused()) return false;  // the music's fade goes on unseen
    return active_tween_count > 0 || view.timer_highlight > 0.0f;
}

bool game_screen_changed() {
    return game_screen_animating() || level_state.time_left != drawn_time_left;
}

float seconds_to_next_clock_second() {
    // Away, the clock waits: there is no second to wake up for.
    if (!clock_running() || tutorial_active || window_away || level_paused() ||
        level_state.clock_seconds <= 0.0f)
        return -1.0f;
    // The shown second drops once the exact time falls below it.
    return level_state.clock_seconds - (float)(uint16_t)level_state.clock_seconds;
}
