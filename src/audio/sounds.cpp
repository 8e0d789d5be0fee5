// sounds.cpp - sound slots, decoding, live reload and the music.
#include "audio/sounds.h"

#include <sndfile.h>

#include <cstdlib>
#include <cstring>

#include "screen/tween.h"

SoundTable sound_table;
uint64_t music_resume_position;

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

// Reads a whole file that libsndfile can open from memory, every channel
// interleaved as stored, up to the frame count of its header. The buffer
// grows with what is really decoded: a damaged header can claim hours.
static DecodedSamples decode_sndfile(const unsigned char* data, size_t length, int container,
                                     uint64_t* channels_out) {
    DecodedSamples result = {};
    SF_VIRTUAL_IO io = {memory_length, memory_seek, memory_read, memory_write, memory_tell};
    MemoryFile file = {data, (sf_count_t)length, 0};
    SF_INFO info = {};
    SNDFILE* sf = sf_open_virtual(&io, SFM_READ, &info, &file);
    if (!sf) return result;
    bool wanted = container == 0 || (info.format & SF_FORMAT_TYPEMASK) == container;
    uint64_t channels = info.channels > 0 ? (uint64_t)info.channels : 0;
    if (wanted && channels > 0 && channels <= MAX_DECODED_SAMPLES) {
        uint64_t max_frames = MAX_DECODED_SAMPLES / channels;
        if (info.frames > 0 && (uint64_t)info.frames < max_frames) max_frames = (uint64_t)info.frames;
        uint64_t capacity = max_frames < (1u << 20) ? max_frames : (1u << 20);
        uint64_t frames = 0;
        float* samples = nullptr;
        for (;;) {
            if (capacity > max_frames) capacity = max_frames;
            if (frames == capacity) break;
            float* grown = (float*)realloc(samples, sizeof(float) * (size_t)(capacity * channels));
            if (!grown) break;
            samples = grown;
            sf_count_t read =
                sf_readf_float(sf, samples + frames * channels, (sf_count_t)(capacity - frames));
            if (read <= 0) break;
            frames += (uint64_t)read;
            if (frames == capacity) capacity *= 2;
        }
        if (frames > 0) {
            result.samples = samples;
            result.count = frames * channels;
            *channels_out = channels;
        } else {
            free(samples);
        }
    }
    sf_close(sf);
    return result;
}

// All channels interleaved, as stored: a stereo file plays as one stream.
static DecodedSamples decode_wav(const unsigned char* data, size_t length) {
    uint64_t channels = 0;
    return decode_sndfile(data, length, 0, &channels);
}

// Mono as stored; several channels are averaged into one. libsndfile reads
// Ogg Vorbis too, and unlike stb_vorbis it copes with damaged files: these
// made stb_vorbis 1.22 write through wild pointers and leak its memory.
static DecodedSamples decode_ogg(const unsigned char* data, size_t length) {
    uint64_t channels = 0;
    DecodedSamples result = decode_sndfile(data, length, SF_FORMAT_OGG, &channels);
    if (channels > 1) {
        uint64_t frames = result.count / channels;
        for (uint64_t i = 0; i < frames; i++) {
            float sum = 0.0f;
            for (uint64_t c = 0; c < channels; c++) sum += result.samples[i * channels + c];
            result.samples[i] = sum / (float)channels;
        }
        result.count = frames;
    }
    return result;
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
    set_sound_level(slot, 1.0f);
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
        {"music.ogg", 1.0f},        {"tap.wav", 0.5f},        {"toggle.wav", 1.0f},
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
