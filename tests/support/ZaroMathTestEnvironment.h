#pragma once
// Include in any test program that needs complex arithmetic: ZaroMath is bound
// once, before the first test, and released after the last one. Test programs
// live beside libZaroMath.so in build/bin, where the binding looks first.
// Tests that rebind the library themselves must restore it afterwards
// (RestoreZaroMath).

#include "ZaroMathImport.h"

#include <gtest/gtest.h>

namespace zaro::test {

// Rebinds the library that ships with the program.
inline void RestoreZaroMath() {
    UnloadZaroMath();
    SetZaroMathFileName(ZaroMathDefaultFileName);
    LoadZaroMath();
}

class TZaroMathEnvironment : public ::testing::Environment {
public:
    // Bound already here, so values built while tests are registered can use it.
    TZaroMathEnvironment() { LoadZaroMath(); }

    void SetUp() override {
        LoadZaroMath();
        ASSERT_TRUE(ZaroMathLoaded())
            << ZaroMathDefaultFileName << " could not be bound from the program's folder";
    }

    void TearDown() override { UnloadZaroMath(); }
};

// An inline variable is initialised once per program, however many sources
// include this header.
inline ::testing::Environment* const ZaroMathEnvironment =
    ::testing::AddGlobalTestEnvironment(new TZaroMathEnvironment);

} // namespace zaro::test
