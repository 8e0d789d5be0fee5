// sounds.cpp - sound slots, decoding, live reload, the music and the
// player's sound switches.
#include "audio/sounds.h"

#include <sndfile.h>
#define OV_EXCLUDE_STATIC_CALLBACKS  // only our own memory callbacks
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "tween/tween.h"

SoundTable sound_table;
uint64_t music_resume_position;
uint8_t music_enabled;
uint8_t sounds_enabled;

void play_effect(const char* name) {
    if (sounds_enabled) play_sound(name);
}

// No sound of the game comes near this (an hour of mono audio is 86.4
// million samples); it keeps a lying header from asking for gigabytes.
static const uint64_t MAX_DECODED_SAMPLES = 1ull << 26;

Sound* find_sound(const char* name) {
    if (!name) return nullptr;
    for (Sound& slot : sound_table.slots) {
        if (slot.used && strcmp(slot.name, name) == 0) return &slot;
    }
    return nullptr;
}

void play_sound(const char* name, uint64_t start) {
    start_voice(find_sound(name), start);
}

// ---------------------------------------------------------------------------
// Decoding. Each decoder returns a new array (or null) and its length; the
// caller swaps it into the slot.

struct DecodedSamples {
    float* samples;
    uint64_t count;
};

struct MemoryFile {
    const unsigned char* data;
    sf_count_t length;
    sf_count_t position;
};

static sf_count_t memory_length(void* user) {
    return ((MemoryFile*)user)->length;
}

static sf_count_t memory_seek(sf_count_t offset, int whence, void* user) {
    MemoryFile* file = (MemoryFile*)user;
    sf_count_t base = whence == SEEK_CUR ? file->position : whence == SEEK_END ? file->length : 0;
    // Damaged headers ask for any offset; both values are within the file or
    // the request fails, so the sum cannot overflow.
    if (offset < -base || offset > file->length - base) return -1;
    sf_count_t position = base + offset;
    file->position = position;
    return position;
}

static sf_count_t memory_read(void* out, sf_count_t count, void* user) {
    MemoryFile* file = (MemoryFile*)user;
    sf_count_t left = file->length - file->position;
    if (count > left) count = left;
    if (count <= 0) return 0;
    memcpy(out, file->data + file->position, (size_t)count);
    file->position += count;
    return count;
}

static sf_count_t memory_write(const void*, sf_count_t, void*) {
    return 0;
}

static sf_count_t memory_tell(void* user) {
    return ((MemoryFile*)user)->position;
}

// A growing array of samples. What is really decoded decides its size: a
// damaged header that claims hours costs nothing until hours decode.
struct SampleBuffer {
    float* samples;
    uint64_t count, capacity;
};

// Makes room for up to `more` samples within MAX_DECODED_SAMPLES; returns
// how many fit (0 when the cap is reached or memory runs out).
static uint64_t reserve_samples(SampleBuffer* b, uint64_t more) {
    if (more > MAX_DECODED_SAMPLES - b->count) more = MAX_DECODED_SAMPLES - b->count;
    if (more == 0 || b->count + more <= b->capacity) return more;
    uint64_t capacity = b->capacity ? b->capacity : 4096;
    while (capacity < b->count + more) capacity *= 2;
    if (capacity > MAX_DECODED_SAMPLES) capacity = MAX_DECODED_SAMPLES;
    float* grown = (float*)realloc(b->samples, sizeof(float) * (size_t)capacity);
    if (!grown) return 0;
    b->samples = grown;
    b->capacity = capacity;
    return more;
}

static DecodedSamples finish_samples(SampleBuffer* b) {
    DecodedSamples result = {};
    if (b->count == 0) {
        free(b->samples);
        return result;
    }
    // A damaged float file can hold NaN or infinity; the mixer would turn
    // either into a full-scale sample for as long as they last.
    for (uint64_t i = 0; i < b->count; i++)
        if (!std::isfinite(b->samples[i])) b->samples[i] = 0.0f;
    float* fitted = (float*)realloc(b->samples, sizeof(float) * (size_t)b->count);
    result.samples = fitted ? fitted : b->samples;
    result.count = b->count;
    return result;
}

// Only RIFF WAVE files reach libsndfile, which would otherwise decode any of
// its dozens of formats (MPEG, FLAC, Ogg, ...) given a ".wav" name.
static bool is_wave_file(const unsigned char* data, size_t length) {
    return length >= 12 && (memcmp(data, "RIFF", 4) == 0 || memcmp(data, "RF64", 4) == 0) &&
           memcmp(data + 8, "WAVE", 4) == 0;
}

