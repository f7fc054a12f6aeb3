#pragma once
// A property that a fuzz target asserts: a violation stops the run at once, so libFuzzer keeps
// the input that broke it.

inline void check(bool condition) {
    if (!condition)
        __builtin_trap();
}
