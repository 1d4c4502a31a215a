#pragma once
// What every fuzz target accepts as the outcome of reading bad input: a result
// or one of the program's own errors. Anything else is a finding: the target
// aborts with a message, and libFuzzer keeps the input as a crash artifact.
// An uncaught foreign exception (std::bad_alloc, std::out_of_range, ...)
// reaches std::terminate, which libFuzzer reports the same way.

#include "ZaroErrors.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace zaro::fuzz {

[[noreturn]] inline void Finding(const std::string& what) {
    std::fprintf(stderr, "FUZZ FINDING: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

inline void Expect(bool condition, const char* what) {
    if (!condition) {
        Finding(what);
    }
}

// Runs the step and tells whether it finished. A program error (a message for
// the user or a technical message) is an accepted end; a range error is not:
// it means an index went outside an array, which input checks must prevent.
template <typename Step> bool Survives(Step&& step) {
    try {
        step();
        return true;
    } catch (const ERangeError& e) {
        Finding(std::string("range error: ") + e.what());
    } catch (const EZaroError&) {
        return false;
    }
}

} // namespace zaro::fuzz
