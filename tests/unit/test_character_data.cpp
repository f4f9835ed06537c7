// The character data files: the readers on tricky text, loading and swapping characters, and every
// fault of a data file reported with its file and line. The data is written into a folder of its
// own, so the tests do not depend on the game's real characters.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "board_fixture.h"
#include "present/character_data.h"
#include "present/character_files.h"
#include "shell/match.h"

namespace {

namespace fs = std::filesystem;

// A text given to a reader as a file.
struct TextFile {
    explicit TextFile(const std::string& text) : copy(text), in(fmemopen(copy.data(), copy.size(), "r")) {}
    ~TextFile() { std::fclose(in); }
    std::string copy;
    FILE* in;
};

std::string repeat(const std::string& line, int times) {
    std::string text;
    for (int k = 0; k < times; k++) text += line;
    return text;
}

const std::string six_cups = "1 2 3 1 2 3\n";

// Twelve animations (1 and 10 two frames long, 10 chaining into 11), four samples, three cues.
const std::string ombrelix_anims = "ombrelix/a.pcx 0\nombrelix/b.pcx 10\n" + repeat("ombrelix/a.pcx 0\n", 8) +
                                   "ombrelix/b.pcx 11\nombrelix/a.pcx 0\n";
const std::string ombrelix_samples = repeat("ombrelix/s.wav\n", 4);
const std::string ombrelix_cues = "1 1 0\n4 0 3\n10 0 2\n";
// Eleven animations of three frames, three samples, two cues.
const std::string quorvant_anims = repeat("quorvant/c.pcx 0\n", 11);

class CharacterData : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        game_folder = fs::current_path();
        folder = fs::temp_directory_path() / ("cupclash-characters-" + std::to_string(getpid()));
        fs::create_directories(folder / "ombrelix");
        fs::create_directories(folder / "quorvant");
        fs::current_path(folder);
        write_sheet("ombrelix/a.pcx", 64, frame_height);
        write_sheet("ombrelix/b.pcx", 64, 2 * frame_height);
        write_sheet("quorvant/c.pcx", 32, 3 * frame_height);
        write_sample("ombrelix/s.wav", 100);
        write_sample("quorvant/t.wav", 300);
        write("ombrelix/animlist.txt", ombrelix_anims);
        write("ombrelix/sfxfiles.txt", ombrelix_samples);
        write("ombrelix/sfxlist.txt", ombrelix_cues);
        write("pattern1.txt", repeat(six_cups, 10));
        write("quorvant/animlist.txt", quorvant_anims);
        write("quorvant/sfxfiles.txt", repeat("quorvant/t.wav\n", 3));
        write("quorvant/sfxlist.txt", "2 2 1\n5 0 2\n");
        write("pattern2.txt", repeat("3 3 3 3 3 3\n", 10));
    }
    void TearDown() override {
        fs::current_path(game_folder);
        fs::remove_all(folder);
    }
    static void write(const std::string& file, const std::string& text) { std::ofstream(file) << text; }
    static void write_sheet(const char* file, int w, int h) {
        BITMAP* b = figure_sheet(0, w, h);
        save_bitmap(file, b, nullptr);
        destroy_bitmap(b);
    }
    // A silent 16-bit mono WAV of `length` samples at 22 050 Hz.
    static void write_sample(const char* file, uint32_t length) {
        std::ofstream out(file, std::ios::binary);
        auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
        auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
        out << "RIFF";
        u32(36 + 2 * length);
        out << "WAVEfmt ";
        u32(16);
        u16(1);  // PCM
        u16(1);  // mono
        u32(22050);
        u32(2 * 22050);
        u16(2);
        u16(16);
        out << "data";
        u32(2 * length);
        out << std::string(2 * length, '\0');
    }
    fs::path game_folder, folder;
};

