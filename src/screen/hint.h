// hint.h - the hint key: on a regular level it shows the player a pair that
// can be removed, without touching the selection, statistics or saved state.
#pragma once

// Bounces the two tiles of the first connectable pair the move search finds
// (in its order). Nothing happens in a challenge, during the tutorial, with
// a panel or popup open, or when no pair connects. True when a pair bounced.
bool show_hint();
