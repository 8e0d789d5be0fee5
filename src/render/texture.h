// texture.h - the pool of textures: PNG images and font atlases.
//
// Every picture is decoded once into a GPU texture kept in a Texture record,
// found by the name it was requested under ("rounded_rect.png",
// "tiles/03/07.png"). Image files are re-read when their time changes.
#pragma once

#include <cstddef>
#include <cstdint>

struct Texture {
    char name[128];
    char path[128];
    uint32_t gpu_id;
    uint16_t width, height;  // logical size
    int64_t file_time;
    bool not_a_file;  // font atlas: never re-read
    bool half_size;   // came from images_x2
    bool in_use;
    Texture* next;
};

enum { MAX_TEXTURES = 100 };

extern Texture* texture_list;  // newest first
extern uint16_t texture_count;

// Claims a record, links it and loads "images/<name>". A missing or broken
// file gives a 1 x 1 transparent texture and one line on stderr. Returns
// null only when all records are in use.
Texture* load_image(const char* name);
// Claims and links a record without loading anything (font atlases).
Texture* claim_texture(const char* name);
void upload_image_file(Texture* texture, const char* path);
void delete_texture(Texture* texture);
// First record in list order (newest) with exactly this name, or null.
Texture* find_texture(const char* name);
// True when a picture was read again.
bool reload_changed_images();
// Decodes a PNG held in memory into RGBA8 (free with free()). Anything that
// is not a PNG, whose chunks run past its end, or whose header asks for
// more than 4096 x 4096 pixels, is refused before decoding: null, with the
// reason in *reason.
unsigned char* decode_png(const unsigned char* data, size_t length, int* width, int* height,
                          const char** reason);
void clear_textures();  // shutdown: every GPU texture deleted, pool cleared
