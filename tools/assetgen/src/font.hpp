// Text rendered from a real font through FreeType, as hard-edged shapes ready to be outlined.
#pragma once

#include <string>

#include "shape.hpp"

namespace assetgen {

// The ink of a line of text, cropped to the pixels it covers.
struct TextInk {
    Shape shape;
    int baseline = 0;  // row of the shape on which the letters stand
};

class Font {
public:
    explicit Font(const std::string& path);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Renders UTF-8 text at the given pixel size. width_factor narrows (< 1) or widens the
    // letters; tracking adds pixels between letters, which keeps outlined letters apart.
    TextInk render(const std::string& text, int pixel_size, double width_factor = 1.0, int tracking = 0) const;

    // The largest size, at most max_size, at which the rendered ink fits max_width pixels.
    int fitting_size(const std::string& text, int max_size, int max_width, double width_factor = 1.0,
                     int tracking = 0) const;

private:
    struct Impl;
    Impl* impl_;
};

}  // namespace assetgen