TEST_F(CharacterData, ReadersTakeAnyWhiteSpaceAndReadRowByRow) {
    // A byte-order mark, tabs, Windows line ends, blank lines, an entry split over two lines,
    // hexadecimal and octal numbers, white space after the last entry.
    CharacterLists lists{};
    TextFile anims("\xEF\xBB\xBFx/a.pcx 0\r\n\r\n\tx/b.pcx\n 0x2\n" + repeat("x/c.pcx 010 ", 8) + "\n\n  \t");
    EXPECT_EQ(read_anim_list(anims.in, "anims", &lists), "");
    ASSERT_EQ(lists.anim_count, 10);
    EXPECT_STREQ(lists.sheets[1].name, "x/b.pcx");
    EXPECT_EQ(lists.sheets[1].line, 3);
    EXPECT_EQ(lists.next[1], 2);
    EXPECT_EQ(lists.next[9], 8);
    EXPECT_STREQ(lists.sheets[9].name, "x/c.pcx");

    TextFile samples("x/abcdefghijklmnopqrstuvw.wav\n\n");  // 29 characters: the longest name
    EXPECT_EQ(read_sample_list(samples.in, "samples", &lists), "");
    EXPECT_EQ(lists.sample_count, 1);

    TextFile cues("1 3 0\n");
    EXPECT_EQ(read_cue_list(cues.in, "cues", &lists), "");
    ASSERT_EQ(lists.cue_count, 1);
    EXPECT_EQ(lists.cues[0].frame, 3);

    int32_t pattern[board_cells] = {};
    TextFile rows(repeat(six_cups, 10));
    EXPECT_EQ(read_pattern(rows.in, "pattern", pattern), "");
    EXPECT_EQ(pattern[cell_at(0, 0)], 1);
    EXPECT_EQ(pattern[cell_at(1, 0)], 2);
    EXPECT_EQ(pattern[cell_at(5, 9)], 3);
}

TEST_F(CharacterData, ASwapBackLeavesExactlyTheFirstCharactersData) {
    Player* right = players[1];  // holds a synthetic character 1: make it load the files
    right->loaded_character = no_character;
    for (int character : {1, 0, 1}) {
        winner = 0;
        right->score = 50;
        prepare_round(right, character);
        EXPECT_EQ(right->loaded_character, character);
    }
    // Eleven sheets of three frames, three samples of 300 at priority 200, two cues; nothing of
    // character 0 left over.
    for (int k = 0; k < max_anims; k++) {
        const BITMAP* sheet = right->anims[k].sheet;
        EXPECT_EQ(sheet ? sheet->h : 0, k < 11 ? 3 * frame_height : 0) << "sheet " << k;
    }
    for (int k = 0; k < max_sfx; k++) {
        const SAMPLE* s = right->sfx[k];
        EXPECT_EQ(s ? s->len : 0, k < 3 ? 300u : 0u) << "sample " << k;
        EXPECT_EQ(s ? s->priority : 200, 200) << "sample " << k;
    }
    EXPECT_EQ(right->cue_count, 2);
    EXPECT_EQ(right->cues[1].anim, 5);
    EXPECT_EQ(right->cues[2].anim, 0);
    EXPECT_EQ(right->pattern[0], 3);
    // The round-start values: the intro queued for the right player, its score reset.
    EXPECT_EQ(right->anim_queue[0], anim_intro);
    EXPECT_EQ(right->score, 0);
    // The same character again reads no file.
    fs::remove_all(folder / "quorvant");
    prepare_round(right, 1);
    EXPECT_EQ(right->sfx[0]->len, 300u);
}

