// pause.h - a level that stands still under the pause plate: tweens, the
// Time Challenge clock and the play-time counters wait; music and sounds go
// on. It is not saved: a paused level that is quit starts unpaused.
#pragma once

void pause_level();
void resume_level();
bool level_paused();
