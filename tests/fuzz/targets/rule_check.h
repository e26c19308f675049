// A rule a fuzz target states about the code it drives: broken, the run stops with the rule.
#pragma once

#include <cstdio>
#include <cstdlib>

#define RULE(condition, ...)                                                                       \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "Rule broken: " __VA_ARGS__);                                     \
            std::fputc('\n', stderr);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
