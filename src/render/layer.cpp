// layer.cpp - the retained layer: one framebuffer object with a colour
// renderbuffer, built on demand and copied to the window by a blit.
#include "render/layer.h"

#include <glad/gl.h>

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <cstdio>

#include "render/shader.h"

bool layer_enabled = true;
uint32_t layer_build_count;

static struct {
    GLuint framebuffer, color;
    uint16_t width, height;
    // A size the driver refused: not tried again until the size changes.
    uint16_t refused_width, refused_height;
    GLint previous_draw;
    bool valid;
    // The first frame after start-up is drawn directly: making the layer,
    // and a software renderer compiling its first draws into it, would
    // delay the first picture.
    bool first_frame_passed;
    bool rows_from_top;  // by clip control, not by the projection
} layer;

// Mesa keeps a window's rows from the top and rasterises it so (pixel
// edges and interpolation included); a layer drawn with the origin at its
// upper left matches that to the last pixel. Without clip control the
// projection turns the layer upside down instead.
typedef void (*ClipControlFn)(GLenum origin, GLenum depth);
static ClipControlFn clip_control() {
    if (!glfwExtensionSupported("GL_ARB_clip_control")) return nullptr;
    return (ClipControlFn)glfwGetProcAddress("glClipControl");
}
enum : GLenum { LOWER_LEFT = 0x8CA1, UPPER_LEFT = 0x8CA2, NEGATIVE_ONE_TO_ONE = 0x935E };

static void turn_rows(bool from_top) {
    static ClipControlFn set_origin = clip_control();
    layer.rows_from_top = set_origin != nullptr;
    if (set_origin) set_origin(from_top ? UPPER_LEFT : LOWER_LEFT, NEGATIVE_ONE_TO_ONE);
    else flip_projection(from_top);
}

static void delete_layer_objects() {
    if (render_gl_ready()) {
        if (layer.framebuffer) glDeleteFramebuffers(1, &layer.framebuffer);
        if (layer.color) glDeleteRenderbuffers(1, &layer.color);
    }
    layer.framebuffer = layer.color = 0;
    layer.width = layer.height = 0;
    layer.valid = false;
}

static bool make_layer(uint16_t width, uint16_t height) {
    glGenFramebuffers(1, &layer.framebuffer);
    glGenRenderbuffers(1, &layer.color);
    glBindRenderbuffer(GL_RENDERBUFFER, layer.color);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, layer.framebuffer);
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              layer.color);
    bool complete = glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, (GLuint)layer.previous_draw);
    if (!complete) {
        delete_layer_objects();
        return false;
    }
    layer.width = width;
    layer.height = height;
    return true;
}

bool begin_layer_build(uint16_t width, uint16_t height) {
    if (!layer_enabled || !render_gl_ready() || width == 0 || height == 0) return false;
    if (width == layer.refused_width && height == layer.refused_height) return false;
    if (!layer.first_frame_passed) {
        layer.first_frame_passed = true;
        return false;
    }
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &layer.previous_draw);
    if (layer.framebuffer && (layer.width != width || layer.height != height))
        delete_layer_objects();
    if (!layer.framebuffer && !make_layer(width, height)) {
        fprintf(stderr, "render: no %ux%u off-screen layer; drawing everything directly\n",
                (unsigned)width, (unsigned)height);
        layer.refused_width = width;
        layer.refused_height = height;
        return false;
    }
    layer.valid = false;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, layer.framebuffer);
    glClear(GL_COLOR_BUFFER_BIT);
    turn_rows(true);
    return true;
}

bool begin_layer_update(int x, int y, int width, int height) {
    if (!layer_valid()) return false;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &layer.previous_draw);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, layer.framebuffer);
    turn_rows(true);
    // Rows are kept from the top, so the rectangle needs no turning.
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, y, width, height);
    return true;
}

void clip_to(int x, int y, int width, int height, int framebuffer_height) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, framebuffer_height - y - height, width, height);
}

void end_clip() {
    glDisable(GL_SCISSOR_TEST);
}

void end_layer_build() {
    glDisable(GL_SCISSOR_TEST);
    turn_rows(false);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, (GLuint)layer.previous_draw);
    layer.valid = true;
    layer_build_count++;
}

void show_layer() {
    if (!layer.framebuffer) return;
    GLint previous_read = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previous_read);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, layer.framebuffer);
    // Built upside down: the copy turns it the right way up.
    glBlitFramebuffer(0, 0, layer.width, layer.height, 0, layer.height, layer.width, 0,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, (GLuint)previous_read);
}

bool layer_valid() {
    return layer_enabled && layer.valid && layer.framebuffer != 0;
}

void invalidate_layer() {
    layer.valid = false;
}

void release_layer() {
    delete_layer_objects();
    layer.refused_width = layer.refused_height = 0;
    layer.first_frame_passed = false;
}
