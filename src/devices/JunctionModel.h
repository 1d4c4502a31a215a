#pragma once
// Characteristics of the semiconductor junctions shared by the diodes and the
// transistors. Every step that could fault (logarithm of a non-positive
// saturation current, exp overflow, division by zero) is checked and raises
// the matching math error instead of producing NaN or infinity.

namespace zaro {

// Exponent factor for a tenfold current per 0.1 V (10 ln 10).
constexpr double JunctionK = 23.02585092994;
// The exponential term of a junction never carries more than this (amperes),
// so the characteristic stays finite at any voltage the solver tries.
constexpr double JunctionCurrentLimit = 1000.0;
// Saturation resistance of the transistors' collector model, ohms.
constexpr double SaturationResistance = 0.001;

// exp(t), or JunctionCurrentLimit once t exceeds ln(1000); `limited` tells
// which branch was taken.
double LimitedExp(double t, bool& limited);

// Is (exp(k v) - 1) + v / Rp with the exponential term limited to 1000 A.
double JunctionCurrent(double Is, double k, double Rp, double v);

// Forward branch of the Zener diode at v < 0 (cathode below anode): the
// current into the cathode, -(Is exp(k |v|) - Is + |v / Rp|), limited as above.
double ZenerForwardCurrent(double Is, double k, double Rp, double v);

// Base current of a transistor junction at v. Unlike the diodes, the limited
// branch adds the voltage itself (1000 - Is + v), not v / Rp.
double TransistorBaseCurrent(double Is, double k, double Rp, double v);

// Collector current for collector voltage u and base current b:
// u / (u / (beta b) + 0.001), about beta b in the active region and u / 1 mOhm
// in saturation. No base current is a division by zero (EZeroDivide, or
// EInvalidOp when u is 0 as well): the iteration cannot move a base that
// carries no current, and the analysis reports it as a failed DC analysis.
double TransistorCollectorCurrent(double beta, double u, double b);

// Residual of the collector model: i - icm, scaled by |icm / i| when the model
// carries more than the solved current i. A solved current of 0 is a division
// by zero, reported like the base current above.
double CollectorResidual(double i, double icm);

// Reciprocal of the junction slope Is k exp(k v) (leakage and limit aside):
// the small-signal resistance at the operating point v.
double SlopeResistance(double Is, double k, double v);

// A residual is scaled by |param| + 1 while the parameter it belongs to is
// negative, which pushes the iteration back towards positive resistances.
double PenalizedResidual(double residual, double param);

// a / b with the fault checks of the device formulas.
double DeviceQuotient(double a, double b);
// exp(x); a result beyond the double range raises EOverflow.
double DeviceExp(double x);

} // namespace zaro
