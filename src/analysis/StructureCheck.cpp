#include "StructureCheck.h"

#include "CircuitDevice.h"
#include "DisjointSets.h"
#include "KeptParameters.h"
#include "Sources.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <map>
#include <set>

namespace zaro {

namespace {

// A link counts as a short when its impedance is no larger than the series
// resistance every voltage source carries.
constexpr double ShortLimit = SourceSeriesResistance * (1.0 + 1E-9);
// Loop impedances that cancel to this fraction leave the loop current undetermined.
constexpr double CancelledFraction = 1E-9;
// Next to an impedance this large a 1 ohm term is lost in double precision:
// the link is open in practice (a capacitor in DC), and the solver can meet
// an exactly zero pivot where it is the only link.
constexpr double OpenLimit = 1.0 / std::numeric_limits<double>::epsilon();

using TDeviceGroup = std::set<int>;

// The links of all devices, over the vertices 0..W-1 (wires) and W (reference).
struct TCircuitLinks {
    int WireCount = 0;
    std::map<int, TDeviceConnections> Devices; // by panel number, devices with ports
    std::vector<TPotentialLink> Links;         // without the ones open in practice
    TDeviceGroup OpenLinked;                   // devices with a link open in practice

    int Vertex(int wire) const { return wire == ReferenceWire ? WireCount : wire; }
    int ReferenceVertex() const { return WireCount; }
    int VertexCount() const { return WireCount + 1; }
    // Junction-like devices are named only where nothing else is.
    bool IsConnector(int device, const TCodingPanel& canvas) const {
        return Devices.at(device).JoinsPortsIdeally && canvas.DragPanel(device).PortCount() >= 3;
    }
};

TFinding MakeFinding(TFindingKind kind, const TDeviceGroup& devices, const TCodingPanel& canvas) {
    TFinding finding;
    finding.Kind = kind;
    for (const int no : devices) {
        finding.Devices.push_back({no, canvas.DragPanel(no).ClassName()});
    }
    return finding;
}

bool IsOpenInPractice(const TPotentialLink& link) {
    return link.Impedance && std::abs(*link.Impedance) >= OpenLimit;
}

void AddLinks(TCircuitLinks& circuit, const TDeviceConnections& connections) {
    for (const TPotentialLink& link : connections.Links) {
        if (IsOpenInPractice(link)) {
            circuit.OpenLinked.insert(link.Device);
        } else {
            circuit.Links.push_back(link);
        }
    }
}

// What a DC analysis does first with every device: its values from its texts.
// The parameters the search left stay as they are.
void EvaluateDCValues(TZaroSimDevice& device) {
    TKeptParameters kept(device);
    device.UpdateDeviceValue();
}

// Reads every device (in DC after evaluating its values, as the DC analyses
// do); the ones that fail on it become findings of their own.
TCircuitLinks ReadLinks(const TCodingPanel& canvas, TAnalysisDomain domain,
                        std::vector<TFinding>& faults) {
    TCircuitLinks circuit;
    circuit.WireCount = canvas.ConnectorCount();
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        TZaroSimDevice& device = DeviceAt(canvas, i);
        if (device.PortCount() == 0) {
            continue;
        }
        try {
            if (domain == TAnalysisDomain::DC) {
                EvaluateDCValues(device);
            }
            TDeviceConnections connections = ReadDeviceConnections(device, domain);
            AddLinks(circuit, connections);
            circuit.Devices.emplace(i, std::move(connections));
        } catch (const std::exception& error) {
            TFinding fault = MakeFinding(TFindingKind::ValueFault, {i}, canvas);
            fault.Error = error.what();
            faults.push_back(fault);
        }
    }
    return circuit;
}

bool HasReference(const TCircuitLinks& circuit) {
    return std::any_of(circuit.Links.begin(), circuit.Links.end(),
                       [](const TPotentialLink& link) { return link.ToWire == ReferenceWire; });
}

// Groups that share a device become one group.
std::vector<TDeviceGroup> MergeOverlapping(std::vector<TDeviceGroup> groups) {
    std::vector<TDeviceGroup> merged;
    for (TDeviceGroup& group : groups) {
        for (auto it = merged.begin(); it != merged.end();) {
            const bool overlaps =
                std::any_of(it->begin(), it->end(), [&](int no) { return group.count(no) != 0; });
            if (overlaps) {
                group.insert(it->begin(), it->end());
                it = merged.erase(it);
            } else {
                ++it;
            }
        }
        merged.push_back(std::move(group));
    }
    std::sort(merged.begin(), merged.end());
    return merged;
}

bool AllIn(const TDeviceGroup& devices, const TDeviceGroup& set) {
    return std::all_of(devices.begin(), devices.end(), [&](int no) { return set.count(no) != 0; });
}

// --- Devices with every port on one node -------------------------------------------

TDeviceGroup ShortedDevices(const TCircuitLinks& circuit, const TCodingPanel& canvas) {
    TDisjointSets nodes(circuit.WireCount);
    for (const TPotentialLink& link : circuit.Links) {
        if (link.Ideal && link.ToWire != ReferenceWire) {
            nodes.Join(link.FromWire, link.ToWire);
        }
    }
    TDeviceGroup shorted;
    for (const auto& [no, connections] : circuit.Devices) {
        const TDragPanel& panel = canvas.DragPanel(no);
        if (panel.PortCount() < 2 || connections.JoinsPortsIdeally) {
            continue;
        }
        bool oneNode = true;
        for (int p = 1; p < panel.PortCount(); ++p) {
            oneNode = oneNode && nodes.Together(panel.PortConnectorNo(0), panel.PortConnectorNo(p));
        }
        if (oneNode) {
            shorted.insert(no);
        }
    }
    return shorted;
}

// --- Loops of voltage sources and shorts -----------------------------------------

bool IsShort(const TPotentialLink& link) {
    return link.Impedance && std::abs(*link.Impedance) <= ShortLimit;
}

// The spanning forest of the shorts seen so far: per vertex, (neighbour, link).
using TForest = std::vector<std::vector<std::pair<int, int>>>;

// The links on the forest's path from `from` to `to` (in one tree).
std::vector<int> ForestPath(const TForest& forest, int from, int to) {
    std::vector<std::pair<int, int>> reachedBy(forest.size(), {-1, -1}); // (previous, link)
    std::deque<int> queue{from};
    reachedBy[static_cast<std::size_t>(from)] = {from, -1};
    while (!queue.empty() && reachedBy[static_cast<std::size_t>(to)].first < 0) {
        const int vertex = queue.front();
        queue.pop_front();
        for (const auto& [next, link] : forest[static_cast<std::size_t>(vertex)]) {
            if (reachedBy[static_cast<std::size_t>(next)].first < 0) {
                reachedBy[static_cast<std::size_t>(next)] = {vertex, link};
                queue.push_back(next);
            }
        }
    }
    std::vector<int> path;
    for (int vertex = to; vertex != from;) {
        const auto [previous, link] = reachedBy[static_cast<std::size_t>(vertex)];
        path.push_back(link);
        vertex = previous;
    }
    return path;
}

// A source in the loop drives a current only the tiny series terms limit; a
// loop whose impedances cancel has no determined current at all.
bool LoopIsFaulty(const TCircuitLinks& circuit, const std::vector<int>& loop) {
    std::complex<double> sum;
    double total = 0.0;
    for (const int k : loop) {
        const TPotentialLink& link = circuit.Links[static_cast<std::size_t>(k)];
        if (link.HasSource) {
            return true;
        }
        sum += *link.Impedance;
        total += std::abs(*link.Impedance);
    }
    return std::abs(sum) <= CancelledFraction * total;
}

TDeviceGroup LoopDevices(const TCircuitLinks& circuit, const std::vector<int>& loop,
                         const TCodingPanel& canvas) {
    TDeviceGroup all;
    TDeviceGroup named;
    for (const int k : loop) {
        const int device = circuit.Links[static_cast<std::size_t>(k)].Device;
        all.insert(device);
        if (!circuit.IsConnector(device, canvas)) {
            named.insert(device);
        }
    }
    return named.empty() ? all : named;
}

std::vector<TDeviceGroup> VoltageLoops(const TCircuitLinks& circuit, const TCodingPanel& canvas,
                                       const TDeviceGroup& shorted) {
    TDisjointSets trees(circuit.VertexCount());
    TForest forest(static_cast<std::size_t>(circuit.VertexCount()));
    std::vector<TDeviceGroup> loops;
    for (int k = 0; k < static_cast<int>(circuit.Links.size()); ++k) {
        const TPotentialLink& link = circuit.Links[static_cast<std::size_t>(k)];
        if (!IsShort(link)) {
            continue;
        }
        const int from = circuit.Vertex(link.FromWire);
        const int to = circuit.Vertex(link.ToWire);
        if (trees.Join(from, to)) {
            forest[static_cast<std::size_t>(from)].emplace_back(to, k);
            forest[static_cast<std::size_t>(to)].emplace_back(from, k);
            continue;
        }
        std::vector<int> loop = ForestPath(forest, from, to);
        loop.push_back(k);
        if (LoopIsFaulty(circuit, loop)) {
            TDeviceGroup devices = LoopDevices(circuit, loop, canvas);
            if (!AllIn(devices, shorted)) {
                loops.push_back(std::move(devices));
            }
        }
    }
    return MergeOverlapping(std::move(loops));
}

// --- Parts with no path to a reference -------------------------------------------

// The devices at one part that has no path to a reference.
struct TIsland {
    TDeviceGroup Inside;   // every port in the part
    TDeviceGroup Boundary; // some ports in it, others elsewhere
};

std::map<int, TIsland> FindIslands(const TCircuitLinks& circuit, const TCodingPanel& canvas) {
    TDisjointSets parts(circuit.VertexCount());
    for (const TPotentialLink& link : circuit.Links) {
        parts.Join(circuit.Vertex(link.FromWire), circuit.Vertex(link.ToWire));
    }
    const int grounded = parts.Find(circuit.ReferenceVertex());
    std::map<int, TIsland> islands;
    for (const auto& [no, connections] : circuit.Devices) {
        const TDragPanel& panel = canvas.DragPanel(no);
        std::set<int> touched;
        bool elsewhere = false;
        for (int p = 0; p < panel.PortCount(); ++p) {
            const int part = parts.Find(panel.PortConnectorNo(p));
            touched.insert(part);
            elsewhere = elsewhere || part == grounded;
        }
        elsewhere = elsewhere || touched.size() > 1;
        for (const int part : touched) {
            if (part != grounded) {
                (elsewhere ? islands[part].Boundary : islands[part].Inside).insert(no);
            }
        }
    }
    return islands;
}

bool IsCurrentSource(const TDeviceConnections& connections) {
    return connections.ConservesCurrent && connections.FixesCurrent;
}

struct TIslandGroups {
    std::vector<TDeviceGroup> CurrentSources;
    std::vector<TDeviceGroup> Floating;
};

// A part bounded by a current source is that source's missing way back;
// otherwise the part floats. Parts made only of shorted devices are told already.
TIslandGroups ClassifyIslands(const TCircuitLinks& circuit, const TCodingPanel& canvas,
                              const TDeviceGroup& shorted) {
    TIslandGroups groups;
    for (const auto& [part, island] : FindIslands(circuit, canvas)) {
        TDeviceGroup sources;
        for (const int no : island.Boundary) {
            if (IsCurrentSource(circuit.Devices.at(no))) {
                sources.insert(no);
            }
        }
        if (!sources.empty()) {
            groups.CurrentSources.push_back(sources);
            continue;
        }
        TDeviceGroup touching = island.Inside;
        touching.insert(island.Boundary.begin(), island.Boundary.end());
        if (AllIn(touching, shorted)) {
            continue;
        }
        // Named with the part: the devices it hangs on only in practice.
        TDeviceGroup named;
        for (const int no : island.Inside) {
            if (!circuit.IsConnector(no, canvas)) {
                named.insert(no);
            }
        }
        for (const int no : island.Boundary) {
            if (circuit.OpenLinked.count(no) != 0) {
                named.insert(no);
            }
        }
        groups.Floating.push_back(!named.empty()           ? named
                                  : !island.Inside.empty() ? island.Inside
                                                           : island.Boundary);
    }
    groups.CurrentSources = MergeOverlapping(std::move(groups.CurrentSources));
    groups.Floating = MergeOverlapping(std::move(groups.Floating));
    return groups;
}

void AddFindings(TCircuitDiagnosis& diagnosis, TFindingKind kind,
                 const std::vector<TDeviceGroup>& groups, const TCodingPanel& canvas) {
    for (const TDeviceGroup& group : groups) {
        diagnosis.Findings.push_back(MakeFinding(kind, group, canvas));
    }
}

} // namespace

