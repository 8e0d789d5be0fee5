// label.cpp - text labels: one string laid out in one font, kept in its own
// vertex buffer and drawn centred on a point.
//
// Layout (layout_label_vertices) is plain arithmetic over the glyph table so
// it can be checked without a window; set_label_text uploads its result.
// Characters outside 32..126, bytes of 128 and above included, show as '?'.
#include <glad/gl.h>

#include <cstdio>
#include <cstring>

#include "platform/window_metrics.h"
#include "render/font.h"
#include "render/matrix.h"
#include "render/shader.h"
#include "render/texture.h"

static const int LABEL_MAX_CHARS = LABEL_TEXT_SIZE - 1;

struct LabelList {
    TextLabel* labels[MAX_LABELS];
    int count;
};

static LabelList label_list;

static int find_label_slot(const TextLabel* label) {
    for (int i = 0; i < label_list.count; i++)
        if (label_list.labels[i] == label) return i;
    return -1;
}

int label_count() {
    return label_list.count;
}

uint16_t layout_label_vertices(const Font* font, const char* text, float* out, uint16_t* width) {
    *width = 0;
    if (!font || !font->glyphs || !text) return 0;
    static const int corner_order[6] = {0, 1, 2, 1, 2, 3};
    // Glyphs are in the atlas's pixels: rasterised at scaled_size for size.
    float scale = font->size && font->scaled_size ? (float)font->scaled_size / font->size
                  : pixel_scale                    ? (float)pixel_scale
                                                   : 1.0f;
    float pen = 0.0f;
    int count = 0;
    for (int i = 0; text[i] && i < LABEL_MAX_CHARS; i++) {
        unsigned char c = (unsigned char)text[i];
        int index = (c >= 32 && c <= 126) ? c - 32 : '?' - 32;
        const Glyph* g = &font->glyphs[index];
        for (int k = 0; k < 6; k++) {
            int corner = corner_order[k];
            float* v = out + (size_t)count * 5;
            v[0] = (g->corner_xy[corner * 2] + g->x_offset + pen) / scale;
            v[1] = (g->corner_xy[corner * 2 + 1] + g->y_offset) / scale;
            v[2] = 0.0f;
            v[3] = g->corner_uv[corner * 2];
            v[4] = g->corner_uv[corner * 2 + 1];
            count++;
        }
        pen += g->advance;
    }
    // A damaged cache can hold any float; keep the conversion defined.
    float w = pen / scale;
    *width = w > 0.0f ? (w < 65535.0f ? (uint16_t)w : 65535) : 0;
    return (uint16_t)count;
}

static void delete_label_objects(TextLabel* label) {
    if (render_gl_ready()) {
        if (label->vertex_buffer) glDeleteBuffers(1, &label->vertex_buffer);
        if (label->vertex_array) glDeleteVertexArrays(1, &label->vertex_array);
    }
    label->vertex_buffer = label->vertex_array = 0;
}

void init_label(TextLabel* label, const char* font_name) {
    if (!label) return;
    int slot = find_label_slot(label);
    if (slot >= 0) {
        // Initialised again: reuse its place instead of leaking its buffers.
        delete_label_objects(label);
    } else if (label_list.count >= MAX_LABELS) {
        fprintf(stderr, "render: all %d labels in use, label not created\n", MAX_LABELS);
        memset(label, 0, sizeof(*label));
        return;
    }
    memset(label, 0, sizeof(*label));
    set_label_font(label, font_name);
    if (render_gl_ready()) {
        glGenVertexArrays(1, &label->vertex_array);
        glGenBuffers(1, &label->vertex_buffer);
        glBindVertexArray(label->vertex_array);
        glBindBuffer(GL_ARRAY_BUFFER, label->vertex_buffer);
        enable_vertex_layout();
    }
    if (slot < 0) label_list.labels[label_list.count++] = label;
}

void set_label_font(TextLabel* label, const char* font_name) {
    if (!label) return;
    label->font = find_font(font_name);
    if (!label->font) fprintf(stderr, "render: no font named %s\n", font_name ? font_name : "");
}

void set_label_text(TextLabel* label, const char* text) {
    if (!label) return;
    if (!text) text = "";
    size_t length = strlen(text);
    if (length > (size_t)LABEL_MAX_CHARS) {
        fprintf(stderr, "render: label text cut to %d characters: %.40s...\n", LABEL_MAX_CHARS,
                text);
        length = LABEL_MAX_CHARS;
    }
    // Reload callbacks pass the label's own text back in.
    memmove(label->text, text, length);
    label->text[length] = '\0';

    static float vertices[LABEL_MAX_CHARS * 6 * 5];
    label->vertex_count = layout_label_vertices(label->font, label->text, vertices, &label->width);
    label->texture_id = label->font && label->font->texture ? label->font->texture->gpu_id : 0;
    if (label->vertex_buffer && render_gl_ready()) {
        glBindVertexArray(label->vertex_array);
        glBindBuffer(GL_ARRAY_BUFFER, label->vertex_buffer);
        glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)label->vertex_count * 5 * sizeof(float), vertices,
                     GL_STATIC_DRAW);
    }
}

void set_label(TextLabel* label, const char* font_name, const char* text) {
    set_label_font(label, font_name);
    set_label_text(label, text);
}

void draw_label(const TextLabel* label, float x, float y, uint8_t r, uint8_t g, uint8_t b,
                uint8_t alpha) {
    if (!label || !label->vertex_array || label->vertex_count == 0) return;
    const Font* font = label->font;
    // The font was removed and its record not yet replaced: nothing to draw.
    if (!font || !font->in_use) return;
    glBindVertexArray(label->vertex_array);
    glBindTexture(GL_TEXTURE_2D, label->texture_id);
    set_draw_color(r, g, b);
    set_draw_alpha(alpha / 255.0f);
    push_matrix();
    translate_matrix(x - (float)(label->width / 2), y - ((float)(font->size / 2) - font->ascent));
    upload_model_matrix();
    glDrawArrays(GL_TRIANGLES, 0, label->vertex_count);
    pop_matrix();
    set_white_color();
    set_draw_alpha(1.0f);
}

void release_label(TextLabel* label) {
    int slot = find_label_slot(label);
    if (slot < 0) return;
    delete_label_objects(label);
    label_list.labels[slot] = label_list.labels[--label_list.count];
}

void clear_labels() {
    for (int i = 0; i < label_list.count; i++) delete_label_objects(label_list.labels[i]);
    label_list.count = 0;
}
