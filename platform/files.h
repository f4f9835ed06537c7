// Reading the files the game loads, and telling a missing, unreadable or damaged one by its bytes, so
// that each fault gets its own true line before the game draws anything from the file.
// Every routine here returns "" when all is well, or the end of a "cupclash: ..." line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reads a file of the working folder into *bytes, the whole of it or its first `most` bytes, and
// gives its whole size in *size when asked. A fault reads "is missing from FOLDER" (with a hint to
// run the game from its own folder when it was started elsewhere) or "cannot be read: REASON".
std::string read_game_file(const char* file, std::vector<uint8_t>* bytes, size_t most = SIZE_MAX,
                           uint64_t* size = nullptr);

// Checks a PCX picture (8 bits per colour, one palette plane or three colour planes, run-length
// encoded) and that it is width x height, unless both are 0: "is damaged: ..." when it is not a
// PCX picture, is of another size, ends before its last row or lacks its colour table.
std::string pcx_fault(const std::vector<uint8_t>& bytes, int width, int height);

// The width and height that a PCX picture's header gives; pcx_fault must have found nothing.
void pcx_size(const std::vector<uint8_t>& bytes, int* width, int* height);

constexpr size_t pcx_header_size = 128;  // the bytes before a PCX picture's first row

// How far the rows of a PCX picture have been read: the next row, and where its runs start.
struct PcxPlace {
    int row = 0;
    size_t at = pcx_header_size;
};

// The rows of a checked PCX picture, one after another, as Allegro's loader reads them, from `place`
// on up to row `end` (not included, nor past the last row); `place` is left at the row that follows.
// `row` gets each row's values, plane after plane, `stride` apart (one plane of palette indices, or
// red, green and blue).
void pcx_rows(const std::vector<uint8_t>& bytes, PcxPlace* place, int end,
              void (*row)(int y, const uint8_t* values, int stride, void* to), void* to);

// The 256 colours of a checked one-plane PCX picture, as red, green and blue bytes.
const uint8_t* pcx_palette(const std::vector<uint8_t>& bytes);

// Checks a WAV sound of `size` bytes by its first bytes, `head`, which must hold the headers of
// every part up to the sound data: "is damaged: ..." when it is not a RIFF WAVE file, lacks its
// format or sound data, or a part of it ends before the length it gives.
std::string wav_fault(const std::vector<uint8_t>& head, uint64_t size);

// A picture file read and checked: read_game_file, then pcx_fault (width and height 0: any size).
std::string picture_file_fault(const char* file, int width, int height);

// A sound file checked: its first 64 KB read with read_game_file, then wav_fault.
std::string sound_file_fault(const char* file);

// Where a WAV sound's data lies and how it is laid out; wav_fault must have found nothing.
struct WavLayout {
    int channels;         // 1 mono, 2 stereo
    int bits;             // 8 (unsigned) or 16 (signed) per value
    int rate;             // values per second and channel
    uint64_t data_at;     // bytes from the file's start to its sound data
    uint64_t data_bytes;  // bytes of sound data
};
WavLayout wav_layout(const std::vector<uint8_t>& head, uint64_t size);
