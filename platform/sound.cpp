#include "platform/sound.h"

uint8_t sfx_volume = 128;
uint8_t music_volume = 128;

void play_effect(SAMPLE* sample, int index) {
    if (sfx_volume == 0 || !sample) return;
    play_sample(sample, sfx_volume, index * 128 + 64, normal_speed, 0);
}
