// The fuzz targets' check: a broken promise aborts, which libFuzzer reports with its input.
#pragma once

#include <cstdlib>

inline void check(bool condition) {
    condition ? void() : std::abort();
}
