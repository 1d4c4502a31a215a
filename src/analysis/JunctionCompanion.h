#pragma once
// A non-linear device as the fallback operating-point search sees it: its
// laws linearised at the present point (the companion rows that replace the
// device's own DC block in one Newton step), the junction voltages limited so
// that one step never lifts a conducting junction by more than its
// characteristic allows, the check that every law of the device holds, and
// the parameter values that make the device's own DC block reproduce a point.
//
// The laws are the device's own functions (ModelCurrent, BaseJunctionCurrent,
// CollectorCurrent), so a point that passes LawsHold is one the device's
// residuals accept.

#include "DeviceArrays.h"

#include <memory>
#include <vector>

namespace zaro {

class TZaroSimDevice;

// A law holds within Relative x max(|solved current|, |law current|) +
// Amperes, plus what rounding of its inputs moves it by: its slope in a
// voltage times PotentialRounding x the potentials the voltage is formed from
// (a saturated collector is 1 mOhm between potentials of several volts), and
// its slope in a current times CurrentRounding x the circuit's largest
// current (a base current that is the small difference of two divider
// currents, amplified by Beta).
struct TLawTolerance {
    double Relative;
    double Amperes;
    double PotentialRounding;
    double CurrentRounding;
};

// The potentials and currents of one device's ports in a wire solution.
class TPortValues {
public:
    TPortValues(const TZaroSimDevice& device, const std::vector<double>& x)
        : Device(device), X(x) {}

    double V(int port) const;
    // The current into the device at the port.
    double IInto(int port) const;
    double Across(int plus, int minus) const { return V(plus) - V(minus); }

private:
    const TZaroSimDevice& Device;
    const std::vector<double>& X;
};

class TJunctionCompanion {
public:
    virtual ~TJunctionCompanion() = default;

    // The companion of a diode, LED, Zener diode or transistor; nullptr for
    // any other device.
    static std::unique_ptr<TJunctionCompanion> For(TZaroSimDevice& device);

    // The next step starts from x: the limiting remembers its junction voltages.
    virtual void Start(const std::vector<double>& x) = 0;
    // The device's rows linearised at x, with a conductance gmin across each
    // of its junctions and collector models; true when a junction voltage
    // had to be limited.
    virtual bool Build(const std::vector<double>& x, double gmin, TDCCoefArray& coef,
                       TDCRhsArray& rhs) = 0;
    // Every law of the device holds at x, on the physical side of any pole
    // of the laws. A law that cannot be evaluated there (a math error) does
    // not hold.
    virtual bool LawsHold(const std::vector<double>& x, const TLawTolerance& tolerance) const = 0;
    // The parameters, in the device's index order, whose DC block reproduces
    // x; where a port carries no current the present value is kept.
    virtual std::vector<double> Params(const std::vector<double>& x) const = 0;

protected:
    explicit TJunctionCompanion(TZaroSimDevice& device) : Device(device) {}

    // Resistance v / i, or parameter `index` as it is when i is 0.
    double Resistance(double v, double i, int index) const;

    TZaroSimDevice& Device;
};

// pn-junction voltage limiting: above the critical voltage a rise to vnew
// becomes a rise of one thermal voltage 1/k times the logarithm of the rise
// in thermal voltages. limited tells whether vnew was changed.
double LimitJunctionVoltage(double vnew, double vold, double is, double k, bool& limited);

} // namespace zaro
