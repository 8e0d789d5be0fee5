// config.cpp - the variable registry and the config.txt parser.
//
// Lines are parsed into fixed buffers (line 1023, key 127, section 126,
// value 63 characters); anything longer is cut, never written past the end.
// Lookup is a linear scan in registration order, the first match wins.
#include "config/config.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

ConfigVar config_vars[CONFIG_MAX_VARS];
uint16_t config_var_count;
bool config_reloading;
int64_t config_mtime;

enum {
    LINE_MAX_CHARS = 1023,
    KEY_MAX_CHARS = 127,
    SECTION_MAX_CHARS = 126,
    VALUE_MAX_CHARS = CONFIG_TEXT_SIZE - 1,
};

static const char config_file_name[] = "config.txt";

// The section shared by registration and parsing, and the reload callbacks.
static struct {
    char section_name[128];
    bool section_active;
    void (*callbacks[CONFIG_MAX_CALLBACKS])();
    uint8_t callback_count;
} registry;

// Copies at most max_chars characters of src and always terminates.
static void copy_truncated(char* dst, const char* src, size_t length, size_t max_chars) {
    if (length > max_chars) length = max_chars;
    memcpy(dst, src, length);
    dst[length] = '\0';
}

void config_begin_section(const char* name) {
    copy_truncated(registry.section_name, name, strlen(name), SECTION_MAX_CHARS);
    registry.section_active = true;
}

void config_end_section() {
    registry.section_active = false;
}

ConfigVar* register_config_var(const char* key, void* target) {
    if (config_var_count >= CONFIG_MAX_VARS) {
        fprintf(stderr, "config: registry full, key \"%s\" not registered\n", key);
        return nullptr;
    }
    ConfigVar* var = &config_vars[config_var_count++];
    memset(var, 0, sizeof *var);
    if (registry.section_active)
        copy_truncated(var->section, registry.section_name, strlen(registry.section_name),
                       sizeof var->section - 1);
    copy_truncated(var->key, key, strlen(key), KEY_MAX_CHARS);
    var->target = target;
    return var;
}

static void register_kind(const char* key, void* target, uint8_t first, uint8_t second) {
    ConfigVar* var = register_config_var(key, target);
    if (!var) return;
    var->kind.first = first;
    var->kind.second = second;
}

void register_int8(const char* key, uint8_t* target) {
    register_kind(key, target, CONFIG_INT8, 0);
}
void register_int16(const char* key, int16_t* target) {
    register_kind(key, target, CONFIG_INT16, 0);
}
void register_int32(const char* key, int32_t* target) {
    register_kind(key, target, CONFIG_INT32, 0);
}
void register_bool(const char* key, uint8_t* target) {
    register_kind(key, target, CONFIG_BOOL, 0);
}
void register_number(const char* key, float* target) {
    register_kind(key, target, CONFIG_NUMBER, 0);
}
void register_text(const char* key, char* target) {
    register_kind(key, target, CONFIG_TEXT, 0);
}
void register_position(const char* key, Vec2* target) {
    register_kind(key, target, CONFIG_POSITION, 0);
}
void register_size(const char* key, Vec2* target) {
    register_kind(key, target, CONFIG_SIZE, 0);
}
void register_rgb(const char* key, Color3* target) {
    register_kind(key, target, 0, CONFIG_RGB);
}
void register_rgba(const char* key, Color4* target) {
    register_kind(key, target, 0, CONFIG_RGBA);
}

void register_byte_list(const char* key, uint8_t* target, uint8_t* count) {
    ConfigVar* var = register_config_var(key, target);
    if (!var) return;
    var->kind.second = CONFIG_BYTE_LIST;
    var->count_target = count;
}

void register_reload_callback(void (*callback)()) {
    if (registry.callback_count >= CONFIG_MAX_CALLBACKS) {
        fprintf(stderr, "config: too many reload callbacks, one not registered\n");
        return;
    }
    registry.callbacks[registry.callback_count++] = callback;
}

void clear_config_registry() {
    memset(config_vars, 0, sizeof config_vars);
    config_var_count = 0;
    registry.callback_count = 0;
    registry.section_active = false;
    registry.section_name[0] = '\0';
}

// --- Value conversion ---------------------------------------------------------

// atoi without its undefined behaviour on overflow: the number is read wide
// and then cut to 32 bits, which is what atoi does on this platform anyway.
static int32_t parse_int(const char* text) {
    long long value = strtoll(text, nullptr, 10);
    return (int32_t)(uint32_t)(unsigned long long)value;
}

static float parse_number(const char* text) {
    return (float)strtod(text, nullptr);
}

// Splits value at commas, skipping empty pieces, writing at most max_pieces
// piece starts (NUL-terminated in place). Returns the number written.
static int split_pieces(char* value, char** pieces, int max_pieces) {
    int count = 0;
    char* p = value;
    while (*p && count < max_pieces) {
        while (*p == ',') p++;
        if (!*p) break;
        pieces[count++] = p;
        while (*p && *p != ',') p++;
        if (*p) *p++ = '\0';
    }
    return count;
}

static void apply_pair(Vec2* target, char* value) {
    char* pieces[2];
    int count = split_pieces(value, pieces, 2);
    if (count > 0) target->x = parse_number(pieces[0]);
    if (count > 1) target->y = parse_number(pieces[1]);
}

static void apply_channels(uint8_t* channels, int channel_count, char* value) {
    char* pieces[4];
    int count = split_pieces(value, pieces, channel_count);
    for (int i = 0; i < count; i++) channels[i] = (uint8_t)parse_int(pieces[i]);
}

