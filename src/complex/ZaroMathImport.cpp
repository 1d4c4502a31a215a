#include "ZaroMathImport.h"

#include "SharedLibrary.h"
#include "ZaroErrors.h"

#include <bit>
#include <cmath>

namespace zaro {

const char* const ZaroMathDefaultFileName = "libZaroMath.so";

namespace {

// Constant-initialised, so typed operations used during static initialisation
// of other modules see an unloaded binding rather than garbage.
constinit TZaroMathTable Table{};
constinit void* Library = nullptr;
constinit bool Loaded = false;

std::string& FileName() {
    static std::string name = ZaroMathDefaultFileName;
    return name;
}

template <typename F> F Lookup(void* library, const char* name) {
    return std::bit_cast<F>(FindSharedLibrarySymbol(library, name));
}

// The version test: a library without ZaroMathDllVersion or below 100 is refused.
TZaroVersionFunc AcceptedVersion(void* library) {
    const auto version = Lookup<TZaroVersionFunc>(library, "ZaroMathDllVersion");
    return version != nullptr && version() >= 100 ? version : nullptr;
}

TZaroMathTable ResolveTable(void* library, TZaroVersionFunc version) {
    TZaroMathTable resolved;
    resolved.ZaroMathDllVersion = version;
#define ZARO_MATH_RESOLVE(shape, name)                                                             \
    if (resolved.name == nullptr) {                                                                \
        resolved.name = Lookup<shape>(library, #name);                                             \
    }
    ZARO_MATH_ENTRY_POINTS(ZARO_MATH_RESOLVE)
#undef ZARO_MATH_RESOLVE
    return resolved;
}

template <typename F> F Bound(F entry, const char* name) {
    if (entry == nullptr) {
        throw EZaroError(std::string("ZaroMath: entry point ") + name + " is not bound.");
    }
    return entry;
}

TComplex Checked(const TComplex& z) {
    if (std::isnan(z.re) || std::isnan(z.im)) {
        throw EInvalidOp();
    }
    if (std::isinf(z.re) || std::isinf(z.im)) {
        throw EOverflow();
    }
    return z;
}

// Calls a one-operand entry point on a private copy of x.
TComplex CallUnary(TZaroUnaryFunc entry, const char* name, TComplex x) {
    TComplex result{};
    Bound(entry, name)(&x, &result);
    return Checked(result);
}

TComplex CallBinary(TZaroBinaryFunc entry, const char* name, TComplex a, TComplex b) {
    TComplex result{};
    Bound(entry, name)(&a, &b, &result);
    return Checked(result);
}

bool IsZero(const TComplex& z) {
    return z.re == 0.0 && z.im == 0.0;
}

} // namespace

void SetZaroMathFileName(const std::string& fileName) {
    FileName() = fileName;
}

std::string ZaroMathFileName() {
    return FileName();
}

void LoadZaroMath() {
    if (Loaded) {
        return;
    }
    void* library = OpenSharedLibrary(FileName());
    if (library == nullptr) {
        return;
    }
    const TZaroVersionFunc version = AcceptedVersion(library);
    if (version == nullptr) {
        CloseSharedLibrary(library);
        return;
    }
    Table = ResolveTable(library, version);
    Library = library;
    Loaded = true;
}

void UnloadZaroMath() {
    if (Loaded) {
        Table = TZaroMathTable{};
        CloseSharedLibrary(Library);
        Library = nullptr;
        Loaded = false;
    }
    FileName().clear();
}

bool ZaroMathLoaded() {
    return Loaded;
}

const TZaroMathTable& ZaroMathTable() {
    return Table;
}

TComplex MakeComplex(double re, double im) {
    return TComplex{re, im};
}

TComplex ComplexNegate(const TComplex& x) {
    return CallUnary(Table.OperatorMinus, "OperatorMinus", x);
}

TComplex ComplexAdd(const TComplex& a, const TComplex& b) {
    return CallBinary(Table.OperatorAdd, "OperatorAdd", a, b);
}

TComplex ComplexSubtract(const TComplex& a, const TComplex& b) {
    return CallBinary(Table.OperatorSubtract, "OperatorSubtract", a, b);
}

TComplex ComplexTimes(const TComplex& a, const TComplex& b) {
    return CallBinary(Table.OperatorTimes, "OperatorTimes", a, b);
}

TComplex ComplexDivide(const TComplex& a, const TComplex& b) {
    // The library would divide by zero and hand back NaNs; name the fault here.
    if (IsZero(b)) {
        if (IsZero(a)) {
            throw EInvalidOp();
        }
        throw EZeroDivide();
    }
    return CallBinary(Table.OperatorDivideInto, "OperatorDivideInto", a, b);
}

double ComplexAbs(const TComplex& x) {
    return CallUnary(Table.FunctionAbs, "FunctionAbs", x).re;
}

} // namespace zaro
