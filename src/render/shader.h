// shader.h - the one shader program, the projection and the shader state
// the primitives and text labels share.
//
// Coordinates are logical pixels, origin top-left, y down. No OpenGL type
// leaks out of this header.
#pragma once

#include <cstdint>

void load_shaders();
// True when a source file changed (whether or not it built).
bool reload_changed_shaders();
void delete_shaders();  // shutdown: unit quad, shaders, program

// Framebuffer size in pixels; sets the view scale, logical_width and
// logical_height (platform/window_metrics.h): below 540 x 960 logical pixels
// the projection shrinks the whole picture by one factor. A 0 x 0 size
// (minimised) keeps the projection.
void resize_viewport(uint16_t width, uint16_t height);

// Upside down (rows from the top) while on: a framebuffer object drawn so
// is rasterised with the very arithmetic of a window that keeps its rows
// from the top, as Mesa's do.
void flip_projection(bool flipped);
const float* current_projection_matrix();

void set_draw_color(uint8_t r, uint8_t g, uint8_t b);

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
