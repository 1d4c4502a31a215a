#pragma once
// A circuit as a list of parts on numbered nodes, before it is drawn on a
// canvas. Node 0 is ground. Each part lists its nodes in the port order of
// the device class that draws it.

#include <string>
#include <vector>

namespace zaro::test {

enum class TPartKind {
    Resistor, // ports 0, 1; Value in ohms
    Source,   // TVDC: port 0 "-", port 1 "+"; Value in volts
    Diode,    // anode 0, cathode 1
    LED,      // anode 0, cathode 1
    Zener,    // cathode 0, anode 1; Value is the Zener voltage
    NPN,      // collector 0, emitter 1, base 2
    PNP,      // emitter 0, collector 1, base 2
};

struct TPart {
    TPartKind Kind;
    std::string Name; // "R1", "D2", ... in the order of the circuit's description
    std::vector<int> Nodes;
    double Value = 0.0;
    // Sources only: the port current sign at port 0 under the drawing. The
    // source's 0.0001 ohm series term acts on the wire current as stored, so
    // the exact solution depends on it.
    int StoredSign = 1;
};

struct TNetlist {
    std::string Family;
    std::string Title; // the circuit in words, with its values
    int NodeCount = 1;
    std::vector<TPart> Parts;

    int AddNode() { return NodeCount++; }
    // Appends a part and returns its index.
    int Add(TPartKind kind, const std::string& name, std::vector<int> nodes, double value = 0.0) {
        Parts.push_back({kind, name, std::move(nodes), value, 1});
        return static_cast<int>(Parts.size()) - 1;
    }
};

} // namespace zaro::test
