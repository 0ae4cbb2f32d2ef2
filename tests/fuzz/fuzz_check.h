// A check that holds in every build of a fuzz target: a failed one aborts, which libFuzzer reports
// as a crash with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                       \
    do {                                                            \
        if (!(condition)) {                                         \
            std::fprintf(stderr, "check failed: %s\n", #condition); \
            std::abort();                                           \
        }                                                           \
    } while (0)
