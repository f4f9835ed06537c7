// characters.png: the two rivals as a player meets them. Along the top, both portraits and
// mock-ups of the bottom panel (background, HUD, left figure as drawn, right one mirrored) in
// 16-bit colour; below, a column per character with a strip per sheet showing each distinct
// key pose once, labelled with the animation id and the frame numbers.

#include <algorithm>

#include "characters.hpp"
#include "preview.hpp"
#include "screen_kit.hpp"

namespace assetgen {

namespace {

constexpr Rgb kBackdrop{70, 52, 44};
constexpr Rgb kFrameLabel{150, 150, 140};
constexpr int kScale = 2;
constexpr int kGap = 12;

Image frame_of(const Image& sheet, int frame) {
    Image canvas(256, 192);
    canvas.blit(sheet, 0, 192 * frame, 0, 0, sheet.width(), 192);
    return canvas;
}

// The bottom panel with the HUD as the game draws it, a character on each side.
Image panel(const std::map<std::string, const Image*>& p, const Image& left, const Image& right) {
    Image out = p.at("char_bg.pcx")->crop(0, 0, 256, 192);
    out.draw(left, 0, 0);
    out.draw(mirrored(right), 0, 0);
    draw_score(out, *p.at("numbers.pcx"), 123450, 8, 8);
    draw_score(out, *p.at("numbers.pcx"), 456456, 152, 8);
    draw_balance_bar(out, 16);
    return in_16_bit(out);
}

struct Strip {
    std::string title;
    std::vector<std::pair<int, Image>> frames;  // frame number, picture cropped to the clip's extent
};

Strip strip_of(const Cast& cast, const Clip& clip) {
    const std::vector<Image> pictures = clip_pictures(cast, clip);
    int left = 256, right = 0, top = 192;
    for (const Image& f : pictures)
        for (int y = 0; y < 192; ++y)
            for (int x = 0; x < 256; ++x)
                if (!f.is_mask(x, y)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                }
    Strip s{"id " + std::to_string(clip.id) + "  " + clip.sheet + "  (" + std::to_string(pictures.size()) + " frames)", {}};
    int done = 0;  // frames before the key
    for (std::size_t i = 0; i < clip.keys.size(); ++i) {
        const Key<Pose>& k = clip.keys[i];
        const int move = i == 0 ? 0 : k.move;
        const int shown = move > 0 ? done + move - 1 : done;
        done += move + k.hold;
        if ((move == 0 && k.hold == 0) || shown >= static_cast<int>(pictures.size())) continue;
        if (!s.frames.empty() && s.frames.back().first == shown) continue;
        Image crop = pictures[static_cast<std::size_t>(shown)].crop(left, top, right - left + 1, 192 - top);
        Image backed(crop.width(), crop.height(), kBackdrop);
        backed.draw(crop, 0, 0);
        s.frames.push_back({shown, backed.scaled_up(kScale)});
    }
    return s;
}

}  // namespace

Image make_character_review(const std::map<std::string, const Image*>& pictures, const Font& font) {
    // Top row: portraits and panel mock-ups.
    std::vector<std::pair<std::string, Image>> top;
    for (const char* name : {"ombrelix/portrait.pcx", "quorvant/portrait.pcx"})
        if (pictures.count(name)) top.push_back({top.empty() ? "portraits" : "", pictures.at(name)->scaled_up(kScale)});
    struct Scene {
        const char* title;
        const char* left;
        int left_frame;
        const char* right;
        int right_frame;
    };
    const Scene scenes[] = {
        {"idle", "ombrelix/idle.pcx", 0, "quorvant/idle.pcx", 6},
        {"reward 3 lands", "ombrelix/fly3.pcx", -1, "quorvant/ouch.pcx", 2},
        {"super lands", "ombrelix/ouchhard.pcx", 3, "quorvant/superfly.pcx", -1},
    };
    if (pictures.count("char_bg.pcx") && pictures.count("numbers.pcx"))
        for (const Scene& s : scenes) {
            if (!pictures.count(s.left) || !pictures.count(s.right)) continue;
            const Image& l = *pictures.at(s.left);
            const Image& r = *pictures.at(s.right);
            const int lf = s.left_frame < 0 ? l.height() / 192 - 1 : s.left_frame;
            const int rf = s.right_frame < 0 ? r.height() / 192 - 1 : s.right_frame;
            top.push_back({s.title, panel(pictures, frame_of(l, lf), frame_of(r, rf)).scaled_up(kScale)});
        }

    std::vector<std::vector<Strip>> columns;
    for (const Cast* cast : the_cast()) {
        columns.emplace_back();
        for (const Clip& clip : cast->clips) columns.back().push_back(strip_of(*cast, clip));
    }

    const int label_h = kSheetLabelSize + 4;
    int top_w = kGap, top_h = 0;
    for (const auto& t : top) {
        top_w += t.second.width() + kGap;
        top_h = std::max(top_h, t.second.height());
    }
    std::vector<int> column_w;
    int strips_h = 0;
    for (const std::vector<Strip>& column : columns) {
        int w = 0, h = 0;
        for (const Strip& s : column) {
            int sw = 0, sh = 0;
            for (const auto& f : s.frames) {
                sw += f.second.width() + 4;
                sh = std::max(sh, f.second.height());
            }
            w = std::max(w, sw);
            h += label_h * 2 + sh + kGap;
        }
        column_w.push_back(w);
        strips_h = std::max(strips_h, h);
    }
    int width = kGap;
    for (int w : column_w) width += w + kGap * 3;
    width = std::max(width, top_w);
    Image out(width, kGap + label_h + top_h + kGap * 2 + strips_h, kSheetCanvas);

    int x = kGap;
    for (const auto& t : top) {
        draw_label(out, font, t.first, x, kGap);
        out.paste(t.second, x, kGap + label_h);
        x += t.second.width() + kGap;
    }
    x = kGap;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        int y = kGap + label_h + top_h + kGap * 2;
        for (const Strip& s : columns[c]) {
            draw_label(out, font, s.title, x, y);
            int fx = x, sh = 0;
            for (const auto& f : s.frames) {
                draw_label(out, font, "f" + std::to_string(f.first), fx, y + label_h, kFrameLabel);
                out.paste(f.second, fx, y + label_h * 2);
                fx += f.second.width() + 4;
                sh = std::max(sh, f.second.height());
            }
            y += label_h * 2 + sh + kGap;
        }
        x += column_w[c] + kGap * 3;
    }
    return out;
}

}  // namespace assetgen
