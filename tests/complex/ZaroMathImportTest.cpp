// The binding: typed operations with their fault checks, and the life cycle
// of loading, refusing and releasing a library.

#include "ZaroMathImport.h"
#include "CaseNames.h"
#include "SharedLibrary.h"
#include "ZaroErrors.h"
#include "ZaroMathTestEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <ostream>
#include <string>

namespace zaro {
namespace {

const double Inf = std::numeric_limits<double>::infinity();
const double Huge = std::numeric_limits<double>::max();

TEST(TypedOperations, MakeComplexBuildsTheRecord) {
    const TComplex z = MakeComplex(1.5, -2.5);
    EXPECT_EQ(z.re, 1.5);
    EXPECT_EQ(z.im, -2.5);
}

struct TOperationCase {
    const char* Name;
    std::function<TComplex()> Run;
    TComplex Expected;
};

std::ostream& operator<<(std::ostream& out, const TOperationCase& c) {
    return out << c.Name;
}

class TypedOperation : public ::testing::TestWithParam<TOperationCase> {};

TEST_P(TypedOperation, ForwardsToTheLibrary) {
    const TComplex result = GetParam().Run();
    EXPECT_DOUBLE_EQ(result.re, GetParam().Expected.re);
    EXPECT_DOUBLE_EQ(result.im, GetParam().Expected.im);
}

const TComplex A{1, 2};
const TComplex B{3, -4};

INSTANTIATE_TEST_SUITE_P(
    Table, TypedOperation,
    ::testing::Values(
        TOperationCase{"Negate", [] { return ComplexNegate(A); }, {-1, -2}},
        TOperationCase{"Add", [] { return ComplexAdd(A, B); }, {4, -2}},
        TOperationCase{"Subtract", [] { return ComplexSubtract(A, B); }, {-2, 6}},
        TOperationCase{"SubtractOrder", [] { return ComplexSubtract(B, A); }, {2, -6}},
        TOperationCase{"Times", [] { return ComplexTimes(A, B); }, {11, 2}},
        TOperationCase{"DivideOneByI",
                       [] { return ComplexDivide(MakeComplex(1, 0), MakeComplex(0, 1)); },
                       {0, -1}},
        TOperationCase{"DivideOrder", [] { return ComplexDivide(MakeComplex(11, 2), B); }, {1, 2}},
        TOperationCase{"DivideByTiny",
                       [] { return ComplexDivide(MakeComplex(1, 0), MakeComplex(0, 1e-200)); },
                       {0, -1e200}},
        TOperationCase{"Abs", [] { return MakeComplex(ComplexAbs(MakeComplex(3, 4)), 0); }, {5, 0}},
        TOperationCase{"AbsOfHuge",
                       [] { return MakeComplex(ComplexAbs(MakeComplex(3e200, -4e200)), 0); },
                       {5e200, 0}}),
    [](const auto& info) { return std::string(info.param.Name); });

template <typename E> void ExpectFault(const std::function<void()>& run) {
    EXPECT_THROW(run(), E);
}

TEST(TypedOperations, FaultsAreRaisedAsMathErrors) {
    const TComplex zero = MakeComplex(0, 0);
    ExpectFault<EZeroDivide>([&] { ComplexDivide(MakeComplex(1, 0), zero); });
    ExpectFault<EZeroDivide>([&] { ComplexDivide(MakeComplex(0, -3), MakeComplex(-0.0, 0)); });
    ExpectFault<EInvalidOp>([&] { ComplexDivide(zero, zero); });
    ExpectFault<EInvalidOp>([&] { ComplexDivide(MakeComplex(-0.0, 0), MakeComplex(0, -0.0)); });
    ExpectFault<EOverflow>([&] { ComplexAdd(MakeComplex(Huge, 0), MakeComplex(Huge, 0)); });
    ExpectFault<EOverflow>([&] { ComplexTimes(MakeComplex(1e200, 0), MakeComplex(0, 1e200)); });
    ExpectFault<EOverflow>([&] { ComplexDivide(MakeComplex(1e300, 0), MakeComplex(1e-300, 0)); });
    ExpectFault<EInvalidOp>([&] { ComplexSubtract(MakeComplex(Inf, 0), MakeComplex(Inf, 0)); });
    ExpectFault<EInvalidOp>([&] { ComplexNegate(MakeComplex(0, std::nan(""))); });
    ExpectFault<EOverflow>([&] { ComplexAbs(MakeComplex(Inf, 0)); });
}

// Each test here rebinds the library and puts the shipped one back afterwards.
class Binding : public ::testing::Test {
protected:
    void TearDown() override { test::RestoreZaroMath(); }

