// The character data files: the readers on tricky text, a swap of characters, and every fault of a
// data file reported with its file and line. The data is written into a folder of its own.
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "board_fixture.h"
#include "present/character_data.h"
#include "present/character_files.h"

namespace {

namespace fs = std::filesystem;

std::string repeat(const std::string& line, int times) {
    std::string text;
    for (int k = 0; k < times; k++) text += line;
    return text;
}

const std::string six_cups = "1 2 3 1 2 3\n";
// Character 0: twelve animations (1 and 10 two frames long), four samples, three cues.
const std::string anims_0 = "ombrelix/a.pcx 0\nombrelix/b.pcx 10\n" + repeat("ombrelix/a.pcx 0\n", 8) +
                            "ombrelix/b.pcx 11\nombrelix/a.pcx 0\n";
const char* const files_0[] = {"ombrelix/animlist.txt", "ombrelix/sfxfiles.txt", "ombrelix/sfxlist.txt", "pattern1.txt"};
const std::string texts_0[] = {anims_0, repeat("ombrelix/s.wav\n", 4), "1 1 0\n4 0 3\n10 0 2\n", repeat(six_cups, 10)};

class CharacterData : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        game_folder = fs::current_path();
        folder = fs::temp_directory_path() / ("cupclash-characters-" + std::to_string(getpid()));
        fs::create_directories(folder / "ombrelix");
        fs::create_directories(folder / "quorvant");
        fs::copy_file("break.wav", folder / "ombrelix/s.wav");
        fs::copy_file("refill.wav", folder / "quorvant/t.wav");
        fs::current_path(folder);
        for (int k = 0; k < 4; k++) write(files_0[k], texts_0[k]);
        write("quorvant/animlist.txt", repeat("quorvant/c.pcx 0\n", 11));  // three frames each
        write("quorvant/sfxfiles.txt", repeat("quorvant/t.wav\n", 3));
        write("quorvant/sfxlist.txt", "2 2 1\n5 0 2\n");
        write("pattern2.txt", repeat("3 3 3 3 3 3\n", 10));
        for (const auto& [file, w, h] : {std::tuple{"ombrelix/a.pcx", 64, 192}, {"ombrelix/b.pcx", 64, 384},
                                         {"quorvant/c.pcx", 32, 576}, {"ombrelix/tall.pcx", 64, 200},
                                         {"ombrelix/wide.pcx", 300, 192}}) {
            BITMAP* b = figure_sheet(0, w, h);
            save_bitmap(file, b, nullptr);
            destroy_bitmap(b);
        }
    }
    void TearDown() override {
        fs::current_path(game_folder);
        fs::remove_all(folder);
    }
    static void write(const std::string& file, const std::string& text) { std::ofstream(file) << text; }
    fs::path game_folder, folder;
};

TEST_F(CharacterData, ReadersTakeAnyWhiteSpaceAndReadRowByRow) {
    // A byte-order mark, Windows line ends, blank lines, an entry over two lines, hexadecimal and
    // octal numbers, white space after the last entry; a name of 29 characters, the longest.
    write("a", "\xEF\xBB\xBFx/a.pcx 0\r\n\r\n\tx/b.pcx\n 0x2\n" + repeat("x/c.pcx 010 ", 8) + "\n\n  \t");
    write("s", "x/abcdefghijklmnopqrstuvw.wav\n\n");
    write("c", "1 3 0");
    write("p", repeat(six_cups, 10));
    CharacterLists lists{};
    int32_t pattern[board_cells] = {};
    FILE* in[] = {std::fopen("a", "r"), std::fopen("s", "r"), std::fopen("c", "r"), std::fopen("p", "r")};
    std::string errors = read_anim_list(in[0], "a", &lists);
    errors += read_sample_list(in[1], "s", &lists);
    errors += read_cue_list(in[2], "c", &lists);  // checked against the two lists before it
    errors += read_pattern(in[3], "p", pattern);
    EXPECT_EQ(errors, "");
    for (FILE* f : in) std::fclose(f);
    EXPECT_EQ(lists.anim_count, 10);
    EXPECT_STREQ(lists.sheets[1].name, "x/b.pcx");
    EXPECT_EQ(lists.sheets[1].line, 3);
    EXPECT_EQ(lists.next[1], 2);
    EXPECT_EQ(lists.next[9], 8);
    EXPECT_EQ(lists.sample_count, 1);
    EXPECT_EQ(lists.cues[0].frame, 3);
    EXPECT_EQ((std::vector<int32_t>{pattern[cell_at(0, 0)], pattern[cell_at(1, 0)], pattern[cell_at(5, 9)]}),
              (std::vector<int32_t>{1, 2, 3}));
}

