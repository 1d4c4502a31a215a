// Writes the circuits of the side-by-side benchmark twice: as model files for
// zarosim-cli and as netlists for a reference simulator, with every device
// law written out as a behavioural source. Usage: DIR, then it writes
// DIR/NAME.zsm and DIR/NAME.cir for each circuit. With --time FILE.zsm
// SOLVER [dc|ac-linear [REPEATS]] it loads the model and prints the seconds
// the non-linear DC command (or the linear AC one) takes, loading excluded;
// with REPEATS it runs the command that many times more in the same process
// and prints the median of those repeats after the first run's seconds.

#include "CircuitBench.h"
#include "CircuitDrawing.h"
#include "ConsolePlatform.h"
#include "ConsoleProgressView.h"
#include "Junctions.h"
#include "ModelFile.h"
#include "Netlist.h"
#include "PassiveDevices.h"
#include "Sources.h"
#include "Stream.h"
#include "TextbookCircuits.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace zaro;
using namespace zaro::test;

// A square grid of 1 kOhm resistors, fed at one corner by 10 V and tied to
// ground at the opposite one through 1 kOhm.
TNetlist Mesh(int side) {
    TNetlist n;
    std::vector<int> node(static_cast<std::size_t>(side * side));
    for (int& k : node) {
        k = n.AddNode();
    }
    const auto at = [&](int r, int c) { return node[static_cast<std::size_t>(r * side + c)]; };
    n.Add(TPartKind::Source, "V1", {0, at(0, 0)}, 10);
    int count = 0;
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            if (c + 1 < side) {
                n.Add(TPartKind::Resistor, "R" + std::to_string(++count), {at(r, c), at(r, c + 1)},
                      1000);
            }
            if (r + 1 < side) {
                n.Add(TPartKind::Resistor, "R" + std::to_string(++count), {at(r, c), at(r + 1, c)},
                      1000);
            }
        }
    }
    n.Add(TPartKind::Resistor, "RG", {at(side - 1, side - 1), 0}, 1000);
    return n;
}

std::string Node(int node) {
    return node == 0 ? "0" : "n" + std::to_string(node);
}

// The base junction and the collector law of the program's transistor:
// Ib = Is (exp(k Vbe) - 1) + Vbe / Rp and Ic = Vce / (Vce / (Beta Ib) + Rsat),
// the latter as Vce Beta Ib / (Vce + Rsat Beta Ib) so that it is defined at
// the zero start; the tiny term keeps it defined where both vanish.
void WriteTransistor(std::ostream& out, const TPart& part) {
    const std::string c = Node(part.Nodes[0]);
    const std::string e = Node(part.Nodes[1]);
    const std::string b = Node(part.Nodes[2]);
    const std::string vbe = "V(" + b + "," + e + ")";
    const std::string vce = "V(" + c + "," + e + ")";
    const std::string ib = "(1e-9*(exp(23.02585092994*" + vbe + ")-1)+" + vbe + "/1e6)";
    out << "B" << part.Name << "b " << b << " " << e << " I=" << ib << "\n";
    out << "B" << part.Name << "c " << c << " " << e << " I=" << vce << "*300*" << ib << "/(abs("
        << vce << ")+0.3*abs(" << ib << ")+1e-30)\n";
}

void WriteNetlist(const TNetlist& n, const std::string& fileName) {
    std::ofstream out(fileName);
    out << "* " << n.Title << "\n";
    for (const TPart& part : n.Parts) {
        const std::string a = Node(part.Nodes[0]);
        const std::string b = Node(part.Nodes[1]);
        switch (part.Kind) {
        case TPartKind::Resistor:
            out << "R" << part.Name << " " << a << " " << b << " " << part.Value << "\n";
            break;
        case TPartKind::Source: // 0.1 mOhm in series, as the program's source has
            out << "V" << part.Name << " " << b << " " << part.Name << "_s " << part.Value << "\n";
            out << "R" << part.Name << "_s " << part.Name << "_s " << a << " 1e-4\n";
            break;
        case TPartKind::NPN:
            WriteTransistor(out, part);
            break;
        default:
            throw std::runtime_error("no netlist form for " + part.Name);
        }
    }
    out << ".op\n.end\n";
}

void WriteModelFile(const TCodingPanel& canvas, const std::string& fileName) {
    TFileStream stream(fileName, TFileMode::fmCreate);
    WriteModel(stream, canvas, {});
}

void WriteModelFile(const TNetlist& n, const std::string& fileName) {
    TCircuitBench bench;
    DrawCircuit(n, bench);
    WriteModelFile(bench.Canvas, fileName);
}

