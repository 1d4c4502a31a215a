#include "CircuitDrawing.h"

#include "Diodes.h"
#include "Junctions.h"
#include "PassiveDevices.h"
#include "Sources.h"
#include "Transistors.h"

#include <cstdio>
#include <random>
#include <stdexcept>
#include <utility>

namespace zaro::test {

namespace {

// One port of a device still to be placed: element number and port.
struct TEnd {
    int Element;
    int Port;
};

struct TWireSpec {
    TEnd From;
    TEnd To;
};

enum class TElementKind { Part, Ground, Junction3, Junction4 };

struct TElement {
    TElementKind Kind;
    int PartIndex = -1;
};

std::string ValueText(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", x);
    return text;
}

TZaroSimDevice& PlacePart(TCircuitBench& bench, const TPart& part) {
    switch (part.Kind) {
    case TPartKind::Resistor:
        return bench.Add<TResistor>(ValueText(part.Value));
    case TPartKind::Source:
        return bench.Add<TVDC>(ValueText(part.Value));
    case TPartKind::Diode:
        return bench.Add<TDiode>();
    case TPartKind::LED:
        return bench.Add<TLED>();
    case TPartKind::Zener:
        return bench.Add<TZenarDiode>(ValueText(part.Value));
    case TPartKind::NPN:
        return bench.Add<TTrNPN>();
    case TPartKind::PNP:
        return bench.Add<TTrPNP>();
    }
    throw std::logic_error("unknown part kind");
}

class TDrawingPlan {
public:
    TDrawingPlan(const TNetlist& netlist, std::optional<std::uint64_t> seed)
        : Netlist(netlist), Redraw(seed.has_value()), Engine(seed.value_or(0)) {
        for (int p = 0; p < static_cast<int>(netlist.Parts.size()); ++p) {
            Elements.push_back({TElementKind::Part, p});
        }
        for (int node = 0; node < netlist.NodeCount; ++node) {
            JoinNode(node);
        }
    }

    // Places every element and draws every wire; returns the part devices.
    std::vector<TZaroSimDevice*> Draw(TCircuitBench& bench) {
        std::vector<int> order = PlacingOrder();
        std::vector<TZaroSimDevice*> devices(Elements.size(), nullptr);
        for (const int e : order) {
            devices[static_cast<std::size_t>(e)] = &Place(bench, Elements[std::size_t(e)]);
        }
        std::vector<TWireSpec> wires = Wires;
        Shuffle(wires);
        for (const TWireSpec& wire : wires) {
            const bool flip = Redraw ? Below(2) == 1 : Later(devices, wire.From, wire.To);
            const TEnd& from = flip ? wire.To : wire.From;
            const TEnd& to = flip ? wire.From : wire.To;
            bench.Wire(*devices[std::size_t(from.Element)], from.Port,
                       *devices[std::size_t(to.Element)], to.Port);
        }
        devices.resize(Netlist.Parts.size());
        return devices;
    }

private:
    std::uint64_t Below(std::uint64_t n) { return Engine() % n; }

    template <typename T> void Shuffle(std::vector<T>& items) {
        if (!Redraw) {
            return;
        }
        for (std::size_t i = items.size(); i > 1; --i) {
            std::swap(items[i - 1], items[Below(i)]);
        }
    }

    static bool Later(const std::vector<TZaroSimDevice*>& devices, const TEnd& a, const TEnd& b) {
        return devices[std::size_t(a.Element)]->Index() > devices[std::size_t(b.Element)]->Index();
    }

    int AddElement(TElementKind kind, int partIndex = -1) {
        Elements.push_back({kind, partIndex});
        return static_cast<int>(Elements.size()) - 1;
    }

    std::vector<TEnd> PortsOn(int node) const {
        std::vector<TEnd> ends;
        for (int p = 0; p < static_cast<int>(Netlist.Parts.size()); ++p) {
            const auto& nodes = Netlist.Parts[std::size_t(p)].Nodes;
            for (int j = 0; j < static_cast<int>(nodes.size()); ++j) {
                if (nodes[std::size_t(j)] == node) {
                    ends.push_back({p, j});
                }
            }
        }
        return ends;
    }