TCircuitDiagnosis DiagnoseStructure(const TCodingPanel& canvas, TAnalysisDomain domain) {
    TCircuitDiagnosis diagnosis;
    diagnosis.Domain = domain;
    const TCircuitLinks circuit = ReadLinks(canvas, domain, diagnosis.Findings);
    if (!diagnosis.Empty()) {
        return diagnosis; // what the other blocks connect says little without these
    }
    if (!HasReference(circuit)) {
        diagnosis.Findings.push_back(MakeFinding(TFindingKind::NoReference, {}, canvas));
        return diagnosis;
    }
    const TDeviceGroup shorted = ShortedDevices(circuit, canvas);
    for (const int no : shorted) {
        diagnosis.Findings.push_back(MakeFinding(TFindingKind::ShortedDevice, {no}, canvas));
    }
    AddFindings(diagnosis, TFindingKind::VoltageLoop, VoltageLoops(circuit, canvas, shorted),
                canvas);
    const TIslandGroups islands = ClassifyIslands(circuit, canvas, shorted);
    AddFindings(diagnosis, TFindingKind::CurrentSourceOpen, islands.CurrentSources, canvas);
    AddFindings(diagnosis, TFindingKind::FloatingPart, islands.Floating, canvas);
    return diagnosis;
}

} // namespace zaro
