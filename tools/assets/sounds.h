// The game's sounds as recipes for the synthesiser: the ten effects, each
// with the peak level it is written at, and the looping music.
#pragma once

#include "synth.h"

struct EffectRecipe {
    const char *file;       // name in the sounds directory
    void (*make)(Track &);  // adds the raw sound into an empty track
    float peak;             // clicks sit lower so that several voices rarely clip
};

extern const EffectRecipe effect_recipes[];
extern const int effect_recipe_count;

// Renders one loop of the music into `track`, already folded so that the
// last sample runs on into the first; its length is a whole number of bars.
void make_music(Track &track);
