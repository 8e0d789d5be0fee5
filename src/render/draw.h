// draw.h - the shader program, projection, model-matrix stack and the draw
// primitives every screen uses: filled and outlined rectangles, a texture
// centred on a point, and nine-slice rounded panels (PanelShape).
//
// Coordinates are logical pixels, origin top-left, y down. Primitives are
// placed relative to whatever the caller pushed (push / translate / scale /
// draw / pop). No OpenGL type leaks out of this header.
#pragma once

#include <cstdint>

struct Texture;

// Window metrics kept by resize_viewport. pixel_scale is 1, or 2 on a
// high-DPI screen (chosen once at start-up); logical = framebuffer / scale.
extern uint8_t pixel_scale;
extern uint16_t logical_width;
extern uint16_t logical_height;

enum { MATRIX_STACK_DEPTH = 8, MAX_PANEL_SHAPES = 200 };

void load_shaders();
// True when a source file changed (whether or not it built).
bool reload_changed_shaders();
void delete_shaders();  // shutdown: unit quad, shaders, program

// Framebuffer size in pixels; a 0 x 0 size (minimised) keeps the projection.
void resize_viewport(uint16_t width, uint16_t height);

// Upside down (rows from the top) while on: a framebuffer object drawn so
// is rasterised with the very arithmetic of a window that keeps its rows
// from the top, as Mesa's do.
void flip_projection(bool flipped);

void set_draw_color(uint8_t r, uint8_t g, uint8_t b);

// Model matrix: model := model x M. Matrices are 4x4, row by row.
void multiply_matrix(const float m[16]);
void translate_matrix(float x, float y);  // multiply_matrix(T(x, y))
void scale_matrix(float sx, float sy);    // multiply_matrix(S(sx, sy))
void push_matrix();
void pop_matrix();
void load_identity_matrix();
const float* current_model_matrix();
const float* current_projection_matrix();
uint8_t matrix_stack_depth();
void reset_matrix_stack();  // identity, empty stack

// Shader state shared by the primitives and the text labels.
void upload_model_matrix();
void set_draw_alpha(float alpha);  // 0..1
void set_no_texture(bool no_texture);
void set_white_color();
void bind_unit_quad();
// Attributes 0 (x, y, z) and 1 (u, v), stride 20, for the bound buffer.
void enable_vertex_layout();
// True once an OpenGL context with its entry points is loaded. Without it
// textures, fonts and labels still keep their CPU-side data (unit tests).
bool render_gl_ready();
// The linked program in use, 0 before a first successful build.
uint32_t shader_program_id();

void draw_rect(float x, float y, float width, float height, uint8_t r, uint8_t g, uint8_t b,
               uint8_t alpha);
void draw_rect_outline(float x, float y, float width, float height, float thickness, uint8_t r,
                       uint8_t g, uint8_t b, uint8_t alpha);
void draw_texture_centered(const Texture* texture, float x, float y);

struct PanelShape {
    float width, height;
    float corner;
    Texture* texture;
    uint32_t vertex_buffers[3];
    uint32_t vertex_arrays[3];
    bool built;
};

// Builds the three bands; "rounded_rect.png" must already be loaded.
void create_panel_shape(PanelShape* shape, float width, float height);
// Colour packed as 0xAABBGGRR (red in the lowest byte).
void draw_panel_shape(const PanelShape* shape, float x, float y, uint32_t color);
// Deletes the shape's GPU objects and takes it off the shape list.
void delete_panel_shape(PanelShape* shape);
void clear_panel_shapes();  // shutdown
int panel_shape_count();
// The 3 bands x 8 strip vertices (x, y, z, u, v) of a panel; f is the
// corner's share of the image (16 / image width).
void panel_shape_vertices(float width, float height, float corner, float f, float out[3][8][5]);

inline uint32_t pack_color(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    return (uint32_t)r | ((uint32_t)g << 8) | ((uint32_t)b << 16) | ((uint32_t)a << 24);
}
