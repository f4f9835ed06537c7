// screens.png: the screens around the battle put together the way the game draws them, in
// 16-bit colour, to judge the pictures of the title's pages, the records and keys screens, the
// character selects, the pause menu and the tutorial in place.
#pragma once

#include <vector>

#include "contact_sheet.hpp"

namespace assetgen {

constexpr const char* kScreensSheetFile = "screens.png";

Image make_screens_sheet(const std::vector<NamedPicture>& pictures, const Font& font);

}  // namespace assetgen
