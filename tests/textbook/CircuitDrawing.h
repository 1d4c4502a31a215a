#pragma once
// Draws a netlist on the shared circuit bench: one device per part, a TGnd
// for every port on ground, a wire for every node joining two ports and a
// junction (TYConnection, TXConnection, or a chain of TYConnections) for
// every node joining more. The natural drawing places the parts in their
// order, each followed by its grounds, then the junctions, draws every wire
// from the device placed first and fills junction ports in order. A redraw
// places the devices in another order, draws the wires in another order and
// direction and fills the junction ports in another order, all from its seed.

#include "CircuitBench.h"
#include "Netlist.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zaro::test {

struct TDrawnCircuit {
    // The netlist with the sources' stored current signs of this drawing.
    TNetlist Netlist;
    // The device of each part.
    std::vector<TZaroSimDevice*> Parts;
};

// No seed: the natural drawing.
TDrawnCircuit DrawCircuit(const TNetlist& netlist, TCircuitBench& bench,
                          std::optional<std::uint64_t> redrawSeed = std::nullopt);

} // namespace zaro::test
