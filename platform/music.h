// The music: one looping track at a time, at the music volume.
#pragma once

#include <allegro.h>

// The tracks of music_table.
enum Track : int {
    track_title = 0,
    track_round = 1,  // plus the right player's character
};
constexpr int music_tracks = 3;

extern SAMPLE* music;  // the one music track loaded now, or null
extern const char* const music_table[music_tracks];

// Loads track `track` of music_table in place of the one playing and plays it looping at
// music_volume; a track that fails to load leaves the music silent.
void play_music(int track);
// Plays the loaded track, if any, at `volume` from now on.
void set_music_level(int volume);
// Stops and releases the music track, if any.
void release_music();
