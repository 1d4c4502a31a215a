#pragma once
// The program's binding of the ZaroMath library: the complex value type, the
// entry-point table resolved at start-up and the typed complex operations.
//
// The program never links against ZaroMath; it loads the library by file name,
// looks up its entry points by name and calls them through this module. The
// binding is program-wide state: it is loaded once (LoadZaroMath) before any
// complex operation is used and released at shutdown (UnloadZaroMath).

#include <cstdint>
#include <string>

namespace zaro {

// Two IEEE-754 doubles, real part then imaginary part: the record that crosses
// the library boundary, and the value type of every AC quantity.
struct TComplex {
    double re;
    double im;

    friend bool operator==(const TComplex&, const TComplex&) = default;
};
static_assert(sizeof(TComplex) == 16, "TComplex must be two packed doubles");

// Entry-point shapes of the library. Every function returns a status the
// library always sets to 0; the result goes through the last pointer.
using TZaroVersionFunc = std::int32_t (*)();
using TZaroUnaryFunc = std::int32_t (*)(const TComplex* x, TComplex* result);
using TZaroBinaryFunc = std::int32_t (*)(const TComplex* a, const TComplex* b, TComplex* result);
using TZaroCompareFunc = std::int32_t (*)(const TComplex* a, const TComplex* b,
                                          std::uint8_t* result);

// The entry points in lookup order, with their shapes. X(shape, name) is
// expanded once for the table's fields and once for the lookup itself.
#define ZARO_MATH_ENTRY_POINTS(X)                                                                  \
    X(TZaroVersionFunc, ZaroMathDllVersion)                                                        \
    X(TZaroUnaryFunc, OperatorPlus)                                                                \
    X(TZaroUnaryFunc, OperatorMinus)                                                               \
    X(TZaroBinaryFunc, OperatorAdd)                                                                \
    X(TZaroBinaryFunc, OperatorSubtract)                                                           \
    X(TZaroBinaryFunc, OperatorTimes)                                                              \
    X(TZaroBinaryFunc, OperatorDivideInto)                                                         \
    X(TZaroCompareFunc, OperatorEqual)                                                             \
    X(TZaroCompareFunc, OperatorNotEqual)                                                          \
    X(TZaroCompareFunc, OperatorGreater)                                                           \
    X(TZaroCompareFunc, OperatorLess)                                                              \
    X(TZaroCompareFunc, OperatorGreaterEqual)                                                      \
    X(TZaroCompareFunc, OperatorLessEqual)                                                         \
    X(TZaroUnaryFunc, FunctionAbs)                                                                 \
    X(TZaroUnaryFunc, FunctionCos)                                                                 \
    X(TZaroUnaryFunc, FunctionSin)                                                                 \
    X(TZaroUnaryFunc, FunctionTan)                                                                 \
    X(TZaroUnaryFunc, FunctionCosH)                                                                \
    X(TZaroUnaryFunc, FunctionSinH)                                                                \
    X(TZaroUnaryFunc, FunctionTanH)                                                                \
    X(TZaroUnaryFunc, FunctionExp)                                                                 \
    X(TZaroUnaryFunc, FunctionLn)                                                                  \
    X(TZaroUnaryFunc, FunctionLog)                                                                 \
    X(TZaroBinaryFunc, FunctionPower)                                                              \
    X(TZaroUnaryFunc, FunctionSqrt)

// One pointer per entry point; an entry the library does not export stays null.
struct TZaroMathTable {
#define ZARO_MATH_TABLE_FIELD(shape, name) shape name = nullptr;
    ZARO_MATH_ENTRY_POINTS(ZARO_MATH_TABLE_FIELD)
#undef ZARO_MATH_TABLE_FIELD
};

// The library's file name on this platform, used until a caller sets another.
extern const char* const ZaroMathDefaultFileName;

// File name the next LoadZaroMath uses. A name without a directory is looked
// for in the program's own folder first, then by the loader's search path.
void SetZaroMathFileName(const std::string& fileName);
std::string ZaroMathFileName();

// Loads the library and resolves the table. Does nothing when already loaded.
// A missing library, a missing ZaroMathDllVersion or a version below 100
// leaves the binding unloaded (the library is released again); nothing is
// shown or thrown, the caller reads ZaroMathLoaded.
void LoadZaroMath();
// Releases the library if loaded, then clears the file name.
void UnloadZaroMath();
bool ZaroMathLoaded();
// The resolved entry points; all null while unloaded.
const TZaroMathTable& ZaroMathTable();

// Typed operations. All but MakeComplex call the library. Each checks its
// result: a NaN part raises EInvalidOp, an infinite part EOverflow. Calling
// one whose entry point is not bound raises EZaroError.
TComplex MakeComplex(double re, double im);
TComplex ComplexNegate(const TComplex& x);
TComplex ComplexAdd(const TComplex& a, const TComplex& b);
TComplex ComplexSubtract(const TComplex& a, const TComplex& b);
TComplex ComplexTimes(const TComplex& a, const TComplex& b);
// A zero divisor raises EZeroDivide, or EInvalidOp when a is zero as well.
TComplex ComplexDivide(const TComplex& a, const TComplex& b);
// The modulus |x|.
double ComplexAbs(const TComplex& x);

} // namespace zaro
