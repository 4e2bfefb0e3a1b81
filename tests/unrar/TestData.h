// Deterministic file contents for the reader's tests, native and under Wine.
#pragma once

#include <cstddef>
#include <string>

namespace unrartest {

// `size` pseudo-random bytes; different seeds give different contents.
inline std::string Pattern(size_t size, unsigned seed) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        s[i] = char(seed >> 16);
    }
    return s;
}

}  // namespace unrartest
