#include "pixmap.hpp"

#include "fail.hpp"

namespace assetgen {

void draw_pixmap(Image& image, int x, int y, const Pixmap& rows, const Legend& legend) {
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (int col = 0; rows[row][col] != '\0'; ++col) {
            const char key = rows[row][col];
            if (key == '.') continue;
            const auto found = legend.find(key);
            if (found == legend.end()) fail(std::string("pixmap uses a character with no colour: '") + key + "'");
            image.set(x + col, y + static_cast<int>(row), found->second);
        }
}

}  // namespace assetgen
