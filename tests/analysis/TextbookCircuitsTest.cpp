// The textbook circuit generator and the drawings it puts on the bench.

#include "TextbookCircuits.h"
#include "CircuitDrawing.h"
#include "ZaroMathTestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <numeric>

namespace zaro::test {
namespace {

std::vector<std::string> Titles(const std::vector<TNetlist>& circuits) {
    std::vector<std::string> titles;
    for (const TNetlist& c : circuits) {
        titles.push_back(c.Title);
    }
    return titles;
}

bool IsE12(double r) {
    constexpr std::array<int, 12> mantissas{10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
    for (double decade = 10; decade <= 1e5; decade *= 10) {
        for (const int m : mantissas) {
            if (r == m * decade) {
                return true;
            }
        }
    }
    return r == 1e6;
}

TEST(TextbookGeneratorTest, TheSameSeedGivesTheSameCircuits) {
    const auto first = TTextbookGenerator(7).Batch(5);
    EXPECT_EQ(Titles(first), Titles(TTextbookGenerator(7).Batch(5)));
    EXPECT_NE(Titles(first), Titles(TTextbookGenerator(8).Batch(5)));
    ASSERT_EQ(first.size(), 5 * AllFamilies.size());
    for (std::size_t k = 0; k < AllFamilies.size(); ++k) {
        EXPECT_EQ(first[k].Family, FamilyName(AllFamilies[k]));
    }
}

// E12 resistors from 100 Ohm to 1 MOhm, supplies from 1 to 24 V, Zener
// voltages from 3.3 to 12 V; both orientations and loads occur.
TEST(TextbookGeneratorTest, ValuesStayInTheirRangesAndEveryVariantOccurs) {
    std::map<std::string, int> variants;
    for (const TNetlist& c : TTextbookGenerator(18).Batch(25)) {
        for (const TPart& part : c.Parts) {
            if (part.Kind == TPartKind::Resistor) {
                EXPECT_TRUE(IsE12(part.Value)) << c.Title;
            } else if (part.Kind == TPartKind::Source) {
                EXPECT_TRUE(part.Value >= 1 && part.Value <= 24) << c.Title;
            } else if (part.Kind == TPartKind::Zener) {
                EXPECT_TRUE(part.Value >= 3.3 && part.Value <= 12) << c.Title;
            }
        }
        for (const char* variant : {"reversed", "from below", "from above", "load", "ground on"}) {
            variants[variant] += c.Title.find(variant) != std::string::npos ? 1 : 0;
        }
    }
    for (const auto& [variant, count] : variants) {
        EXPECT_GT(count, 0) << variant;
    }
}

// Ports joined on the canvas, through wires and junctions, as sets.
class TCanvasNodes {
public:
    explicit TCanvasNodes(const TCodingPanel& canvas) : Canvas(canvas) {
        for (int i = 0; i < canvas.DragPanelCount(); ++i) {
            for (int p = 0; p < canvas.DragPanel(i).PortCount(); ++p) {
                Id[{i, p}] = static_cast<int>(Parent.size());
                Parent.push_back(static_cast<int>(Parent.size()));
            }
        }
        // Both ends of a wire, and all ports of a junction, are one node.
        for (int w = 0; w < canvas.ConnectorCount(); ++w) {
            const TConnector& c = canvas.Connector(w);
            Join({c.StartPanelNo(), c.StartPortNo()}, {c.EndPanelNo(), c.EndPortNo()});
        }
        for (int i = 0; i < canvas.DragPanelCount(); ++i) {
            const TDragPanel& panel = canvas.DragPanel(i);
            if (panel.ClassName() == "TYConnection" || panel.ClassName() == "TXConnection") {
                for (int p = 1; p < panel.PortCount(); ++p) {
                    Join({i, p}, {i, 0});
                }
            }
        }
    }

    bool Joined(std::pair<int, int> a, std::pair<int, int> b) { return Find(Id[a]) == Find(Id[b]); }
    bool OnGround(std::pair<int, int> a) {
        for (int i = 0; i < Canvas.DragPanelCount(); ++i) {
            if (Canvas.DragPanel(i).ClassName() == "TGnd" && Joined(a, {i, 0})) {
                return true;
            }
        }
        return false;
    }

private:
    int Find(int k) { return Parent[std::size_t(k)] == k ? k : Find(Parent[std::size_t(k)]); }
    void Join(std::pair<int, int> a, std::pair<int, int> b) {
        Parent[std::size_t(Find(Id[a]))] = Find(Id[b]);
    }

    const TCodingPanel& Canvas;
    std::map<std::pair<int, int>, int> Id;
    std::vector<int> Parent;
};

// Whatever the drawing, two part ports share a node exactly when the netlist
// says so, and a port on node 0 reaches a ground.
TEST(CircuitDrawingTest, EveryDrawingJoinsExactlyThePortsOfEachNode) {
    for (const TNetlist& circuit : TTextbookGenerator(3).Batch(2)) {
        for (const std::optional<std::uint64_t> seed :
             {std::optional<std::uint64_t>{}, {11}, {12}}) {
            TCircuitBench bench;
            const TDrawnCircuit drawn = DrawCircuit(circuit, bench, seed);
            TCanvasNodes nodes(bench.Canvas);
            std::vector<std::pair<int, int>> ports;
            std::vector<int> nodeOf;
            for (std::size_t k = 0; k < circuit.Parts.size(); ++k) {
                for (std::size_t p = 0; p < circuit.Parts[k].Nodes.size(); ++p) {
                    ports.push_back({drawn.Parts[k]->Index(), static_cast<int>(p)});
                    nodeOf.push_back(circuit.Parts[k].Nodes[p]);
                }
            }
            for (std::size_t a = 0; a < ports.size(); ++a) {
                EXPECT_EQ(nodes.OnGround(ports[a]), nodeOf[a] == 0) << circuit.Title;
                for (std::size_t b = 0; b < ports.size(); ++b) {
                    if (nodeOf[a] != 0) {
                        EXPECT_EQ(nodes.Joined(ports[a], ports[b]), nodeOf[a] == nodeOf[b])
                            << circuit.Title;
                    }
                }
            }
        }
    }
}

// Class of every panel in canvas order, and every wire's two ends.
std::vector<std::string> Picture(const TCodingPanel& canvas) {
    std::vector<std::string> picture;
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        picture.push_back(canvas.DragPanel(i).ClassName());
    }
    for (int w = 0; w < canvas.ConnectorCount(); ++w) {
        const TConnector& c = canvas.Connector(w);
        picture.push_back(std::to_string(c.StartPanelNo()) + "." + std::to_string(c.StartPortNo()) +
                          ">" + std::to_string(c.EndPanelNo()) + "." +
                          std::to_string(c.EndPortNo()));
    }
    return picture;
}

TEST(CircuitDrawingTest, ARedrawIsAnotherPictureOfTheSameCircuitAndRepeatsWithItsSeed) {
    const TNetlist circuit = TwoStageAmplifier({});
    TCircuitBench natural;
    TCircuitBench redrawn;
    TCircuitBench again;
    DrawCircuit(circuit, natural);
    DrawCircuit(circuit, redrawn, 5);
    DrawCircuit(circuit, again, 5);
    EXPECT_NE(Picture(natural.Canvas), Picture(redrawn.Canvas));
    EXPECT_EQ(Picture(redrawn.Canvas), Picture(again.Canvas));
    auto sorted = [](std::vector<std::string> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    const auto classes = [](const TCodingPanel& canvas) {
        std::vector<std::string> names;
        for (int i = 0; i < canvas.DragPanelCount(); ++i) {
            names.push_back(canvas.DragPanel(i).ClassName());
        }
        return names;
    };
    EXPECT_EQ(sorted(classes(natural.Canvas)), sorted(classes(redrawn.Canvas)));
}

} // namespace
} // namespace zaro::test
