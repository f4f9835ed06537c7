// The parts that the screens around the battle are built from: words and paragraphs in the
// game's text look, rounded plaques, key caps and small cup pictures.
#pragma once

#include <string>

#include "font.hpp"
#include "image.hpp"
#include "shape.hpp"
#include "textfx.hpp"

namespace assetgen {

// The two text looks of the screens: cream for words, gold for titles and for what to press.
TextLook cream_text(int ink_width);
TextLook gold_text(int ink_width);

StyledText styled(const Font& font, const std::string& text, int size, const TextLook& look,
                  double width_factor = 1.0, int tracking = 0);

// Draws the picture with its top edge at y, centred on x = cx.
void draw_centred(Image& image, const Image& picture, int cx, int y);

// Running text set in lines of at most `width` pixels. A word written with a leading '*' is set
// in the accent look (the '*' itself is not shown). Returns the y below the last line.
struct Paragraph {
    int size = 11;
    int line_height = 13;
    TextLook plain;
    TextLook accent;
    bool centred = false;
};
int draw_paragraph(Image& image, const Font& font, const std::string& text, int x, int y, int width,
                   const Paragraph& look);

// A rectangle with corners rounded to radius r.
void add_rounded_rect(Shape& s, int x, int y, int w, int h, int r);

// A keyboard key, 15 × 15 (wider for a longer label), its top-left corner at (x, y). The label
// is a letter, or "up", "down", "left" or "right" for an arrow. Returns the key's width.
int draw_key_cap(Image& image, const Font& font, int x, int y, const std::string& label);

// The picture flipped left to right.
Image mirrored(const Image& image);

}  // namespace assetgen