    static void Rebind(const std::string& fileName) {
        UnloadZaroMath();
        SetZaroMathFileName(fileName);
        LoadZaroMath();
    }

    static int BoundCount() {
        int count = 0;
#define ZARO_COUNT_BOUND(shape, name) count += ZaroMathTable().name != nullptr;
        ZARO_MATH_ENTRY_POINTS(ZARO_COUNT_BOUND)
#undef ZARO_COUNT_BOUND
        return count;
    }
};

TEST_F(Binding, ShippedLibraryIsBoundFromTheProgramFolder) {
    EXPECT_TRUE(ZaroMathLoaded());
    EXPECT_EQ(ZaroMathFileName(), "libZaroMath.so");
    EXPECT_EQ(BoundCount(), 25);
    EXPECT_TRUE(std::filesystem::exists(ProgramDirectory() + "/libZaroMath.so"));
}

TEST_F(Binding, LoadingAgainWhileLoadedChangesNothing) {
    SetZaroMathFileName("libZaroMathPartial.so");
    LoadZaroMath();
    EXPECT_TRUE(ZaroMathLoaded());
    EXPECT_EQ(BoundCount(), 25);
    EXPECT_EQ(ZaroMathTable().ZaroMathDllVersion(), 100);
}

TEST_F(Binding, UnloadReleasesEverythingAndClearsTheName) {
    UnloadZaroMath();
    EXPECT_FALSE(ZaroMathLoaded());
    EXPECT_EQ(BoundCount(), 0);
    EXPECT_EQ(ZaroMathFileName(), "");
    try {
        ComplexAdd(MakeComplex(1, 0), MakeComplex(2, 0));
        FAIL() << "no error without the library";
    } catch (const EZaroError& e) {
        EXPECT_STREQ(e.what(), "ZaroMath: entry point OperatorAdd is not bound.");
    }
    LoadZaroMath(); // with the name cleared nothing can be found
    EXPECT_FALSE(ZaroMathLoaded());
}

class RefusedLibrary : public Binding, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedLibrary, LeavesTheBindingUnloaded) {
    Rebind(GetParam());
    EXPECT_FALSE(ZaroMathLoaded());
    EXPECT_EQ(BoundCount(), 0);
    EXPECT_THROW(ComplexAdd(MakeComplex(1, 0), MakeComplex(2, 0)), EZaroError);
    // A later attempt with the right library is not spoiled by the refusal.
    Rebind(ZaroMathDefaultFileName);
    EXPECT_TRUE(ZaroMathLoaded());
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedLibrary,
                         ::testing::Values("libZaroMathVersion99.so", "libZaroMathNoVersion.so",
                                           "libZaroMathNotThere.so", ""),
                         test::NamedBy<const char*>([](const char* name) { return name; }));

TEST_F(Binding, MissingEntryPointsStayEmpty) {
    Rebind("libZaroMathPartial.so"); // version 101, only OperatorAdd besides
    ASSERT_TRUE(ZaroMathLoaded());
    EXPECT_EQ(BoundCount(), 2);
    EXPECT_EQ(ZaroMathTable().ZaroMathDllVersion(), 101);
    EXPECT_EQ(ComplexAdd(MakeComplex(1, 2), MakeComplex(3, 4)), MakeComplex(4, 6));
    EXPECT_THROW(ComplexNegate(MakeComplex(1, 2)), EZaroError);
    EXPECT_THROW(ComplexAbs(MakeComplex(1, 2)), EZaroError);
}

TEST_F(Binding, NameWithAFolderIsOpenedAsGiven) {
    Rebind(ProgramDirectory() + "/libZaroMath.so");
    EXPECT_TRUE(ZaroMathLoaded());
    Rebind("./no-such-folder/libZaroMath.so");
    EXPECT_FALSE(ZaroMathLoaded());
}

} // namespace
} // namespace zaro