    // Ground: a TGnd on every port. Elsewhere a wire, or junctions.
    void JoinNode(int node) {
        std::vector<TEnd> ends = PortsOn(node);
        if (node == 0) {
            for (const TEnd& end : ends) {
                Wires.push_back({end, {AddElement(TElementKind::Ground, end.Element), 0}});
            }
            return;
        }
        if (ends.size() < 2) {
            throw std::logic_error("a node needs two ports");
        }
        Shuffle(ends);
        if (ends.size() == 2) {
            Wires.push_back({ends[0], ends[1]});
        } else if (ends.size() == 4) {
            Junction(TElementKind::Junction4, ends);
        } else {
            JunctionChain(ends);
        }
    }

    // One junction whose ports take the given ends, in the plan's port order.
    int Junction(TElementKind kind, const std::vector<TEnd>& ends) {
        const int junction = AddElement(kind);
        std::vector<int> ports;
        for (int j = 0; j < static_cast<int>(ends.size()); ++j) {
            ports.push_back(j);
        }
        Shuffle(ports);
        for (std::size_t k = 0; k < ends.size(); ++k) {
            Wires.push_back({ends[k], {junction, ports[k]}});
        }
        return junction;
    }

    // Three ends on one TYConnection; more on a chain of them, each passing
    // the rest on through its last port.
    void JunctionChain(std::vector<TEnd> ends) {
        while (ends.size() > 3) {
            const int junction = AddElement(TElementKind::Junction3);
            const TEnd link{junction, 2};
            Wires.push_back({ends.back(), {junction, 0}});
            ends.pop_back();
            Wires.push_back({ends.back(), {junction, 1}});
            ends.pop_back();
            ends.push_back(link);
        }
        Junction(TElementKind::Junction3, ends);
    }

    // Natural: each part followed by its grounds, then the junctions.
    std::vector<int> PlacingOrder() {
        std::vector<int> order;
        for (int e = 0; e < static_cast<int>(Elements.size()); ++e) {
            if (Elements[std::size_t(e)].Kind == TElementKind::Part) {
                order.push_back(e);
                for (int g = 0; g < static_cast<int>(Elements.size()); ++g) {
                    const TElement& ground = Elements[std::size_t(g)];
                    if (ground.Kind == TElementKind::Ground && ground.PartIndex == e) {
                        order.push_back(g);
                    }
                }
            }
        }
        for (int e = 0; e < static_cast<int>(Elements.size()); ++e) {
            const TElementKind kind = Elements[std::size_t(e)].Kind;
            if (kind == TElementKind::Junction3 || kind == TElementKind::Junction4) {
                order.push_back(e);
            }
        }
        Shuffle(order);
        return order;
    }

    TZaroSimDevice& Place(TCircuitBench& bench, const TElement& element) {
        switch (element.Kind) {
        case TElementKind::Part:
            return PlacePart(bench, Netlist.Parts[std::size_t(element.PartIndex)]);
        case TElementKind::Ground:
            return bench.Add<TGnd>();
        case TElementKind::Junction3:
            return bench.Add<TYConnection>();
        case TElementKind::Junction4:
            return bench.Add<TXConnection>();
        }
        throw std::logic_error("unknown element");
    }

    const TNetlist& Netlist;
    bool Redraw;
    std::mt19937_64 Engine;
    std::vector<TElement> Elements;
    std::vector<TWireSpec> Wires;
};

} // namespace

TDrawnCircuit DrawCircuit(const TNetlist& netlist, TCircuitBench& bench,
                          std::optional<std::uint64_t> redrawSeed) {
    TDrawingPlan plan(netlist, redrawSeed);
    TDrawnCircuit drawn{netlist, plan.Draw(bench)};
    for (std::size_t p = 0; p < drawn.Parts.size(); ++p) {
        TPart& part = drawn.Netlist.Parts[p];
        if (part.Kind == TPartKind::Source) {
            part.StoredSign = drawn.Parts[p]->PortCurrentSign(0);
        }
    }
    return drawn;
}

} // namespace zaro::test
