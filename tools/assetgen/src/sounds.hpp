// The synthesised sound effects.
#pragma once

#include "wav.hpp"

namespace assetgen {

Sound make_break_sound();
Sound make_refill_sound();

}  // namespace assetgen
