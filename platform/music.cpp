#include "platform/music.h"

#include <allegro.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/files.h"
#include "platform/sound.h"

const char* const music_table[music_tracks] = {"music/utopia.wav", "music/delirium.wav", "music/indulgence.wav"};

namespace {

// Values per channel in each half of the stream's buffer: 0.37 s at 22 050 Hz, so that a frame that
// comes late (a character loading) never lets the music run dry.
constexpr int stream_length = 8192;
constexpr size_t wav_head_size = 65536;  // the parts before the sound data lie within these bytes

// The track playing: its stream, its file and how far into its sound data the stream has read.
struct Playing {
    AUDIOSTREAM* stream = nullptr;
    int track = -1;
    int file = -1;
    WavLayout wav{};
    uint64_t read = 0;  // bytes of sound data read in this pass
};
Playing playing;

// Reads `bytes` bytes of sound data into `out`, on from the start of the data at its end, as a
// looping sample plays. 16-bit values are turned unsigned, as Allegro plays them. False when the
// file ends early or cannot be read.
bool read_on(uint8_t* out, size_t bytes) {
    uint8_t* const start = out;
    const size_t wanted = bytes;
    while (bytes > 0) {
        if (playing.read == playing.wav.data_bytes) playing.read = 0;
        const size_t piece = std::min<uint64_t>(bytes, playing.wav.data_bytes - playing.read);
        const ssize_t n = pread(playing.file, out, piece, static_cast<off_t>(playing.wav.data_at + playing.read));
        if (n <= 0) return false;
        out += n, bytes -= n, playing.read += n;
    }
    if (playing.wav.bits == 16)
        for (size_t k = 1; k < wanted; k += 2) start[k] ^= 0x80;  // little-endian: the high byte's sign bit
    return true;
}

// The track's file opened and its layout read, if it is one the stream can play.
bool open_track(const char* name) {
    std::vector<uint8_t> head;
    uint64_t size = 0;
    if (!read_game_file(name, &head, wav_head_size, &size).empty() || !wav_fault(head, size).empty()) return false;
    playing.wav = wav_layout(head, size);
    const WavLayout& w = playing.wav;
    if ((w.channels != 1 && w.channels != 2) || (w.bits != 8 && w.bits != 16) || w.rate <= 0 || w.data_bytes == 0)
        return false;
    playing.file = open(name, O_RDONLY | O_NONBLOCK);
    playing.read = 0;
    return playing.file >= 0;
}

}  // namespace

void play_music(int track) {
    release_music();
    // 1. The file, which start-up checked; 2. the stream, held until its buffer is full.
    if (!open_track(music_table[track])) return release_music();
    const WavLayout& w = playing.wav;
    playing.stream = play_audio_stream(stream_length, w.bits, w.channels == 2, w.rate, music_volume, centre_pan);
    if (!playing.stream) return release_music();
    playing.track = track;
    voice_stop(playing.stream->voice);
    // 3. The buffer filled from the start of the track, then the stream plays.
    feed_music();
    if (playing.stream) voice_start(playing.stream->voice);
}

void feed_music() {
    if (!playing.stream) return;
    const size_t bytes = static_cast<size_t>(stream_length) * playing.wav.channels * (playing.wav.bits / 8);
    while (void* buffer = get_audio_stream_buffer(playing.stream)) {
        const bool fed = read_on(static_cast<uint8_t*>(buffer), bytes);
        free_audio_stream_buffer(playing.stream);
        if (!fed) return release_music();  // the file went away: the music ends, the game goes on
    }
}

void set_music_level(int volume) {
    if (playing.stream) voice_set_volume(playing.stream->voice, volume);
}

int music_track() { return playing.stream ? playing.track : -1; }

const SAMPLE* music_sample() { return playing.stream ? playing.stream->samp : nullptr; }

void release_music() {
    if (playing.stream) stop_audio_stream(playing.stream);
    if (playing.file >= 0) close(playing.file);
    playing = Playing{};
}
