#include "characters.hpp"

namespace assetgen {

namespace {
void draw_quorvant(Image&, const Pose&) {}
}  // namespace

const Cast& quorvant_cast() {
    static const Cast kCast{"quorvant", {}, draw_quorvant};
    return kCast;
}

Image make_quorvant_portrait(const Context&) { return Image(60, 90, Rgb(20, 20, 20)); }

}  // namespace assetgen
