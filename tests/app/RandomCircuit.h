#pragma once
// Circuits drawn at random from a seed: elements between numbered nodes, each
// node made of wires and junctions the way a user draws it (a single port gets
// an Open, two ports one wire, more ports a Y or X junction or a row of them),
// wires drawn in either direction. Node 0 holds a ground. The same seed on
// two documents gives the same circuit.

#include "CircuitDocument.h"
#include "Diodes.h"
#include "Junctions.h"
#include "Meters.h"
#include "PassiveDevices.h"
#include "Sources.h"
#include "Transistors.h"

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace zaro::test {

struct TRandomCircuitShape {
    int Nodes = 5;
    int ExtraElements = 4; // beyond the ones that connect every node to ground
    int NonLinear = 0;     // diodes, LEDs, Zener diodes and transistors
    bool Floating = false; // a resistor loop with no way to the ground
    // Every node but the ground is meant to take part: Nodes >= 2.
};

class TRandomCircuit {
public:
    TRandomCircuit(TCircuitDocument& doc, unsigned seed) : Doc(doc), Rng(seed) {}

    void Build(const TRandomCircuitShape& shape) {
        Ports.assign(static_cast<std::size_t>(shape.Nodes), {});
        Attach(0, Doc.AddDevice<TGnd>(), 0);
        for (int node = 1; node < shape.Nodes; ++node) {
            LinearElement(node, Pick(0, node - 1));
        }
        for (int e = 0; e < shape.ExtraElements; ++e) {
            const auto [a, b] = TwoNodes(shape.Nodes);
            LinearElement(a, b);
        }
        for (int e = 0; e < shape.NonLinear; ++e) {
            NonLinearElement(shape.Nodes);
        }
        if (shape.Floating) {
            const int a = NewNode();
            const int b = NewNode();
            TwoPort<TResistor>(Value(100, 1e4), a, b);
            TwoPort<TResistor>(Value(100, 1e4), b, a);
        }
        for (int node = 0; node < static_cast<int>(Ports.size()); ++node) {
            Realise(node);
        }
    }

private:
    using TPort = std::pair<TDragPanel*, int>;

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(Rng); }
    // A value spread evenly over the decades from lo to hi, as text.
    std::string Value(double lo, double hi) {
        const double e =
            std::uniform_real_distribution<double>(std::log10(lo), std::log10(hi))(Rng);
        char text[32];
        std::snprintf(text, sizeof text, "%.6G", std::pow(10.0, e));
        return text;
    }
    std::pair<int, int> TwoNodes(int nodes) {
        const int a = Pick(0, nodes - 1);
        int b = Pick(0, nodes - 2);
        return {a, b >= a ? b + 1 : b};
    }

    void Attach(int node, TDragPanel& device, int port) {
        Ports[static_cast<std::size_t>(node)].push_back({&device, port});
    }
    template <typename T> T& Place(const std::string& value) {
        T& device = Doc.AddDevice<T>();
        if (!value.empty()) {
            device.ValueEdit()->SetText(value);
        }
        return device;
    }
    template <typename T> void TwoPort(const std::string& value, int a, int b) {
        T& device = Place<T>(value);
        Attach(a, device, 0);
        Attach(b, device, 1);
    }

    void LinearElement(int a, int b) {
        switch (Pick(0, 11)) {
        case 0:
        case 1:
        case 2:
            return TwoPort<TResistor>(Value(10, 1e6), a, b);
        case 3:
            return TwoPort<TCapacitor>(Value(1e-9, 1e-5), a, b);
        case 4:
            return TwoPort<TInductor>(Value(1e-6, 1), a, b);
        case 5:
            return TwoPort<TVDC>(Value(1, 20), a, b);
        case 6:
            return TwoPort<TVAC>(Value(0.1, 2), a, b);
        case 7:
            return TwoPort<TISRC>(Value(1e-6, 1e-2), a, b);
        case 8:
            return TwoPort<TAmMeter>("", a, b);
        case 9:
            return TwoPort<TVoltMeter>("", a, b);
        case 10:
            return TwoPort<TLamp>("", a, b);
        default:
            Attach(a, Place<TPotentialMeter>(""), 0);
            return TwoPort<TResistor>(Value(10, 1e6), a, b);
        }
    }

    // A diode in series with a resistor, or a transistor with a resistor in
    // its collector and one in its base: random places, sensible bias.
    void NonLinearElement(int nodes) {
        const auto [a, b] = TwoNodes(nodes);
        const int inner = NewNode();
        switch (Pick(0, 4)) {
        case 0:
            TwoPort<TDiode>("", a, inner);
            break;
        case 1:
            TwoPort<TLED>("", a, inner);
            break;
        case 2:
            TwoPort<TZenarDiode>(Value(2, 10), a, inner);
            break;
        default: {
            TDragPanel& q = Pick(0, 1) == 0 ? static_cast<TDragPanel&>(Place<TTrNPN>(""))
                                            : static_cast<TDragPanel&>(Place<TTrPNP>(""));
            const int base = NewNode();
            Attach(inner, q, 0);
            Attach(b, q, 1);
            Attach(base, q, 2);
            TwoPort<TResistor>(Value(1e4, 1e6), base, Pick(0, nodes - 1));
            TwoPort<TResistor>(Value(100, 1e4), inner, a);
            return;
        }
        }
        TwoPort<TResistor>(Value(100, 1e4), inner, b);
    }

    int NewNode() {
        Ports.emplace_back();
        return static_cast<int>(Ports.size()) - 1;
    }

    // Joins the ports of one node: an Open for a single port, one wire for
    // two, junctions for more (a row of Y junctions past four).
    void Realise(int node) {
        std::vector<TPort> ports = Ports[static_cast<std::size_t>(node)];
        if (ports.size() == 1) {
            ports.push_back({&Doc.AddDevice<TOpen>(), 0});
        }
        while (ports.size() > 2) {
            const bool four = ports.size() == 4;
            TDragPanel& junction = four ? static_cast<TDragPanel&>(Doc.AddDevice<TXConnection>())
                                        : static_cast<TDragPanel&>(Doc.AddDevice<TYConnection>());
            const int taken = four ? 4 : 2;
            for (int p = 0; p < taken; ++p) {
                Wire(ports.back(), {&junction, p});
                ports.pop_back();
            }
            if (!four) {
                ports.push_back({&junction, 2});
            }
        }
        if (ports.size() == 2) {
            Wire(ports[0], ports[1]);
        }
    }

    void Wire(TPort a, TPort b) {
        if (Pick(0, 1) == 1) {
            std::swap(a, b);
        }
        Doc.Canvas().ConnectPorts(a.first->Index(), a.second, b.first->Index(), b.second);
    }

    TCircuitDocument& Doc;
    std::mt19937 Rng;
    std::vector<std::vector<TPort>> Ports;
};

} // namespace zaro::test
