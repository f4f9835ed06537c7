// screens.png: the screens around the battle put together the way the game draws them, in
// 16-bit colour, to judge the title, character select, pause menu and tutorial pictures in place.
#pragma once

#include <vector>

#include "contact_sheet.hpp"

namespace assetgen {

constexpr const char* kScreensSheetFile = "screens.png";

Image make_screens_sheet(const std::vector<NamedPicture>& pictures, const Font& font);

}  // namespace assetgen
