#include "JunctionModel.h"

#include "CheckedMath.h"
#include "ZaroErrors.h"

#include <cmath>

namespace zaro {

namespace {

const double LnCurrentLimit = std::log(JunctionCurrentLimit);

double DeviceLn(double x) {
    return CheckedDouble(CheckedLn(static_cast<TWide>(CheckedResult(x))));
}

// The exponential term exp(ln(Is) + k v) with its limit.
double JunctionTerm(double Is, double k, double v, bool& limited) {
    return LimitedExp(DeviceLn(Is) + k * v, limited);
}

} // namespace

double DeviceQuotient(double a, double b) {
    return CheckedDouble(CheckedDivide(static_cast<TWide>(a), static_cast<TWide>(b)));
}

double DeviceExp(double x) {
    return CheckedResult(std::exp(CheckedResult(x)));
}

double LimitedExp(double t, bool& limited) {
    limited = CheckedResult(t) > LnCurrentLimit;
    return limited ? JunctionCurrentLimit : std::exp(t);
}

double JunctionCurrent(double Is, double k, double Rp, double v) {
    bool limited = false;
    const double a = JunctionTerm(Is, k, v, limited);
    return CheckedResult(a - Is + DeviceQuotient(v, Rp));
}

double ZenerForwardCurrent(double Is, double k, double Rp, double v) {
    bool limited = false;
    const double a = LimitedExp(DeviceLn(Is) + std::fabs(k * v), limited);
    return CheckedResult(-(a - Is + std::fabs(DeviceQuotient(v, Rp))));
}

double TransistorBaseCurrent(double Is, double k, double Rp, double v) {
    bool limited = false;
    const double a = JunctionTerm(Is, k, v, limited);
    return CheckedResult(limited ? a - Is + v : a - Is + DeviceQuotient(v, Rp));
}

double TransistorCollectorCurrent(double beta, double u, double b) {
    const double x = DeviceQuotient(u, CheckedResult(beta * b));
    return DeviceQuotient(u, CheckedResult(x + SaturationResistance));
}

double CollectorResidual(double i, double icm) {
    const double residual = CheckedResult(i - icm);
    const double ratio = std::fabs(DeviceQuotient(icm, i));
    return ratio > 1.0 ? CheckedResult(residual * ratio) : residual;
}

double SlopeResistance(double Is, double k, double v) {
    return DeviceQuotient(1.0, CheckedResult(Is * k * DeviceExp(k * v)));
}

double PenalizedResidual(double residual, double param) {
    if (param < 0.0) {
        return CheckedResult(residual * (std::fabs(param) + 1.0));
    }
    return CheckedResult(residual);
}

} // namespace zaro
