// The records: their order, the ten kept per strength, a damaged file set aside, two games adding at once.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "game/records.h"
#include "platform/user_files.h"

namespace {

Record record(int score, int rounds, int chain, const char* date = "2026-12-09") {
    Record r;
    r.score = score, r.rounds_won = rounds, r.longest_chain = chain, r.date = date;
    return r;
}

TEST(RecordsTest, BestFirstByScoreThenRoundsThenChainAnEqualOneBehindAndTenKept) {
    RecordTable t;
    struct Case {
        Record r;
        int place;
    };
    const Case cases[] = {
        {record(500, 2, 1), 0},   {record(900, 1, 1), 0},  {record(500, 3, 1), 1},
        {record(500, 2, 4), 2},   {record(500, 2, 1, "2026-12-10"), 4},  // an equal one goes behind
        {record(10, 0, 1), 5},    {record(20, 0, 1), 5},   {record(30, 0, 1), 5},
        {record(40, 0, 1), 5},    {record(50, 0, 1), 5},   {record(5, 0, 1), -1},  // eleventh: not kept
        {record(60, 0, 1), 5},    // pushes 10 out
    };
    for (const Case& c : cases) EXPECT_EQ(add_record(&t, strength_hard, c.r), c.place) << c.r.score;
    ASSERT_EQ(t.best[strength_hard].size(), 10u);
    EXPECT_EQ(t.best[strength_hard][4].date, "2026-12-10");
    EXPECT_EQ(t.best[strength_hard].back().score, 20);
    EXPECT_TRUE(t.best[strength_easy].empty());
    RecordTable read;
    EXPECT_EQ(parse_records(format_records(t), &read), "");
    for (size_t k = 0; k < 10; k++) EXPECT_EQ(read.best[strength_hard][k].score, t.best[strength_hard][k].score);
    RecordTable damaged;
    EXPECT_EQ(parse_records("# heading\nhard 1 2 0 2026-12-09 1\nhard 1 two\n", &damaged).rfind("line 3 ", 0), 0u);
    EXPECT_NE(parse_records("brutal 1 2 0 2026-12-09 1\n", &damaged), "");
    EXPECT_NE(parse_records("hard 1 9 0 2026-12-09 1\n", &damaged), "");
}

TEST(RecordsTest, ADamagedFileIsSetAsideAndTwoGamesAtOnceKeepBothTheirRecords) {
    char folder[] = "/tmp/cupclash-records-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    setenv("XDG_DATA_HOME", folder, 1);
    const std::string file = std::string(folder) + "/cupclash/records";
    ASSERT_EQ(write_atomically(file, "hard 1 2 nonsense\n"), "");
    EXPECT_EQ(keep_record(strength_normal, record(77, 1, 2)), 0);
    std::string text;
    bool missing = false;
    EXPECT_EQ(read_user_file(std::string(folder) + "/cupclash/records.damaged", &text, &missing), "");
    EXPECT_EQ(text, "hard 1 2 nonsense\n");
    // Two games each keep 20 records at once: every one of the 40 is in the file, best ten per strength.
    const pid_t child = fork();
    if (child == 0) {
        for (int k = 0; k < 20; k++) keep_record(strength_easy, record(1000 + k, 1, 1));
        _exit(0);
    }
    for (int k = 0; k < 20; k++) keep_record(strength_hard, record(2000 + k, 1, 1));
    int status = 0;
    waitpid(child, &status, 0);
    const RecordTable t = load_records();
    ASSERT_EQ(t.best[strength_easy].size(), 10u);
    ASSERT_EQ(t.best[strength_hard].size(), 10u);
    EXPECT_EQ(t.best[strength_easy].front().score, 1019);
    EXPECT_EQ(t.best[strength_hard].back().score, 2010);
    EXPECT_EQ(t.best[strength_normal].size(), 1u);
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(std::system(("rm -r " + std::string(folder)).c_str()), 0);
}

}  // namespace
