// The generator's one way to fail: print one line naming what went wrong and exit non-zero.
#pragma once

#include <string>

namespace assetgen {

[[noreturn]] void fail(const std::string& what);

}  // namespace assetgen
