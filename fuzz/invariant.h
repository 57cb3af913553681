#pragma once

#include <cstdio>
#include <cstdlib>

// A fact that must hold whatever the input; the fuzzer reports the abort
// with the input that broke it.
inline void Exiger(bool fait, const char* quoi) {
    if (fait) return;
    std::fprintf(stderr, "Invariant rompu : %s\n", quoi);
    std::abort();
}
