// cupclash-assetgen: draws every picture and synthesises every sound of the game into the
// folder named on the command line. The same sources always give the same bytes.
//
//   cupclash-assetgen <output folder>   write the assets, contact_sheet.png and screens.png
//   cupclash-assetgen --list            print the names of the files it writes

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>

#include "assets.hpp"
#include "characters.hpp"
#include "contact_sheet.hpp"
#include "fail.hpp"
#include "pcx.hpp"
#include "png.hpp"
#include "screens_preview.hpp"

namespace {

using namespace assetgen;

void list_outputs() {
    for (const PictureAsset& p : picture_assets()) std::printf("%s\n", p.file);
    for (const SoundAsset& s : sound_assets()) std::printf("%s\n", s.file);
    for (const MusicAsset& m : music_assets()) std::printf("%s\n", m.file);
    for (const CharacterSheet& s : character_sheets()) std::printf("%s\n", s.file.c_str());
    std::printf("%s\n%s\n%s\n", kContactSheetFile, kScreensSheetFile, kCharacterSheetFile);
}

// Some files lie in a folder of their own (a character's pictures and sounds, the music).
void make_parent_folder(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error) fail("cannot create the folder " + file.parent_path().string() + ": " + error.message());
}

// The rivals' animation sheets are as wide as their poses need and are left out of the contact
// sheet; characters.png shows them with the portraits and mock-ups of the bottom panel.
void generate_characters(const std::filesystem::path& folder, const Font& font, const std::vector<NamedPicture>& made) {
    std::vector<NamedPicture> sheets;
    for (const CharacterSheet& sheet : character_sheets()) {
        Image image = make_character_sheet(sheet);
        const std::string fault = sheet_fault(sheet.file, image);
        if (!fault.empty()) fail(fault);
        make_parent_folder(folder / sheet.file);
        write_pcx((folder / sheet.file).string(), image);
        sheets.push_back({sheet.file, std::move(image)});
    }
    std::map<std::string, const Image*> pictures;
    std::map<std::string, std::vector<const Image*>> by_folder;
    for (const NamedPicture& p : made) pictures[p.file] = &p.image;
    for (const NamedPicture& p : sheets) {
        pictures[p.file] = &p.image;
        by_folder[p.file.substr(0, p.file.find('/'))].push_back(&p.image);
    }
    write_png((folder / kCharacterSheetFile).string(), make_character_review(pictures, font));
    for (const auto& [name, images] : by_folder) {
        const std::string fault = budget_fault(name, images);
        if (!fault.empty()) fail(fault);
    }
}

void generate(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) fail("cannot create the folder " + folder.string() + ": " + error.message());

    const Font font(CUPCLASH_FONT_FILE);
    const Context ctx{font};
    std::vector<NamedPicture> made;
    for (const PictureAsset& asset : picture_assets()) {
        Image image = asset.make(ctx);
        const std::string fault = picture_fault(asset, image);
        if (!fault.empty()) fail(fault);
        make_parent_folder(folder / asset.file);
        write_pcx((folder / asset.file).string(), image);
        made.push_back({asset.file, std::move(image)});
    }
    for (const SoundAsset& asset : sound_assets()) {
        const Sound sound = asset.make();
        const std::string fault = sound_fault(asset, sound);
        if (!fault.empty()) fail(fault);
        make_parent_folder(folder / asset.file);
        write_wav((folder / asset.file).string(), sound);
    }
    for (const MusicAsset& asset : music_assets()) {
        const Sound music = asset.make(CUPCLASH_SOUND_FONT_FILE);
        const std::string fault = music_fault(asset, music);
        if (!fault.empty()) fail(fault);
        make_parent_folder(folder / asset.file);
        write_wav((folder / asset.file).string(), music);
    }
    generate_characters(folder, font, made);
    write_png((folder / kContactSheetFile).string(), make_contact_sheet(made, font));
    write_png((folder / kScreensSheetFile).string(), make_screens_sheet(made, font));
}

}  // namespace

int main(int argc, char** argv) {
    const std::string arg = argc == 2 ? argv[1] : "";
    if (arg == "--list") {
        list_outputs();
        return 0;
    }
    if (arg.empty() || arg[0] == '-') {
        std::fprintf(stderr, "usage: cupclash-assetgen <output folder> | --list\n");
        return 2;
    }
    generate(arg);
    return 0;
}
