// What the fuzz targets hold their subjects to: a rule that does not hold ends the run, naming it.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace korva::fuzz {

inline void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

} // namespace korva::fuzz
