#include "platform/music.h"

#include "platform/sound.h"

SAMPLE* music = nullptr;
const char* const music_table[music_tracks] = {"music/utopia.wav", "music/delirium.wav", "music/indulgence.wav"};

namespace {

constexpr int music_priority = 210;

}  // namespace

void play_music(int track) {
    release_music();
    music = read_wav(music_table[track]);
    if (!music) return;  // a track that cannot be loaded is not played
    music->priority = music_priority;
    play_sample(music, music_volume, centre_pan, normal_speed, 1);
}

void set_music_level(int volume) {
    if (music) adjust_sample(music, volume, centre_pan, normal_speed, 1);
}

void release_music() {
    if (!music) return;
    stop_sample(music);
    destroy_sample(music);
    music = nullptr;
}