TEST_F(CharacterData, ASwapBackLeavesExactlyTheFirstCharactersData) {
    Player* right = players[1];
    right->loaded_character = no_character;  // it holds a synthetic character: make it read the files
    for (int character : {1, 0, 1}) prepare_round(right, character);
    // Eleven sheets of three frames, three samples at priority 200, two cues; nothing of character 0.
    for (int k = 0; k < max_anims; k++)
        EXPECT_EQ(right->anims[k].frame_count, k < 11 ? 3 : 0) << "sheet " << k;
    for (int k = 0; k < max_sfx; k++)
        EXPECT_EQ(right->sfx[k] ? right->sfx[k]->priority : 0, k < 3 ? 200 : 0) << "sample " << k;
    EXPECT_EQ(right->cue_count, 2);
    EXPECT_EQ(right->cues[1].anim, 5);
    EXPECT_EQ(right->cues[2].anim, 0);
    EXPECT_EQ(right->pattern[0], 3);
    // The same character again reads no file.
    fs::remove_all(folder / "quorvant");
    prepare_round(right, 1);
    EXPECT_EQ(right->anim_queue[0], anim_intro);
}

TEST_F(CharacterData, EveryFaultOfADataFileIsReportedWithItsFileAndLine) {
    const std::string ten = repeat("ombrelix/a.pcx 0\n", 10);
    const struct {
        int file;  // in files_0
        std::string text;
        std::string message;
    } faults[] = {
        {0, "ombrelix/a.pcx 0\nombrelix/abcdefghijklmnopqrstu.pcx 0\n", ":2: the file name \"ombrelix/abcdefghijklmnopqrst...\" is longer than 29"},
        {0, repeat("ombrelix/a.pcx 0\n", 21), ":21: more than 20 animations"},
        {0, repeat("ombrelix/a.pcx 0\n", 9) + "\n", ":9: 9 animations, the game needs at least 10"},
        {0, "ombrelix/a.pcx 0\n\nombrelix/a.pcx 10\n" + repeat("ombrelix/a.pcx 0\n", 8), ":3: animation 1 is followed by 10"},
        {0, ten + "ombrelix/a.pcx", ":11: the entry ends where the id of the animation that follows should be"},
        {0, ten + "ombrelix/a.pcx 4294967297\n", ":11: the id of the animation that follows \"4294967297\" is out of range"},
        {0, ten + "ombrelix/\x1b[2J\x7f.pcx 0\n", ":11: the sheet \"ombrelix/\\x1b[2J\\x7f.pcx\" is missing from "},
        {0, "ombrelix/tall.pcx 0\n" + ten, ":1: the sheet \"ombrelix/tall.pcx\" is 64 x 200"},
        {0, ten + "ombrelix/wide.pcx 0\n", ":11: the sheet \"ombrelix/wide.pcx\" is 300 x 192"},
        {1, repeat("ombrelix/s.wav\n", 21), ":21: more than 20 samples"},
        {1, repeat("ombrelix/s.wav\n", 3) + "ombrelix/none.wav\n", ":4: the sample \"ombrelix/none.wav\" is missing from "},
        {2, repeat("1 0 0\n", 31), ":31: more than 30 cues"},
        {2, "1 0 0\n12 0 0\n", ":2: a cue for animation 12, which is no animation (0 to 11)"},
        {2, "1 0 4\n", ":1: sample 4 is not in the sample list (4 samples)"},
        {2, "4 0 3\n1 1 0\n", ":2: a cue for animation 1 after one for animation 4"},
        {2, "1 0 0\n1 2 0\n", ":2: frame 2 is not a frame of animation 1 (0 to 1)"},
        {3, repeat(six_cups, 9) + "1 2 3 1 2\n\n", ":10: 59 cup types, a pattern needs 60"},
        {3, six_cups + "1 2 x\n", ":2: a cup type should be a number"},
        {3, six_cups + "1 2 -0x99999999999\n", ":2: a cup type \"-0x99999999999\" is out of range"},
        {3, six_cups + six_cups + "1 2 4 1 2 3\n" + repeat(six_cups, 7), ":3: cup type 4 is not one of 0 to 3"},
    };
    for (const auto& f : faults) {
        for (int k = 0; k < 4; k++) write(files_0[k], k == f.file ? f.text : texts_0[k]);
        const std::string wanted = files_0[f.file] + f.message;
        release_character_data(p);
        EXPECT_EQ(load_character_data(p, 0).substr(0, wanted.size()), wanted);
        EXPECT_TRUE(p->anims[0].frames == nullptr && p->sfx[0] == nullptr) << wanted;  // released
    }
    // The game reports a fault in one line and exits with status 1; a missing file is named too.
    fs::remove("pattern1.txt");
    p->loaded_character = 1;
    EXPECT_EXIT(prepare_round(p, 0), testing::ExitedWithCode(1), "^cupclash: pattern1.txt is missing from /[^\n]*\n$");
}

}  // namespace
