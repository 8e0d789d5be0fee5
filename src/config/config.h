// config.h - the registry that binds config.txt keys to program variables.
//
// A screen registers each of its variables under a key (and the section
// that is current while it registers), then config.txt is parsed and every
// line that names a registered key writes its value into the variable.
// There are no defaults: variables keep whatever they had until a line sets
// them. After a live re-read every reload callback runs, in the order they
// were added, so screens can rebuild fonts, labels and shapes.
#pragma once

#include <cstdint>

struct Color3 {
    uint8_t r, g, b;
};
struct Color4 {
    uint8_t r, g, b, a;
};
struct Vec2 {
    float x, y;
};

// The kind of a variable: exactly one bit of one of the two bytes.
enum : uint8_t {
    CONFIG_INT8 = 0x01,
    CONFIG_INT16 = 0x02,
    CONFIG_INT32 = 0x04,
    CONFIG_BOOL = 0x08,
    CONFIG_NUMBER = 0x10,
    CONFIG_TEXT = 0x20,
    CONFIG_POSITION = 0x40,
    CONFIG_SIZE = 0x80,
};
enum : uint8_t {
    CONFIG_RGB = 0x01,
    CONFIG_RGBA = 0x02,
    CONFIG_BYTE_LIST = 0x04,
};

struct ConfigKind {
    uint8_t first;
    uint8_t second;
};

struct ConfigVar {
    char section[128];
    char key[128];
    void* target;
    uint8_t* count_target;
    ConfigKind kind;
};

enum {
    CONFIG_MAX_VARS = 1000,
    CONFIG_MAX_CALLBACKS = 16,
    CONFIG_TEXT_SIZE = 64,  // text targets hold at least this many bytes
    // A value holds at most 63 characters, so at most 32 comma-separated
    // pieces: byte-list targets hold this many bytes and no more are written.
    CONFIG_BYTE_LIST_MAX = 32,
};

// Appends a cleared record for key with the current section; the caller sets
// its kind. Returns null (and says so on stderr) when the registry is full.
ConfigVar* register_config_var(const char* key, void* target);

// Typed shorthands that register and set the kind in one call.
void register_int8(const char* key, uint8_t* target);
void register_int16(const char* key, int16_t* target);
void register_int32(const char* key, int32_t* target);
void register_bool(const char* key, uint8_t* target);
void register_number(const char* key, float* target);
void register_text(const char* key, char* target);  // CONFIG_TEXT_SIZE bytes
void register_position(const char* key, Vec2* target);
void register_size(const char* key, Vec2* target);
void register_rgb(const char* key, Color3* target);
void register_rgba(const char* key, Color4* target);
// target holds CONFIG_BYTE_LIST_MAX bytes; count receives the piece count.
void register_byte_list(const char* key, uint8_t* target, uint8_t* count);

// Makes name the current section (active) / makes no section current.
void config_begin_section(const char* name);
void config_end_section();

void register_reload_callback(void (*callback)());
// Every reload callback, in order: what a re-read ends with, and what a
// change of the drawn scale needs (fonts baked again for the new size).
void run_reload_callbacks();

// Reads "config.txt" from the working directory and applies it.
void load_config();
// Applies config text held in memory (what load_config does after reading).
void apply_config_text(const char* text, uint64_t length);
// The twice-a-second change check: re-reads config.txt when its time changed
// and then runs every reload callback; true when it did.
bool reload_changed_config();
// Shutdown: forgets every variable and callback.
void clear_config_registry();

extern ConfigVar config_vars[CONFIG_MAX_VARS];
extern uint16_t config_var_count;
extern bool config_reloading;
extern int64_t config_mtime;
