// texture.cpp - the pool of Texture records: PNG images decoded with
// stb_image into GPU textures, font atlases (see font.cpp), lookup by name
// and the live reload of changed image files.
//
// Only PNG files are accepted and their size is checked before decoding,
// since the decoder would happily allocate whatever a crafted header asks
// for. A file that cannot be used gives a 1 x 1 transparent texture, so the
// game keeps running and the picture is simply missing.
#include "render/texture.h"

#include <glad/gl.h>
#include <stb/stb_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/window_metrics.h"
#include "render/shader.h"

Texture* texture_list;
uint16_t texture_count;

static Texture texture_pool[MAX_TEXTURES];

// What the last read of each record's file gave, kept beside the pool so the
// shared Texture layout stays as it is. A reload that cannot decode keeps
// the picture on screen and leaves file_time behind; the file is tried again
// once its time or its size differs from the failed read's (an editor may
// finish writing within the same second), never while it stays as it was.
struct ImageFileState {
    bool has_picture;
    bool failed;
    int64_t failed_time;
    int64_t failed_size;
};

static ImageFileState image_state[MAX_TEXTURES];

static ImageFileState* state_of(const Texture* texture) {
    uintptr_t first = (uintptr_t)texture_pool, address = (uintptr_t)texture;
    if (address < first || address >= first + sizeof(texture_pool)) return nullptr;
    return &image_state[(address - first) / sizeof(Texture)];
}

// Larger pictures than this are refused before decoding: 4096 x 4096 RGBA
// is 64 MB, far beyond any tile or panel image.
static const int MAX_IMAGE_PIXELS = 4096 * 4096;
static const int MAX_IMAGE_SIDE = 8192;

static void copy_text(char* out, size_t capacity, const char* text) {
    snprintf(out, capacity, "%s", text ? text : "");
}

Texture* claim_texture(const char* name) {
    for (int i = 0; i < MAX_TEXTURES; i++) {
        Texture* texture = &texture_pool[i];
        if (texture->in_use) continue;
        memset(texture, 0, sizeof(*texture));
        image_state[i] = ImageFileState();
        texture->in_use = true;
        texture->next = texture_list;
        texture_list = texture;
        texture_count++;
        copy_text(texture->name, sizeof(texture->name), name);
        return texture;
    }
    fprintf(stderr, "render: all %d textures in use, %s not loaded\n", MAX_TEXTURES,
            name ? name : "");
    return nullptr;
}

Texture* load_image(const char* name) {
    Texture* texture = claim_texture(name);
    if (!texture) return nullptr;
    char path[256];
    snprintf(path, sizeof(path), "images/%s", name);
    if (pixel_scale == 2) {
        char path_x2[256];
        snprintf(path_x2, sizeof(path_x2), "images_x2/%s", name);
        FILE* file = fopen(path_x2, "rb");
        if (file) {
            fclose(file);
            texture->half_size = true;
            copy_text(path, sizeof(path), path_x2);
        }
    }
    upload_image_file(texture, path);
    return texture;
}

static const unsigned char PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

