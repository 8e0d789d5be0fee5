// primitives.cpp - filled and outlined rectangles and a texture centred on
// a point, all drawn from the shared unit square.
//
// Each primitive binds what it needs, pushes, applies its own transforms,
// uploads the model matrix, draws, and restores every uniform it changed,
// so callers can rely on white, opaque, textured drawing between calls.
#include "render/primitives.h"

#include <glad/gl.h>

#include "render/matrix.h"
#include "render/shader.h"
#include "render/texture.h"

static void draw_unit_quad_at(float x, float y, float width, float height) {
    push_matrix();
    translate_matrix(x, y);
    scale_matrix(width, height);
    upload_model_matrix();
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    pop_matrix();
}

static void begin_flat(uint8_t r, uint8_t g, uint8_t b, uint8_t alpha) {
    bind_unit_quad();
    set_no_texture(true);
    set_draw_color(r, g, b);
    if (alpha != 255) set_draw_alpha(alpha / 255.0f);
}

static void end_flat(uint8_t alpha) {
    set_no_texture(false);
    set_white_color();
    if (alpha != 255) set_draw_alpha(1.0f);
}

void draw_rect(float x, float y, float width, float height, uint8_t r, uint8_t g, uint8_t b,
               uint8_t alpha) {
    begin_flat(r, g, b, alpha);
    draw_unit_quad_at(x, y, width, height);
    end_flat(alpha);
}

void draw_rect_outline(float x, float y, float width, float height, float thickness, uint8_t r,
                       uint8_t g, uint8_t b, uint8_t alpha) {
    float t = thickness;
    // A frame thicker than half the rectangle: the side bars vanish rather
    // than turn inside out.
    float side = height - 2 * t > 0 ? height - 2 * t : 0;
    begin_flat(r, g, b, alpha);
    draw_unit_quad_at(x, y, width, t);
    draw_unit_quad_at(x, y + height - t, width, t);
    draw_unit_quad_at(x, y + t, t, side);
    draw_unit_quad_at(x + width - t, y + t, t, side);
    end_flat(alpha);
}

void draw_texture_centered(const Texture* texture, float x, float y) {
    if (!texture) return;
    bind_unit_quad();
    glBindTexture(GL_TEXTURE_2D, texture->gpu_id);
    float tw = texture->width, th = texture->height;
    draw_unit_quad_at(x - tw * 0.5f, y - th * 0.5f, tw, th);
}
