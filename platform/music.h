// The music: one looping track at a time, at the music volume, streamed from its file: only a
// fraction of a second of it is held in memory, fed a little each frame.
#pragma once

#include <allegro.h>

// The tracks of music_table.
enum Track : int {
    track_title = 0,
    track_round = 1,  // plus the right player's character
};
constexpr int music_tracks = 3;

extern const char* const music_table[music_tracks];

// Plays track `track` of music_table looping at music_volume, in place of the one playing; a track
// that cannot be opened, or a machine without sound, leaves the music silent.
void play_music(int track);
// Feeds the track playing with what it plays next, from its file, going on from its start at its
// end; once per frame (wait_for_tick does it). A file that ends early or cannot be read any more
// ends the music quietly.
void feed_music();
// Plays the track, if any, at `volume` from now on.
void set_music_level(int volume);
// The track playing (a place in music_table), or -1.
int music_track();
// The sound the track plays through (its stream's buffer), or null: what a listening test hears.
const SAMPLE* music_sample();
// Stops the track, if any, and closes its file.
void release_music();
