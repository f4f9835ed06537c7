// libFuzzer target: the readers of a character's animation list, sample list and cue list, of an
// attack pattern and of the computer's script, each on the same bytes. A rejected file is an ordinary outcome; a crash or a read
// or write out of bounds (AddressSanitizer) or undefined behaviour stops the run.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "control/ai_script.h"
#include "present/character_files.h"

namespace {

// Runs one reader on the bytes as a file.
template <typename Target>
void read_bytes(std::string& bytes, std::string (*read)(FILE*, const char*, Target*), Target* target) {
    FILE* in = fmemopen(bytes.data(), bytes.size(), "r");
    if (!in) return;
    read(in, "fuzz.txt", target);
    std::fclose(in);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    CharacterLists lists;
    read_bytes(bytes, read_anim_list, &lists);
    read_bytes(bytes, read_sample_list, &lists);
    // The cue list is checked against the other two lists: let the bytes choose their lengths.
    lists.anim_count = min_anims + data[0] % (max_anims - min_anims + 1);
    lists.sample_count = data[size - 1] % (max_sfx + 1);
    read_bytes(bytes, read_cue_list, &lists);
    int32_t pattern[board_cells];
    read_bytes(bytes, read_pattern, pattern);
    std::vector<AiRecord> records;
    parse_ai_script(bytes, &records);
    return 0;
}
