#pragma once
// Include in any test program that needs complex arithmetic: ZaroMath is bound
// once, before the first test, and released after the last one. Test programs
// live beside libZaroMath.so in build/bin, where the binding looks first.
// Tests that rebind the library themselves must restore it afterwards
// (RestoreZaroMath).

#include "ZaroMathImport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace zaro::test {

// Rebinds the library that ships with the program.
inline void RestoreZaroMath() {
    UnloadZaroMath();
    SetZaroMathFileName(ZaroMathDefaultFileName);
    LoadZaroMath();
}

class TZaroMathEnvironment : public ::testing::Environment {
public:
    // Bound already here, so values built while tests are registered can use
    // it. ZARO_TEST_ZAROMATH names another library file, to see a refused
    // one fail the run.
    TZaroMathEnvironment() {
        if (const char* fileName = std::getenv("ZARO_TEST_ZAROMATH")) {
            SetZaroMathFileName(fileName);
        }
        LoadZaroMath();
    }

    // A failure here would only mark every test skipped, and a run of skipped
    // tests passes: without the library the program fails instead.
    void SetUp() override {
        LoadZaroMath();
        if (!ZaroMathLoaded()) {
            std::fprintf(stderr, "%s could not be bound from the program's folder.\n",
                         ZaroMathFileName().c_str());
            std::exit(EXIT_FAILURE);
        }
    }

    void TearDown() override { UnloadZaroMath(); }
};

// An inline variable is initialised once per program, however many sources
// include this header.
inline ::testing::Environment* const ZaroMathEnvironment =
    ::testing::AddGlobalTestEnvironment(new TZaroMathEnvironment);

} // namespace zaro::test