TEST_F(CharacterData, EveryFaultOfADataFileIsReportedWithItsFileAndLine) {
    write_sheet("ombrelix/tall.pcx", 64, 200);
    write_sheet("ombrelix/wide.pcx", 300, frame_height);
    const std::string long_name = "ombrelix/abcdefghijklmnopqrstu.pcx 0\n";  // 34 characters
    const std::string ten_anims = repeat("ombrelix/a.pcx 0\n", 10);
    const struct {
        const char* file;
        std::string text;
        std::string message;
    } faults[] = {
        {"ombrelix/animlist.txt", "ombrelix/a.pcx 0\n" + long_name, ":2: the file name \"ombrelix/abcdefghijklmnopqrst...\" is longer than 29"},
        {"ombrelix/animlist.txt", repeat("ombrelix/a.pcx 0\n", 21), ":21: more than 20 animations"},
        {"ombrelix/animlist.txt", repeat("ombrelix/a.pcx 0\n", 9) + "\n", ":9: 9 animations, the game needs at least 10"},
        {"ombrelix/animlist.txt", "ombrelix/a.pcx 0\n\nombrelix/a.pcx 10\n" + repeat("ombrelix/a.pcx 0\n", 8), ":3: animation 1 is followed by 10"},
        {"ombrelix/animlist.txt", "ombrelix/a.pcx zero\n", ":1: the id of the animation that follows should be a number"},
        {"ombrelix/animlist.txt", ten_anims + "ombrelix/a.pcx", ":11: the entry ends where the id"},
        {"ombrelix/animlist.txt", ten_anims + "ombrelix/none.pcx 0\n", ":11: cannot load the sheet \"ombrelix/none.pcx\""},
        {"ombrelix/animlist.txt", "ombrelix/tall.pcx 0\n" + ten_anims, ":1: the sheet \"ombrelix/tall.pcx\" is 64 x 200"},
        {"ombrelix/animlist.txt", ten_anims + "ombrelix/wide.pcx 0\n", ":11: the sheet \"ombrelix/wide.pcx\" is 300 x 192"},
        {"ombrelix/sfxfiles.txt", repeat("ombrelix/s.wav\n", 21), ":21: more than 20 samples"},
        {"ombrelix/sfxfiles.txt", ombrelix_samples + "ombrelix/none.wav\n", ":5: cannot load the sample \"ombrelix/none.wav\""},
        {"ombrelix/sfxfiles.txt", "ombrelix/abcdefghijklmnopqrstu.wav\n", ":1: the file name"},
        {"ombrelix/sfxlist.txt", repeat("1 0 0\n", 31), ":31: more than 30 cues"},
        {"ombrelix/sfxlist.txt", "1 0 0\n12 0 0\n", ":2: a cue for animation 12, which is no animation (0 to 11)"},
        {"ombrelix/sfxlist.txt", "-1 0 0\n", ":1: a cue for animation -1"},
        {"ombrelix/sfxlist.txt", "1 0 4\n", ":1: sample 4 is not in the sample list (4 samples)"},
        {"ombrelix/sfxlist.txt", "4 0 3\n1 1 0\n", ":2: a cue for animation 1 after one for animation 4"},
        {"ombrelix/sfxlist.txt", "1 0 0\n1 2 0\n", ":2: frame 2 is not a frame of animation 1 (0 to 1)"},
        {"ombrelix/sfxlist.txt", "1 0\n", ":1: the entry ends where the cue's sample number should be"},
        {"pattern1.txt", repeat(six_cups, 9) + "1 2 3 1 2\n\n", ":10: 59 cup types, a pattern needs 60"},
        {"pattern1.txt", six_cups + six_cups + "1 2 4 1 2 3\n" + repeat(six_cups, 7), ":3: cup type 4 is not one of 0 to 3"},
        {"pattern1.txt", "1 2 x\n", ":1: a cup type should be a number"},
        {"ombrelix/sfxlist.txt", "", ""},  // the file removed below: it cannot be opened
    };
    const std::string good[] = {ombrelix_anims, ombrelix_samples, ombrelix_cues, repeat(six_cups, 10)};
    const char* files[] = {"ombrelix/animlist.txt", "ombrelix/sfxfiles.txt", "ombrelix/sfxlist.txt", "pattern1.txt"};
    for (const auto& f : faults) {
        for (int k = 0; k < 4; k++) write(files[k], files[k] == std::string(f.file) ? f.text : good[k]);
        if (f.message.empty()) fs::remove(f.file);
        const std::string wanted = f.message.empty() ? std::string(f.file) + ": cannot open it" : f.file + f.message;
        release_character_data(p);
        const std::string error = load_character_data(p, 0);
        EXPECT_EQ(error.substr(0, wanted.size()), wanted);
        EXPECT_EQ(p->anims[0].sheet, nullptr) << wanted;  // what was loaded is released
        EXPECT_EQ(p->sfx[0], nullptr) << wanted;
    }
    // The good files load; the game reports a fault in one line and exits with status 1.
    for (int k = 0; k < 4; k++) write(files[k], good[k]);
    EXPECT_EQ(load_character_data(p, 0), "");
    write("pattern1.txt", "1 2 3\n");
    p->loaded_character = 1;
    EXPECT_EXIT(prepare_round(p, 0), testing::ExitedWithCode(1), "^cupclash: pattern1.txt:1: 3 cup types, a pattern needs 60 \\(ten rows of six\\)\n$");
}

}  // namespace
