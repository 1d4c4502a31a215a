// The version the binding accepts, tested apart from the test environment
// that binds the shipped library: if the boundary moved, that environment
// would fail before any test could say why.

#include "ZaroMathImport.h"

#include <gtest/gtest.h>

namespace zaro {
namespace {

struct TVersionCase {
    const char* FileName;
    bool Accepted;
};

class VersionBoundary : public ::testing::TestWithParam<TVersionCase> {
protected:
    void TearDown() override { UnloadZaroMath(); }
};

TEST_P(VersionBoundary, OneHundredIsTheLowestVersionBound) {
    SetZaroMathFileName(GetParam().FileName);
    LoadZaroMath();
    EXPECT_EQ(ZaroMathLoaded(), GetParam().Accepted);
    if (GetParam().Accepted) {
        EXPECT_EQ(ZaroMathTable().ZaroMathDllVersion(), 100);
        EXPECT_EQ(ComplexAdd(MakeComplex(1, 2), MakeComplex(3, 4)), MakeComplex(4, 6));
    }
}

INSTANTIATE_TEST_SUITE_P(Libraries, VersionBoundary,
                         ::testing::Values(TVersionCase{"libZaroMathVersion100.so", true},
                                           TVersionCase{"libZaroMathVersion99.so", false}),
                         [](const auto& info) { return info.param.Accepted ? "V100" : "V99"; });

} // namespace
} // namespace zaro
