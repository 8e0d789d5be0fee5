// panel.cpp - nine-slice rounded panels (PanelShape) cut from the
// "rounded_rect.png" image, and the list of every shape built.
//
// A shape is three horizontal bands of eight vertices each (top, middle,
// bottom), drawn as triangle strips. Corners keep 16 x 16 logical pixels
// (half the smaller side on a panel narrower than two corners); edges and
// centre stretch to the panel's size.
#include "render/panel.h"

#include <glad/gl.h>

#include <cstdio>
#include <cstring>

#include "render/matrix.h"
#include "render/shader.h"
#include "render/texture.h"

static const float PANEL_CORNER = 16.0f;

struct ShapeList {
    PanelShape* shapes[MAX_PANEL_SHAPES];
    int count;
};

static ShapeList shape_list;

static int find_shape_slot(const PanelShape* shape) {
    for (int i = 0; i < shape_list.count; i++)
        if (shape_list.shapes[i] == shape) return i;
    return -1;
}

static void delete_shape_objects(PanelShape* shape) {
    if (render_gl_ready()) {
        glDeleteBuffers(3, shape->vertex_buffers);
        glDeleteVertexArrays(3, shape->vertex_arrays);
    }
    memset(shape->vertex_buffers, 0, sizeof(shape->vertex_buffers));
    memset(shape->vertex_arrays, 0, sizeof(shape->vertex_arrays));
    shape->built = false;
}

// The 3 x 8 vertices (x, y, z, u, v) of a panel, band by band.
void panel_shape_vertices(float width, float height, float corner, float f, float out[3][8][5]) {
    const float xs[4] = {0, corner, width - corner, width};
    const float us[4] = {0, f, 1 - f, 1};
    const float ys[4] = {0, corner, height - corner, height};
    const float vs[4] = {0, f, 1 - f, 1};
    for (int band = 0; band < 3; band++) {
        for (int column = 0; column < 4; column++) {
            for (int edge = 0; edge < 2; edge++) {
                float* v = out[band][column * 2 + edge];
                v[0] = xs[column];
                v[1] = ys[band + edge];
                v[2] = 0;
                v[3] = us[column];
                v[4] = vs[band + edge];
            }
        }
    }
}

// 16, or half the smaller side when less: a small panel never folds.
static float panel_corner(float width, float height) {
    float corner = PANEL_CORNER;
    if (width < 2 * corner) corner = width / 2;
    if (height < 2 * corner) corner = height / 2;
    return corner > 0 ? corner : 0;
}

void create_panel_shape(PanelShape* shape, float width, float height) {
    // Rebuilding a shape (every configuration reload does) reuses its slot.
    int slot = find_shape_slot(shape);
    if (slot >= 0) {
        delete_shape_objects(shape);
    } else if (shape_list.count >= MAX_PANEL_SHAPES) {
        fprintf(stderr, "render: all %d panel shapes in use, shape not built\n", MAX_PANEL_SHAPES);
        memset(shape, 0, sizeof(*shape));
        return;
    }
    memset(shape, 0, sizeof(*shape));
    shape->width = width;
    shape->height = height;
    shape->corner = panel_corner(width, height);
    shape->texture = find_texture("rounded_rect.png");
    float f = 0.25f;
    if (shape->texture && shape->texture->width > 0) {
        f = PANEL_CORNER / shape->texture->width;
    } else {
        fprintf(stderr, "render: rounded_rect.png not loaded, panel drawn square\n");
    }
    float vertices[3][8][5];
    panel_shape_vertices(width, height, shape->corner, f, vertices);
    if (render_gl_ready()) {
        glGenVertexArrays(3, shape->vertex_arrays);
        glGenBuffers(3, shape->vertex_buffers);
        for (int band = 0; band < 3; band++) {
            glBindVertexArray(shape->vertex_arrays[band]);
            glBindBuffer(GL_ARRAY_BUFFER, shape->vertex_buffers[band]);
            glBufferData(GL_ARRAY_BUFFER, sizeof(vertices[band]), vertices[band], GL_STATIC_DRAW);
            enable_vertex_layout();
        }
    }
    shape->built = true;
    if (slot < 0) shape_list.shapes[shape_list.count++] = shape;
}

void draw_panel_shape(const PanelShape* shape, float x, float y, uint32_t color) {
    if (!shape || !shape->built) return;
    bool textured = shape->texture != nullptr;
    if (textured)
        glBindTexture(GL_TEXTURE_2D, shape->texture->gpu_id);
    else
        set_no_texture(true);
    push_matrix();
    translate_matrix(x - shape->width * 0.5f, y - shape->height * 0.5f);
    upload_model_matrix();
    set_draw_color(color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff);
    set_draw_alpha((color >> 24) / 255.0f);
    for (int band = 0; band < 3; band++) {
        glBindVertexArray(shape->vertex_arrays[band]);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 8);
    }
    set_draw_alpha(1.0f);
    set_white_color();
    if (!textured) set_no_texture(false);
    pop_matrix();
}

void delete_panel_shape(PanelShape* shape) {
    int slot = find_shape_slot(shape);
    if (slot < 0) return;
    delete_shape_objects(shape);
    shape_list.shapes[slot] = shape_list.shapes[--shape_list.count];
}

void clear_panel_shapes() {
    for (int i = 0; i < shape_list.count; i++) delete_shape_objects(shape_list.shapes[i]);
    shape_list.count = 0;
}

int panel_shape_count() {
    return shape_list.count;
}
