// The review picture: every generated picture on one dark canvas, enlarged, labelled, with the
// mask colour shown as a checkerboard, and a mock-up of a battle screen assembled from them.
#pragma once

#include <string>
#include <vector>

#include "font.hpp"
#include "image.hpp"

namespace assetgen {

struct NamedPicture {
    std::string file;
    Image image;
};

Image make_contact_sheet(const std::vector<NamedPicture>& pictures, const Font& font);

}  // namespace assetgen