// All channels interleaved, as stored: a stereo file plays as one stream.
// At most the frame count of the header is read.
static DecodedSamples decode_wav(const unsigned char* data, size_t length) {
    DecodedSamples result = {};
    if (!is_wave_file(data, length)) return result;
    SF_VIRTUAL_IO io = {memory_length, memory_seek, memory_read, memory_write, memory_tell};
    MemoryFile file = {data, (sf_count_t)length, 0};
    SF_INFO info = {};
    SNDFILE* sf = sf_open_virtual(&io, SFM_READ, &info, &file);
    if (!sf) return result;
    if (info.channels > 0 && info.frames > 0) {
        uint64_t channels = (uint64_t)info.channels;
        uint64_t frames_left = (uint64_t)info.frames;
        SampleBuffer b = {};
        while (frames_left > 0) {
            uint64_t want = frames_left < 65536 ? frames_left : 65536;
            uint64_t frames = reserve_samples(&b, want * channels) / channels;
            if (frames == 0) break;
            sf_count_t read = sf_readf_float(sf, b.samples + b.count, (sf_count_t)frames);
            if (read <= 0) break;
            b.count += (uint64_t)read * channels;
            frames_left -= (uint64_t)read;
        }
        result = finish_samples(&b);
    }
    sf_close(sf);
    return result;
}

static size_t ogg_read(void* out, size_t size, size_t count, void* user) {
    if (size == 0 || count > (size_t)INT64_MAX / size) return 0;
    return (size_t)memory_read(out, (sf_count_t)(size * count), user) / size;
}

static int ogg_seek(void* user, ogg_int64_t offset, int whence) {
    return memory_seek(offset, whence, user) < 0 ? -1 : 0;
}

static long ogg_tell(void* user) {
    return (long)memory_tell(user);
}

// Mono as stored; several channels are averaged into one. libvorbisfile
// copes with damaged files; stb_vorbis 1.22 wrote through wild pointers,
// freed invalid ones or leaked on files with one changed header byte.
static DecodedSamples decode_ogg(const unsigned char* data, size_t length) {
    MemoryFile file = {data, (sf_count_t)length, 0};
    ov_callbacks callbacks = {ogg_read, ogg_seek, nullptr, ogg_tell};
    OggVorbis_File vorbis;
    if (ov_open_callbacks(&file, &vorbis, nullptr, 0, callbacks) != 0) return DecodedSamples{};
    SampleBuffer b = {};
    for (;;) {
        float** channel_data = nullptr;
        int link = 0;
        long frames = ov_read_float(&vorbis, &channel_data, 4096, &link);
        if (frames == OV_HOLE) continue;  // a gap in the stream: go on after it
        if (frames <= 0) break;
        vorbis_info* info = ov_info(&vorbis, link);
        int channels = info ? info->channels : 0;
        if (channels <= 0) break;
        uint64_t room = reserve_samples(&b, (uint64_t)frames);
        for (uint64_t i = 0; i < room; i++) {
            float sum = 0.0f;
            for (int c = 0; c < channels; c++) sum += channel_data[c][i];
            b.samples[b.count + i] = sum / (float)channels;
        }
        b.count += room;
        if (room < (uint64_t)frames) break;
    }
    ov_clear(&vorbis);
    return finish_samples(&b);
}

float* decode_sound_data(const unsigned char* data, size_t length, bool ogg, uint64_t* count) {
    DecodedSamples decoded = ogg ? decode_ogg(data, length) : decode_wav(data, length);
    *count = decoded.count;
    return decoded.samples;
}

static bool ends_with(const char* text, const char* ending) {
    size_t length = strlen(text), ending_length = strlen(ending);
    return length >= ending_length && strcmp(text + length - ending_length, ending) == 0;
}

void decode_sound_file(Sound* slot, const char* path) {
    if (path != slot->path) snprintf(slot->path, sizeof slot->path, "%s", path);
    slot->mtime = platform_file_mtime(path);
    bool wav = ends_with(path, ".wav");
    bool ogg = ends_with(path, ".ogg");
    if (wav || ogg) {
        // Decode first, outside the lock, so the mixer never waits for it;
        // a missing or broken file gives an empty, silent sound.
        DecodedSamples decoded = {};
        size_t length = 0;
        unsigned char* data = (unsigned char*)read_entire_file(path, &length);
        if (data) {
            decoded.samples = decode_sound_data(data, length, ogg, &decoded.count);
            free(data);
        }
        platform_mutex_lock(&audio_lock);
        float* old = slot->samples;
        slot->samples = decoded.samples;
        slot->count = decoded.count;
        platform_mutex_unlock(&audio_lock);
        free(old);
    }
    // Every sound keeps its level through a re-read (the music too, so it
    // never jumps louder).
    set_sound_level(slot, slot->base_volume);
}

