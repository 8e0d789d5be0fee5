// sounds.h - the table of decoded sounds, their live reload, the game's
// load list and the looping music with its fade-in.
//
// Sounds are decoded whole into memory (WAV and Ogg Vorbis, one float per
// output frame, no resampling) and found by name: the file name up to its
// first ".". A missing or undecodable file gives an empty, silent sound, so
// every listed name still resolves. The "sounds" and "music" settings are
// tested by the callers (play_effect for the effects), never by the table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "audio/mixer.h"

constexpr int SOUND_SLOTS = 20;

struct SoundTable {
    Sound slots[SOUND_SLOTS];
};
extern SoundTable sound_table;

// The player's switches (saved with the progress): music and sound effects
// play only while they are on.
extern uint8_t music_enabled;
extern uint8_t sounds_enabled;

// Plays an effect when the "sounds" setting is on.
void play_effect(const char* name);

// Sample index at which the music starts next; set by stop_music and by
// the saved progress.
extern uint64_t music_resume_position;

// The music plays at this level whenever it plays, faded up to it.
constexpr float MUSIC_LEVEL = 0.75f;

// First used slot whose name equals name exactly, or null.
Sound* find_sound(const char* name);

// start_voice for the named sound; unknown names play nothing. Main thread
// only.
void play_sound(const char* name, uint64_t start = 0);

// Claims the first free slot (slot 19 when all are taken) for "sounds/<file
// name>" and decodes it. Returns the slot.
Sound* load_sound(const char* file_name);

// Decodes path into the slot by its ending, ".wav" or ".ogg"; any other
// ending keeps the slot's samples. The new samples are swapped in under
// audio_lock, so voices playing the slot go on in the new data. The volume
// returns to the slot's base_volume (load_sound starts it at 1.0).
void decode_sound_file(Sound* slot, const char* path);
// The decoding part of it, for a whole file held in memory: a new array
// (free with free()) and its length in *count, or null and 0 when nothing
// decodes.
float* decode_sound_data(const unsigned char* data, size_t length, bool ogg, uint64_t* count);

// Re-decodes every slot whose file has a new modification time.
void reload_changed_sounds();

// The game's sounds, in order, with their levels.
void load_game_sounds();

// Loops "music" from music_resume_position, fading in over a second.
void start_music();
// Remembers where the music was and silences it.
void stop_music();
// Position of the first playing music voice, or 0: what the saved game keeps.
uint64_t current_music_position();

// Shutdown, after the output has stopped: frees all samples and clears the
// table and the voices.
void free_all_sounds();