// An AC source of 1 V, then sections of 100 Ohm in series and 100 nF to
// ground, solved at the tool bar's default 1 kHz; the netlist has no part
// kind for capacitors, so both forms are written here.
void WriteRCLadder(int sections, const std::string& base) {
    TCircuitBench bench;
    std::ofstream out(base + ".cir");
    out << "* rc" << sections << "\nVV1 n0 V1_s AC 1\nRV1_s V1_s 0 1e-4\n";
    auto& gnd = bench.Add<TGnd>();
    TDragPanel* previous = &bench.Add<TVAC>("1");
    bench.Wire(gnd, 0, *previous, 0);
    for (int s = 1; s <= sections; ++s) {
        auto& r = bench.Add<TResistor>("100");
        auto& y = bench.Add<TYConnection>();
        auto& c = bench.Add<TCapacitor>("100n");
        auto& ground = bench.Add<TGnd>();
        bench.Wire(*previous, 1, r, 0);
        bench.Wire(r, 1, y, 0);
        bench.Wire(y, 2, c, 0);
        bench.Wire(c, 1, ground, 0);
        previous = &y;
        out << "RR" << s << " n" << s - 1 << " n" << s << " 100\nCC" << s << " n" << s
            << " 0 100n\n";
    }
    bench.Wire(*previous, 1, bench.Add<TOpen>(), 0);
    out << ".ac lin 1 1000 1000\n.print ac vm(n1)\n.end\n";
    WriteModelFile(bench.Canvas, base + ".zsm");
}

double SecondsOf(TCircuitDocument& document, bool ac) {
    const auto start = std::chrono::steady_clock::now();
    if (ac) {
        document.AtnSimulateAC();
    } else {
        document.AtnSimulateDCNonLinear();
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    return seconds.count();
}

double MedianOfRepeats(TCircuitDocument& document, bool ac, int repeats) {
    std::vector<double> seconds;
    for (int r = 0; r < repeats; ++r) {
        seconds.push_back(SecondsOf(document, ac));
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
}

int TimeAnalysis(const std::string& fileName, const std::string& solverName, bool ac, int repeats) {
    const std::optional<TSolverKind> solver = SolverKindFromName(solverName);
    LoadZaroMath();
    if (!solver || !ZaroMathLoaded()) {
        std::cerr << "unknown solver or no ZaroMath library\n";
        return 2;
    }
    cli::TConsolePlatform platform(std::cerr);
    cli::TConsoleProgressView view;
    TCircuitDocument document(platform, view);
    document.SetSolverKind(*solver);
    LoadModel(document, fileName);
    std::cout << SecondsOf(document, ac);
    if (repeats > 0) {
        std::cout << " " << MedianOfRepeats(document, ac, repeats);
    }
    std::cout << "\n";
    return document.Analysis().ResultsValid() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && argc <= 6 && std::string(argv[1]) == "--time") {
        try {
            return TimeAnalysis(argv[2], argv[3], argc >= 5 && std::string(argv[4]) == "ac-linear",
                                argc == 6 ? std::stoi(argv[5]) : 0);
        } catch (const std::exception& e) {
            std::cerr << e.what() << "\n";
            return 1;
        }
    }
    if (argc != 2) {
        std::cerr
            << "usage: bench_side_by_side_circuits DIR | --time FILE.zsm SOLVER [KIND [REPEATS]]\n";
        return 2;
    }
    const std::string dir = argv[1];
    const std::vector<std::pair<std::string, std::function<TNetlist()>>> circuits = {
        {"npn1", [] { return NPNCascade(1); }},
        {"npn2", [] { return NPNCascade(2); }},
        {"npn10", [] { return NPNCascade(10); }},
        {"ladder3", [] { return ResistorLadder(3); }},
        {"ladder4", [] { return ResistorLadder(4); }},
        {"ladder5", [] { return ResistorLadder(5); }},
        {"ladder6", [] { return ResistorLadder(6); }},
        {"npn30", [] { return NPNCascade(30); }},
        {"npn60", [] { return NPNCascade(60); }},
        {"npn100", [] { return NPNCascade(100); }},
        {"npn1000", [] { return NPNCascade(1000); }},
        {"ladder100", [] { return ResistorLadder(100); }},
        {"ladder1000", [] { return ResistorLadder(1000); }},
        {"mesh30", [] { return Mesh(30); }},
    };
    try {
        for (const auto& [name, make] : circuits) {
            TNetlist n = make();
            n.Title = name;
            WriteModelFile(n, dir + "/" + name + ".zsm");
            WriteNetlist(n, dir + "/" + name + ".cir");
        }
        WriteRCLadder(100, dir + "/rc100");
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