Sound* load_sound(const char* file_name) {
    Sound* slot = &sound_table.slots[SOUND_SLOTS - 1];
    for (Sound& candidate : sound_table.slots) {
        if (!candidate.used) {
            slot = &candidate;
            break;
        }
    }
    slot->used = true;
    size_t name_length = strcspn(file_name, ".");
    if (name_length >= sizeof slot->name) name_length = sizeof slot->name - 1;
    memcpy(slot->name, file_name, name_length);
    slot->name[name_length] = '\0';
    char path[SOUND_PATH_SIZE];
    snprintf(path, sizeof path, "sounds/%s", file_name);
    decode_sound_file(slot, path);
    set_sound_level(slot, 1.0f);
    return slot;
}

void reload_changed_sounds() {
    for (Sound& slot : sound_table.slots) {
        if (!slot.used) continue;
        int64_t mtime = platform_file_mtime(slot.path);
        if (mtime != 0 && mtime != slot.mtime) decode_sound_file(&slot, slot.path);
    }
}

void load_game_sounds() {
    static const struct {
        const char* file;
        float level;
    } list[] = {
        {"music.ogg", MUSIC_LEVEL},        {"tap.wav", 0.5f},        {"toggle.wav", 1.0f},
        {"tile_select.wav", 0.5f},  {"tile_match.wav", 1.0f}, {"no_moves.wav", 1.0f},
        {"shuffle.wav", 1.0f},      {"menu_panel.wav", 1.0f}, {"win_popup.wav", 1.0f},
        {"win2_popup.wav", 0.8f},   {"lose_popup.wav", 1.0f},
    };
    for (const auto& entry : list) set_sound_level(load_sound(entry.file), entry.level);
}

// ---------------------------------------------------------------------------
// Music

static const char* const MUSIC = "music";
static const char* const MUSIC_FADE = "music_fade_in";

// First active voice playing the music; call with audio_lock held.
static Voice* first_music_voice() {
    for (Voice& voice : voices) {
        if (voice.active && voice.sound && strcmp(voice.sound->name, MUSIC) == 0) return &voice;
    }
    return nullptr;
}

void start_music() {
    Sound* music = find_sound(MUSIC);
    if (!music) return;
    platform_mutex_lock(&audio_lock);
    music->loop = true;
    platform_mutex_unlock(&audio_lock);
    music->volume.store(0.0f, std::memory_order_relaxed);
    play_sound(MUSIC, music_resume_position);
    // Never two fades on one volume.
    stop_tween("%s", MUSIC_FADE);
    start_tween(MUSIC_FADE, &music->volume, 0.0f, music->base_volume, 1.0f, ease_out_sine);
}

void stop_music() {
    Sound* music = find_sound(MUSIC);
    platform_mutex_lock(&audio_lock);
    if (Voice* voice = first_music_voice()) music_resume_position = voice->position;
    for (Voice& voice : voices) {
        if (voice.active && music && voice.sound == music) {
            voice.active = false;
            voice.sound = nullptr;
            voice.position = 0;
        }
    }
    bool started = music && music->loop;
    platform_mutex_unlock(&audio_lock);
    // The volume stays where the fade had brought it.
    if (started) stop_tween("%s", MUSIC_FADE);
}

uint64_t current_music_position() {
    platform_mutex_lock(&audio_lock);
    Voice* voice = first_music_voice();
    uint64_t position = voice ? voice->position : 0;
    platform_mutex_unlock(&audio_lock);
    return position;
}

void free_all_sounds() {
    for (Sound& slot : sound_table.slots) {
        free(slot.samples);
        slot.used = false;
        slot.loop = false;
        memset(slot.name, 0, sizeof slot.name);
        memset(slot.path, 0, sizeof slot.path);
        slot.samples = nullptr;
        slot.count = 0;
        slot.volume.store(0.0f, std::memory_order_relaxed);
        slot.base_volume = 0.0f;
        slot.mtime = 0;
    }
    for (Voice& voice : voices) voice = Voice{};
}
