#include "fail.hpp"

#include <cstdio>
#include <cstdlib>

namespace assetgen {

void fail(const std::string& what) {
    std::fprintf(stderr, "cupclash-assetgen: %s\n", what.c_str());
    std::exit(1);
}

}  // namespace assetgen
