#include "LawFormulas.h"

#include <cmath>

namespace zaro::test::laws {

namespace {

const double LnLimit = std::log(1000.0);

struct TTerm {
    TSloped Term;
    bool Limited;
};

// exp(ln(is) + k v) limited to 1000 A, with its slope in v.
TTerm LimitedTerm(double is, double k, double v) {
    const double t = std::log(is) + k * v;
    if (t > LnLimit) {
        return {{1000.0, 0.0}, true};
    }
    const double e = std::exp(t);
    return {{e, k * e}, false};
}

} // namespace

TSloped DiodeCurrent(double is, double k, double v) {
    const TSloped term = LimitedTerm(is, k, v).Term;
    return {term.Value - is + v / Leakage, term.Slope + 1 / Leakage};
}

double ZenerBreakdownIs(double zenerVolts) {
    return ZenerCurrent / (std::exp(ZenerK * zenerVolts) - 1);
}

TSloped ZenerCurrentInto(double zenerVolts, double v) {
    if (v >= 0) {
        return DiodeCurrent(ZenerBreakdownIs(zenerVolts), ZenerK, v);
    }
    // Forward branch: minus the diode law at |v|; its slope in v is the
    // diode's slope at |v|.
    const TSloped forward = DiodeCurrent(ZenerForwardIs, ZenerK, -v);
    return {-forward.Value, forward.Slope};
}

TSloped BaseCurrent(double v) {
    const auto [term, limited] = LimitedTerm(TransistorIs, TransistorK, v);
    if (limited) {
        return {term.Value - TransistorIs + v, 1.0};
    }
    return {term.Value - TransistorIs + v / Leakage, term.Slope + 1 / Leakage};
}

TCollectorLaw CollectorCurrent(double u, double b) {
    // u Beta b / (u + 0.001 Beta b), the same law without the inner division.
    const double c = Beta * b;
    const double d = u + SaturationOhms * c;
    if (std::fabs(d) < 1e-300) {
        return {0.0, 0.0, Beta};
    }
    const double value = u * c / d;
    return {value, SaturationOhms * c * c / (d * d), Beta * u * u / (d * d)};
}

} // namespace zaro::test::laws