static uint32_t read_u32_be(const unsigned char* p) {
    return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

// stb_image reserves a chunk's declared length before it reads the chunk,
// so one damaged length field asks for gigabytes. Every chunk up to IEND
// (length, type, data, CRC) must lie inside the file.
static bool png_chunks_fit(const unsigned char* data, size_t length) {
    size_t at = sizeof(PNG_SIGNATURE);
    while (length - at >= 12) {
        uint32_t chunk_length = read_u32_be(data + at);
        if (chunk_length > length - at - 12) return false;
        if (memcmp(data + at + 4, "IEND", 4) == 0) return true;
        at += 12 + (size_t)chunk_length;
    }
    return false;
}

// Decodes a PNG held in memory into RGBA8, or null with the reason.
unsigned char* decode_png(const unsigned char* data, size_t length, int* width, int* height,
                          const char** reason) {
    *reason = nullptr;
    if (length < sizeof(PNG_SIGNATURE) || memcmp(data, PNG_SIGNATURE, sizeof(PNG_SIGNATURE)) != 0) {
        *reason = "not a PNG file";
        return nullptr;
    }
    if (length > 0x7fffffff) {
        *reason = "file too large";
        return nullptr;
    }
    int w = 0, h = 0, channels = 0;
    if (!stbi_info_from_memory(data, (int)length, &w, &h, &channels)) {
        *reason = "unreadable or oversized PNG header";
        return nullptr;
    }
    if (w <= 0 || h <= 0 || w > MAX_IMAGE_SIDE || h > MAX_IMAGE_SIDE ||
        (int64_t)w * h > MAX_IMAGE_PIXELS) {
        *reason = "image too large";
        return nullptr;
    }
    if (!png_chunks_fit(data, length)) {
        *reason = "damaged or cut-off PNG chunks";
        return nullptr;
    }
    unsigned char* pixels = stbi_load_from_memory(data, (int)length, &w, &h, &channels, 4);
    if (!pixels) {
        const char* why = stbi_failure_reason();
        *reason = why && *why ? why : "cannot decode";
        return nullptr;
    }
    *width = w;
    *height = h;
    return pixels;
}

static GLuint create_gpu_texture(const unsigned char* pixels, int width, int height) {
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    return id;
}

void upload_image_file(Texture* texture, const char* path) {
    if (!texture || !path) return;
    if (strlen(path) >= sizeof(texture->path)) {
        // A cut path would name another file; show nothing instead.
        fprintf(stderr, "render: image path too long: %s\n", path);
        path = "";
    }
    if (strcmp(texture->path, path) != 0) copy_text(texture->path, sizeof(texture->path), path);
    int64_t time = platform_file_mtime(path);

    size_t length = 0;
    unsigned char* file = (unsigned char*)read_entire_file(path, &length);
    int width = 0, height = 0;
    const char* reason = "cannot read the file";
    unsigned char* pixels = file ? decode_png(file, length, &width, &height, &reason) : nullptr;
    free(file);

    ImageFileState loose = {};
    ImageFileState* state = state_of(texture);
    if (!state) state = &loose;
    if (!pixels) {
        if (!state->failed || state->failed_time != time)
            fprintf(stderr, "render: image %s: %s%s\n", path, reason ? reason : "cannot decode",
                    state->has_picture ? "; keeping the previous picture" : "");
        state->failed = true;
        state->failed_time = time;
        state->failed_size = file ? (int64_t)length : -1;
        if (state->has_picture) return;
        // Never had a picture: a transparent pixel stands in for it.
        texture->width = texture->height = 1;
        if (render_gl_ready() && !texture->gpu_id) {
            static const unsigned char transparent[4] = {0, 0, 0, 0};
            texture->gpu_id = create_gpu_texture(transparent, 1, 1);
        }
        return;
    }
    state->failed = false;
    state->has_picture = true;
    texture->file_time = time;
    texture->width = (uint16_t)(texture->half_size ? width / 2 : width);
    texture->height = (uint16_t)(texture->half_size ? height / 2 : height);
    if (render_gl_ready()) {
        // A reload replaces the picture; the old GPU texture goes with it.
        if (texture->gpu_id) glDeleteTextures(1, &texture->gpu_id);
        texture->gpu_id = create_gpu_texture(pixels, width, height);
    }
    stbi_image_free(pixels);
}

void delete_texture(Texture* texture) {
    if (!texture) return;
    Texture** link = &texture_list;
    while (*link && *link != texture) link = &(*link)->next;
    if (!*link) return;
    if (texture->gpu_id && render_gl_ready()) glDeleteTextures(1, &texture->gpu_id);
    *link = texture->next;
    texture_count--;
    memset(texture, 0, sizeof(*texture));
}

Texture* find_texture(const char* name) {
    if (!name) return nullptr;
    for (Texture* texture = texture_list; texture; texture = texture->next)
        if (strcmp(texture->name, name) == 0) return texture;
    return nullptr;
}

bool reload_changed_images() {
    bool any = false;
    for (Texture* texture = texture_list; texture; texture = texture->next) {
        if (texture->not_a_file) continue;
        int64_t time = platform_file_mtime(texture->path);
        if (time == 0 || time == texture->file_time) continue;
        const ImageFileState* state = state_of(texture);
        if (state && state->failed && state->failed_time == time &&
            state->failed_size == platform_file_size(texture->path))
            continue;
        upload_image_file(texture, texture->path);
        any = true;
    }
    return any;
}

void clear_textures() {
    for (Texture* texture = texture_list; texture; texture = texture->next)
        if (texture->gpu_id && render_gl_ready()) glDeleteTextures(1, &texture->gpu_id);
    memset(texture_pool, 0, sizeof(texture_pool));
    texture_list = nullptr;
    texture_count = 0;
}
