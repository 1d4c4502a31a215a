#pragma once
// The junction laws of the devices, written down here from their
// descriptions (not taken from the device code), each with its slopes:
// diode and LED, Zener diode, transistor base junction and collector model.

namespace zaro::test::laws {

inline constexpr double Leakage = 1e6; // ohms in parallel with every junction
inline constexpr double DiodeIs = 1e-9;
inline constexpr double DiodeK = 23.02585092994;
inline constexpr double LEDIs = 2.15443469003247e-9;
inline constexpr double LEDK = 7.67528364331333;
inline constexpr double ZenerK = 23.02585092994; // both branches
inline constexpr double ZenerForwardIs = 1e-9;
inline constexpr double ZenerCurrent = 0.01; // of the breakdown branch at Vz
inline constexpr double TransistorIs = 1e-9;
inline constexpr double TransistorK = 23.02585092994;
inline constexpr double Beta = 300;
inline constexpr double SaturationOhms = 0.001;
inline constexpr double SourceOhms = 0.0001; // series term of a voltage source

// A law's value and its slope.
struct TSloped {
    double Value;
    double Slope;
};

// Current into the anode at v: Is (exp(k v) - 1) + v / Rp, exponential term
// limited to 1000 A.
TSloped DiodeCurrent(double is, double k, double v);
// Saturation current of the breakdown branch: 10 mA at the Zener voltage.
double ZenerBreakdownIs(double zenerVolts);
// Current into the cathode at v = cathode minus anode.
TSloped ZenerCurrentInto(double zenerVolts, double v);
// Base current at the junction voltage v (limited branch: 1000 - Is + v).
TSloped BaseCurrent(double v);

// Collector current u / (u / (Beta b) + 0.001) with its slopes.
struct TCollectorLaw {
    double Value;
    double ByVoltage;
    double ByBaseCurrent;
};
// Near u = b = 0 the limit of the active region is taken (value 0, slope
// Beta in b), where the formula itself has no value.
TCollectorLaw CollectorCurrent(double u, double b);

} // namespace zaro::test::laws
