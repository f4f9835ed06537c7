// The moves both rivals share: every animation as a table of key poses built from the rival's
// own rest pose and grip. Numbers in the tables are frames (25 a second).

#include "characters.hpp"

namespace assetgen {

namespace {

// Where a thrown thing meets the other character (mirrored on the right of the panel).
constexpr Point kTarget{206, 110};

Pose grip(Pose p, const Style::Grip& g, double open = 0) {
    p.back_arm = g.arm;
    p.back_elbow = g.elbow;
    p.tool = g.tool;
    p.open = open;
    return p;
}

Pose with_face(Pose p, int face, int fx = kNoFx) {
    p.face = face;
    p.fx = fx;
    return p;
}

Pose shifted(Pose p, double walk, double y) {
    p.walk = walk;
    p.y = y;
    return p;
}

Pose breathe_in(const Style& s) {
    Pose p = s.stand;
    p.stretch = 1.5;
    p.y = -0.6;
    p.head = -3;
    p.front_arm += 2;
    p.back_arm -= 2;
    return p;
}

// Rewards: show the item with a taunt, cock the arm, throw, follow through.
Pose taunt(const Style& s, int item) {
    Pose p = s.stand;
    p.front_arm = 60;
    p.front_elbow = 85;
    p.lean = -3;
    p.head = -8;
    p.item = item;
    p.face = kShout;
    return p;
}

Pose wind_up(const Style& s, int item, double power) {
    Pose p = s.stand;
    p.lean = -8 - 6 * power;
    p.x = -2 - 2 * power;
    p.y = 1 + 2 * power;
    p.stretch = -1;
    p.front_arm = -95 - 10 * power;
    p.front_elbow = -80;
    p.back_foot = -10;
    p.front_foot = 10;
    p.front_lift = 5 * power;
    p.item = item;
    p.face = kFocus;
    return p;
}

Pose release(const Style& s, int item, double power) {
    Pose p = s.stand;
    p.lean = 12 + 4 * power;
    p.x = 5;
    p.front_arm = 115;
    p.front_elbow = -5;
    p.back_arm -= 30;
    p.back_foot = -13;
    p.front_foot = 11;
    p.back_lift = 4 + 4 * power;
    p.item = item;
    p.flying = true;
    p.item_x = s.hand_out.x;
    p.item_y = s.hand_out.y;
    p.face = kShout;
    return p;
}

Pose landed(Pose p, Point at, int fx, double turns) {
    p.item_x = at.x;
    p.item_y = at.y;
    p.spin += 360 * turns;
    p.fx = fx;
    p.face = kGrin;
    return p;
}

Pose follow_through(const Style& s, double power) {
    Pose p = s.stand;
    p.lean = 10 + 3 * power;
    p.x = 4;
    p.front_arm = 35;
    p.front_elbow = 25;
    p.back_foot = -12;
    p.front_foot = 11;
    p.back_lift = 2 * power;
    p.face = kGrin;
    return p;
}

// Hit reactions: thrown back, hands up.
Pose flinch(const Style& s, double force) {
    Pose p = s.stand;
    p.lean = -12 - 16 * force;
    p.head = -10 - 10 * force;
    p.x = -4 - 5 * force;
    p.y = 1 + 4 * force;
    p.front_arm = 70 + 60 * force;
    p.front_elbow = 70 - 40 * force;
    p.front_lift = 6 * force;
    p.front_foot = 5;
    p.face = kHurt;
    p.fx = force > 0.5 ? kDizzy : kSweat;
    return p;
}

// Walking: the two contacts and the passing pose between them.
Pose step(const Style& s, double walk, bool back_leads, bool passing) {
    Pose p = grip(s.stand, s.tool_carry);
    p.walk = walk;
    const double reach = passing ? 2 : 11;
    p.back_foot = back_leads ? reach : -reach;
    p.front_foot = back_leads ? -reach : reach;
    (back_leads ? p.back_lift : p.front_lift) = passing ? 5 : 0;
    p.y = passing ? -2 : 1;
    p.front_arm = back_leads ? 25 : -25;
    p.face = kSmug;
    return p;
}

}  // namespace

std::vector<Clip> rival_clips(const Style& s) {
    const Pose idle = s.stand;
    std::vector<Clip> clips;
    clips.push_back({0, "idle", {{idle, 0, 0}, {breathe_in(s), 10, 0}, {with_face(breathe_in(s), kBlink), 0, 2}, {idle, 12, 0}}});

    // Rewards 1-3: taunt and wind-up (narrow sheet), the throw (wide), the way back (narrow).
    const int ids[3][3] = {{1, 10, 11}, {2, 12, 13}, {3, 14, 15}};
    const char* names[3][3] = {{"throw1", "fly1", "back1"}, {"throw2", "fly2", "back2"}, {"throw3", "fly3", "back3"}};
    for (int r = 0; r < 3; ++r) {
        const double power = r / 2.0;
        const int item = s.items[r];
        Pose crouch = wind_up(s, item, power);
        crouch.y += 3 + 2 * power;
        crouch.stretch -= 2;
        crouch.front_arm -= 10;
        clips.push_back({ids[r][0], names[r][0],
                         {{idle, 0, 1}, {taunt(s, item), 3, 3 + 2 * r, Ease::kOut}, {wind_up(s, item, power), 4, 1},
                          {crouch, 2, 0 + 2 * r}}});
        const Pose go = release(s, item, power);
        clips.push_back({ids[r][1], names[r][1],
                         {{go, 0, 1}, {landed(go, kTarget, kNoFx, 1 + r), 2 + r / 2, 0, Ease::kLinear},
                          {landed(go, kTarget, kImpact, 1 + r), 0, 1}}});
        clips.push_back({ids[r][2], names[r][2], {{follow_through(s, power), 0, 2 + r}, {idle, 6, 0}}});
    }

    // Super: gather, raise and charge (narrow), the blow (wide), the way back.
    Pose gather = with_face(s.stand, kFocus);
    gather.y = 6;
    gather.stretch = -3;
    gather.lean = -10;
    gather.front_arm = -40;
    gather.front_elbow = 60;
    Pose raise = with_face(grip(gather, s.tool_up, s.opens ? 1 : 0), kShout, kChargeGlow);
    raise.y = -3;
    raise.stretch = 2;
    raise.lean = -4;
    raise.head = -12;
    raise.front_arm = 150;
    raise.front_elbow = 20;
    raise.glow = 0.3;
    Pose spun = raise;
    spun.spin = 720;
    spun.glow = 1;
    spun.y = -1;
    clips.push_back({4, "super", {{idle, 0, 1}, {gather, 4, 2}, {raise, 5, 2, Ease::kOut}, {spun, 12, 0, Ease::kLinear}}});
    Pose blow = with_face(grip(spun, s.tool_out, s.opens ? 1 : 0), kShout);
    blow.lean = 16;
    blow.x = 6;
    blow.y = 2;
    blow.head = 0;
    blow.front_arm = 100;
    blow.front_elbow = 0;
    blow.back_foot = -14;
    blow.front_foot = 12;
    blow.back_lift = 6;
    blow.glow = 0;
    blow.spin = 0;
    blow.item = s.super_item;
    blow.flying = true;
    blow.item_x = s.super_from.x;
    blow.item_y = s.super_from.y;
    clips.push_back({16, "superfly",
                     {{blow, 0, 1}, {landed(blow, {kTarget.x - 4, kTarget.y}, kNoFx, 2), 3, 0, Ease::kLinear},
                      {landed(blow, {kTarget.x - 4, kTarget.y}, kBigImpact, 2), 0, 2}}});
    Pose proud = with_face(follow_through(s, 1), kGrin);
    proud.open = 0;
    proud.back_arm = s.tool_droop.arm;
    proud.tool = s.tool_droop.tool - 40;
    clips.push_back({17, "superback", {{proud, 0, 4}, {idle, 8, 0}}});

    // Hit reactions.
    clips.push_back({5, "ouch", {{flinch(s, 0), 0, 4}, {with_face(idle, kSad), 8, 0}}});
    Pose wobble = flinch(s, 0.4);
    wobble.fx = kDizzy;
    wobble.spin = 360;
    wobble.face = kSad;
    clips.push_back({6, "ouchhard", {{flinch(s, 1), 0, 3}, {wobble, 5, 2}, {with_face(idle, kSad), 6, 0}}});

    // The round intro: walks in from off the panel's edge, greets, settles.
    std::vector<Key<Pose>> walk_in = {{step(s, -44, false, false), 0, 1}};
    for (int k = 0; k < 2; ++k) {
        const double at = -44 + 20 * (k + 1);
        walk_in.push_back({step(s, at - 10, k % 2 == 0, true), 3, 0, Ease::kLinear});
        walk_in.push_back({step(s, at, k % 2 == 0, false), 3, 0, Ease::kLinear});
    }
    Pose hello = with_face(grip(s.stand, s.tool_carry), kGrin, kSparkle);
    hello.walk = -4;
    hello.front_arm = 160;
    hello.front_elbow = -20;
    hello.lean = -4;
    hello.head = -8;
    hello.spin = 180;
    walk_in.push_back({with_face(shifted(idle, -4, 0), kSmug), 4, 0});
    walk_in.push_back({hello, 4, 11, Ease::kOut});
    walk_in.push_back({idle, 6, 0});
    clips.push_back({7, "intro", walk_in});

    // Win: a hop, then a triumphant pose that bobs with a laugh.
    Pose hop = with_face(grip(s.stand, s.tool_carry), kShout, kSparkle);
    hop.y = -16;
    hop.back_lift = 10;
    hop.front_lift = 8;
    hop.front_arm = 165;
    hop.front_elbow = 10;
    Pose land = hop;
    land.y = 4;
    land.stretch = -2;
    land.back_lift = land.front_lift = 0;
    land.spin = 90;
    Pose cheer = hop;
    cheer.y = 0;
    cheer.back_lift = cheer.front_lift = 0;
    cheer.face = kGrin;
    cheer.spin = 180;
    std::vector<Key<Pose>> win = {{idle, 0, 1}, {with_face(shifted(idle, 0, 5), kGrin), 4, 0}, {hop, 5, 2, Ease::kOut},
                                  {land, 4, 0, Ease::kIn}, {cheer, 4, 6}};
    for (int k = 1; k <= 4; ++k) {
        Pose bob = cheer;
        bob.y = k % 2 ? 2 : 0;
        bob.head = k % 2 ? -6 : 0;
        bob.spin = 180 + 90 * k;
        win.push_back({bob, 6, 0});
    }
    clips.push_back({8, "win", win});

    // Lose: the news sinks in, then the figure sinks to its knees under a rain cloud.
    Pose shock = with_face(s.stand, kHurt);
    shock.lean = -6;
    shock.head = -10;
    shock.front_arm = 40;
    shock.front_elbow = 90;
    Pose slump = with_face(grip(s.stand, s.tool_droop), kSad, kCloud);
    slump.y = s.sink * 0.7;
    slump.lean = 14;
    slump.head = 24;
    slump.front_arm = 10;
    slump.front_elbow = 10;
    slump.glow = 1;
    std::vector<Key<Pose>> lose = {{idle, 0, 1}, {shock, 4, 5}, {slump, 8, 0}};
    for (int k = 1; k <= 4; ++k) {
        Pose rain = slump;
        rain.y = s.sink + (k % 2);
        rain.lean = 16;
        rain.head = 28 + (k % 2) * 2;
        rain.spin = 150 * k;
        lose.push_back({rain, 8, 0, Ease::kLinear});
    }
    clips.push_back({9, "lose", lose});
    return clips;
}

}  // namespace assetgen