static void apply_value(const ConfigVar* var, char* value) {
    uint8_t first = var->kind.first;
    uint8_t second = var->kind.second;
    if (first & CONFIG_INT8) {
        *(uint8_t*)var->target = (uint8_t)parse_int(value);
    } else if (first & CONFIG_INT16) {
        *(int16_t*)var->target = (int16_t)(uint16_t)parse_int(value);
    } else if (first & CONFIG_INT32) {
        *(int32_t*)var->target = parse_int(value);
    } else if (first & CONFIG_BOOL) {
        *(uint8_t*)var->target = strcmp(value, "true") == 0 ? 1 : 0;
    } else if (first & CONFIG_NUMBER) {
        *(float*)var->target = parse_number(value);
    } else if (first & CONFIG_TEXT) {
        copy_truncated((char*)var->target, value, strlen(value), CONFIG_TEXT_SIZE - 1);
    } else if (first & (CONFIG_POSITION | CONFIG_SIZE)) {
        apply_pair((Vec2*)var->target, value);
    } else if (second & CONFIG_RGB) {
        Color3* c = (Color3*)var->target;
        uint8_t channels[3] = {c->r, c->g, c->b};
        apply_channels(channels, 3, value);
        *c = Color3{channels[0], channels[1], channels[2]};
    } else if (second & CONFIG_RGBA) {
        Color4* c = (Color4*)var->target;
        uint8_t channels[4] = {c->r, c->g, c->b, c->a};
        apply_channels(channels, 4, value);
        *c = Color4{channels[0], channels[1], channels[2], channels[3]};
    } else if (second & CONFIG_BYTE_LIST) {
        char* pieces[CONFIG_BYTE_LIST_MAX];
        int count = split_pieces(value, pieces, CONFIG_BYTE_LIST_MAX);
        uint8_t* bytes = (uint8_t*)var->target;
        for (int i = 0; i < count; i++) bytes[i] = (uint8_t)parse_int(pieces[i]);
        if (var->count_target) *var->count_target = (uint8_t)count;
    }
}

// --- Lines --------------------------------------------------------------------

static ConfigVar* find_config_var(const char* key) {
    for (uint16_t i = 0; i < config_var_count; i++) {
        ConfigVar* var = &config_vars[i];
        if (strcmp(var->key, key) != 0) continue;
        if (registry.section_active && strcmp(var->section, registry.section_name) != 0) continue;
        return var;
    }
    return nullptr;
}

static bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

// A key line: blanks vanish until the value starts; the first '=' splits.
static void apply_key_line(const char* line, size_t length) {
    char key[KEY_MAX_CHARS + 1];
    char value[VALUE_MAX_CHARS + 1];
    size_t key_length = 0, value_length = 0;
    bool after_equals = false, value_started = false;
    for (size_t i = 0; i < length; i++) {
        char c = line[i];
        if (!value_started) {
            if (is_blank(c)) continue;
            if (!after_equals) {
                if (c == '=') {
                    after_equals = true;
                } else if (key_length < KEY_MAX_CHARS) {
                    key[key_length++] = c;
                }
                continue;
            }
            value_started = true;
        }
        if (value_length < VALUE_MAX_CHARS) value[value_length++] = c;
    }
    // A line without '=' has no meaning; nor has one without a key.
    if (!after_equals || key_length == 0) return;
    key[key_length] = '\0';
    value[value_length] = '\0';
    ConfigVar* var = find_config_var(key);
    if (var) apply_value(var, value);
}

static void apply_line(char* line, size_t length) {
    if (length == 0) {
        registry.section_active = false;
        return;
    }
    if (line[0] == '#') return;
    char* comment = (char*)memchr(line, '#', length);
    if (comment) length = (size_t)(comment - line);
    if (line[0] == '[') {
        // Everything between '[' and the last character, taken to be ']'.
        size_t name_length = length >= 2 ? length - 2 : 0;
        copy_truncated(registry.section_name, line + 1, name_length, SECTION_MAX_CHARS);
        registry.section_active = true;
        return;
    }
    apply_key_line(line, length);
}

void apply_config_text(const char* text, uint64_t length) {
    registry.section_active = false;
    char line[LINE_MAX_CHARS + 1];
    size_t line_length = 0;
    bool line_started = false;  // leading blanks are behind us
    uint64_t i = 0;
    for (;;) {
        bool at_end = i >= length || text[i] == '\0';
        char c = at_end ? '\n' : text[i++];
        if (c == '\n') {
            line[line_length] = '\0';
            // A final line without its line break still counts; an empty
            // remainder after the last break is not a line.
            if (!at_end || line_length > 0 || line_started) apply_line(line, line_length);
            line_length = 0;
            line_started = false;
            if (at_end) break;
            continue;
        }
        if (c == '\r') continue;
        if (!line_started) {
            if (is_blank(c)) continue;
            line_started = true;
        }
        if (line_length < LINE_MAX_CHARS) line[line_length++] = c;
    }
    registry.section_active = false;
    if (config_reloading) run_reload_callbacks();
}

void run_reload_callbacks() {
    for (uint8_t k = 0; k < registry.callback_count; k++) registry.callbacks[k]();
}

void load_config() {
    // The time is taken before reading, so an edit made while we read shows
    // up as a newer time at the next check instead of being lost.
    int64_t mtime = platform_file_mtime(config_file_name);
    size_t length = 0;
    char* text = read_entire_file(config_file_name, &length);
    if (!text) return;  // no file: every variable stays as it is
    config_mtime = mtime;
    apply_config_text(text, length);
    free(text);
}

bool reload_changed_config() {
    int64_t mtime = platform_file_mtime(config_file_name);
    if (mtime == 0 || mtime == config_mtime) return false;
    config_reloading = true;
    load_config();
    config_reloading = false;
    return true;
}
