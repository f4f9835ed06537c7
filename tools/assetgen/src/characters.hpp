// The two café rivals, Ombrelix (character 0) and Quorvant (character 1): their poses, their
// animation sheets and portraits, the checks those sheets must pass, and their review picture.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "assets.hpp"
#include "puppet.hpp"

namespace assetgen {

// Expressions, thrown things and effects that a key pose switches to (they do not blend).
enum Face { kCalm, kBlink, kSmug, kFocus, kShout, kGrin, kHurt, kSad };
enum Item { kNoItem, kBeans, kSugar, kEspresso, kBolt, kCroissant, kTeacup, kTray };
enum Fx { kNoFx, kImpact, kBigImpact, kChargeGlow, kSweat, kSparkle, kCloud, kDizzy };

// Every number a figure is posed by. Angles in degrees: 0 points down, 90 forward (toward the
// opponent, +x), 180 up. Lengths in pixels.
struct Pose {
    double walk = 0;            // the whole figure, from where it stands
    double x = 0, y = 0;        // the hips, from over the feet
    double lean = 0;            // torso tilt, + forward
    double stretch = 0;         // torso length change (+ taller, - squashed)
    double head = 0;            // head tilt, + forward
    double back_arm = 8, back_elbow = -10;
    double front_arm = -6, front_elbow = 14;
    double back_foot = -7, front_foot = 7;  // feet, from where the figure stands
    double back_lift = 0, front_lift = 0;   // feet off the floor
    double tool = 0;            // angle of what the figure carries (umbrella, tray)
    double open = 0;            // 0..1: the umbrella opened, the tray raised
    double item_x = 0, item_y = 0, spin = 0;  // a flying item's place (absolute) and turn
    double glow = 0;            // strength of the effect
    int face = kCalm;
    int item = kNoItem;         // held in the front hand, or flying when `flying`
    bool flying = false;
    int fx = kNoFx;
};

Pose blend(const Pose& a, const Pose& b, double t);

// What both figures share below the head: hips over the feet, legs and arms of two bones each,
// drawn as tapering limbs that end in a shoe and a hand. Each figure's own numbers and colours.
struct Build {
    double stand_x;           // where the figure stands on the panel
    double hip_height;        // hips above the floor
    double hip_half_width;    // each hip joint from the middle of the hips
    double spine;             // hips to the shoulders, before the pose stretches it
    Point back_shoulder, front_shoulder;  // from the top of the spine
    double thigh, shin, upper_arm, forearm;
    double leg[3];            // radii at the hip, knee and ankle
    double arm[3];            // radii at the shoulder, elbow and wrist
    double hand;              // radius
    std::vector<Point> shoe;  // corners around the ankle
    Shades trousers, shoes, sleeves, hands;
};

// The joints of a posed figure, in frame coordinates; the head and its tilt are set by each figure.
struct Skeleton {
    Point hip, head;
    double tilt;
    Point back_shoulder, back_elbow, back_hand, front_shoulder, front_elbow, front_hand;
    Point back_hip, back_knee, back_ankle, front_hip, front_knee, front_ankle;
};
Skeleton skeleton_of(const Build& build, const Pose& pose);
void draw_arm(Image& frame, const Build& build, Point shoulder, Point elbow, Point hand);
void draw_leg(Image& frame, const Build& build, Point hip, Point knee, Point ankle);

// A sheet: a timeline of key poses, one sheet frame per game frame.
struct Clip {
    int id;             // its animation id (entry of the animation list)
    const char* sheet;  // file name inside the character's folder, without ".pcx"
    std::vector<Key<Pose>> keys;
};

struct Cast {
    const char* folder;
    std::vector<Clip> clips;
    void (*draw)(Image& frame, const Pose& pose);  // one figure onto a 256 x 192 frame
};

// What sets one rival's moves apart from the other's; the moves themselves are shared
// (moves.cpp), so both keep the same timing and cues.
struct Style {
    Pose stand;             // at rest: the idle pose every move starts and ends in
    int items[3] = {kBeans, kSugar, kEspresso};  // thrown by rewards 1-3
    int super_item = kBolt;
    Point hand_out;         // where a thrown item leaves the hand
    Point super_from;       // where the super's missile sets off
    struct Grip {
        double arm, elbow, tool;  // the back arm and what it carries
    };
    Grip tool_up, tool_out, tool_carry, tool_droop;  // raised, aimed forward, walking, dejected
    bool opens = false;     // the carried thing opens (umbrella) or spins (tray) for the super
    double sink = 20;       // how far the hips drop when the figure sinks to its knees
};
std::vector<Clip> rival_clips(const Style& style);

const Cast& ombrelix_cast();
const Cast& quorvant_cast();
const std::vector<const Cast*>& the_cast();

// Shared by both figures: what flies, what glows, and the eyes and mouth. The croissant's, the
// teacup's and the tray's colours also dress Quorvant's tray while he carries it.
extern const Shades kPastry, kTeaRed, kSilver;
void draw_item(Image& frame, int item, Point at, double spin);
// A flying item with its speed lines, at the pose's item place.
void draw_thrown(Image& frame, const Pose& pose);
void draw_fx(Image& frame, const Pose& pose, Point body, Point head);
struct FaceLook {
    Rgb ink, white, iris, mouth, tongue;
};
void draw_eyes(Image& frame, int face, Point eye, int spacing, const FaceLook& look);
void draw_mouth(Image& frame, int face, Point mouth, const FaceLook& look);

// The generator's view: one entry per sheet file ("ombrelix/idle.pcx").
struct CharacterSheet {
    std::string file;
    const Cast* cast;
    const Clip* clip;
};
const std::vector<CharacterSheet>& character_sheets();
// The frames drawn on 256 x 192 canvases, and the sheet: as wide as they need, stacked.
std::vector<Image> clip_pictures(const Cast& cast, const Clip& clip);
Image make_character_sheet(const CharacterSheet& sheet);

// A sheet whose height is not a whole number of 192-row frames, that is wider than 256 or cuts
// a figure at its right edge; or, given all sheets of a folder, more than kSheetBudget bytes in
// 16-bit colour. Empty when nothing is wrong.
constexpr long kSheetBudget = 8L * 1024 * 1024;
std::string sheet_fault(const std::string& file, const Image& sheet);
std::string budget_fault(const std::string& folder, const std::vector<const Image*>& sheets);

// A 60 x 90 portrait: the head and shoulders of a frame around `head`, doubled, over a backdrop
// of the given colour, with the name along the bottom.
Image portrait(const Image& frame, Point head, const char* name, Rgb backdrop, const Font& font);
Image make_ombrelix_portrait(const Context& ctx);
Image make_quorvant_portrait(const Context& ctx);

// The review picture written beside the contact sheet.
constexpr const char* kCharacterSheetFile = "characters.png";
Image make_character_review(const std::map<std::string, const Image*>& pictures, const Font& font);

}  // namespace assetgen
