// Stand-ins for ZaroMath that the binding must refuse or bind only in part.
// FAKE_VERSION, when defined, is what ZaroMathDllVersion reports; without it
// the library has no version entry point. Only OperatorAdd is exported besides.

#include <cstdint>

namespace {
struct TFakeComplex {
    double re;
    double im;
};
} // namespace

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

#ifdef FAKE_VERSION
FAKE_EXPORT std::int32_t ZaroMathDllVersion() {
    return FAKE_VERSION;
}
#endif

FAKE_EXPORT std::int32_t OperatorAdd(const TFakeComplex* a, const TFakeComplex* b,
                                     TFakeComplex* result) {
    const TFakeComplex p = *a;
    const TFakeComplex q = *b;
    *result = TFakeComplex{p.re + q.re, p.im + q.im};
    return 0;
}
