#pragma once
// What the rows of one device block connect, read from the block the device
// builds: which wires a row ties together by their potentials (or ties to the
// reference), with what impedance and whether it holds a source, and whether
// the device conserves its port currents or fixes them. The circuit check
// works only from these, never from the class of a device.

#include "ZaroSimDevices.h"

#include <complex>
#include <optional>
#include <vector>

namespace zaro {

enum class TAnalysisDomain { DC, AC };

// The node that stands for the reference potential in a link.
inline constexpr int ReferenceWire = -1;

// One row that relates potentials: V(FromWire) - V(ToWire) = Z·i + e, with i
// the current the row names flowing from FromWire to ToWire through the device.
struct TPotentialLink {
    int Device = -1; // panel number
    int FromWire = -1;
    int ToWire = ReferenceWire;
    // Z when the row names the current of one of its two ends (a branch);
    // none when it names other currents. 0 for a row without any current.
    std::optional<std::complex<double>> Impedance;
    bool Ideal = false;     // no current term: the potentials are simply equal
    bool HasSource = false; // a right-hand side: the row drives a voltage
};

struct TDeviceConnections {
    std::vector<TPotentialLink> Links;
    // A row sums the currents of all ports (what flows in flows out).
    bool ConservesCurrent = false;
    // A row without potentials fixes some port currents: an open end, a
    // current source, a current set by another port's current.
    bool FixesCurrent = false;
    // The device's own ideal links put all its ports at one potential (a junction).
    bool JoinsPortsIdeally = false;
};

// Builds the device's DC or AC block and reads it. Every port must be wired.
// A non-linear device is read with its parameters at 1 (they are resistances
// the iteration moves; what they connect does not depend on their value) and
// gets its own values back. Errors of the block building pass out.
TDeviceConnections ReadDeviceConnections(TZaroSimDevice& device, TAnalysisDomain domain);

} // namespace zaro
