#include "DeviceConnections.h"

#include "DisjointSets.h"
#include "KeptParameters.h"

namespace zaro {

namespace {

using TValue = std::complex<double>;

// One device block, P rows of 2P columns, in one number type for both domains.
struct TBlock {
    int Ports = 0;
    std::vector<TValue> Coef;
    std::vector<TValue> Rhs;
    std::vector<int> Signs; // port current signs

    TValue Potential(int row, int port) const { return Coef[Index(row, 2 * port)]; }
    // Coefficient of the current flowing into the device at the port.
    TValue CurrentInto(int row, int port) const {
        return Coef[Index(row, 2 * port + 1)] * double(Signs[static_cast<std::size_t>(port)]);
    }

private:
    std::size_t Index(int row, int column) const {
        return static_cast<std::size_t>(row * 2 * Ports + column);
    }
};

TValue AsValue(double x) {
    return {x, 0.0};
}
TValue AsValue(const TComplex& z) {
    return {z.re, z.im};
}

template <typename TCoef, typename TRhs>
TBlock ToBlock(const TZaroSimDevice& device, const TCoef& coef, const TRhs& rhs) {
    TBlock block;
    block.Ports = device.PortCount();
    for (int k = 0; k < 2 * block.Ports * block.Ports; ++k) {
        block.Coef.push_back(AsValue(coef[k]));
    }
    for (int r = 0; r < block.Ports; ++r) {
        block.Rhs.push_back(AsValue(rhs[r]));
        block.Signs.push_back(device.PortCurrentSign(r));
    }
    return block;
}

TBlock BuildBlock(TZaroSimDevice& device, TAnalysisDomain domain) {
    if (domain == TAnalysisDomain::DC) {
        TKeptParameters kept(device);
        kept.SetAll(1.0);
        TDCCoefArray coef;
        TDCRhsArray rhs;
        device.BuildDCDeviceEquation(coef, rhs);
        return ToBlock(device, coef, rhs);
    }
    TACCoefArray coef;
    TACRhsArray rhs;
    device.BuildACDeviceEquation(coef, rhs);
    return ToBlock(device, coef, rhs);
}

struct TRowTerms {
    std::vector<int> Potentials; // ports with a potential coefficient
    std::vector<int> Currents;   // ports with a current coefficient
};

TRowTerms RowTerms(const TBlock& block, int row) {
    TRowTerms terms;
    for (int p = 0; p < block.Ports; ++p) {
        if (block.Potential(row, p) != 0.0) {
            terms.Potentials.push_back(p);
        }
        if (block.CurrentInto(row, p) != 0.0) {
            terms.Currents.push_back(p);
        }
    }
    return terms;
}

// Z of a row a·V(from) - a·V(to) + c·i(port) = e, where `to` is -1 for the
// reference; none unless the row names the current of `from` or `to` alone.
std::optional<TValue> BranchImpedance(const TBlock& block, int row, const TRowTerms& terms,
                                      int from, int to) {
    const TValue a = block.Potential(row, from);
    if (to >= 0 && block.Potential(row, to) != -a) {
        return std::nullopt;
    }
    if (terms.Currents.empty()) {
        return TValue{};
    }
    if (terms.Currents.size() != 1) {
        return std::nullopt;
    }
    const int port = terms.Currents.front();
    // The current into `from` flows from -> to; the one into `to` flows back.
    if (port == from) {
        return -block.CurrentInto(row, from) / a;
    }
    if (port == to) {
        return block.CurrentInto(row, to) / a;
    }
    return std::nullopt;
}

void ReadCurrentRow(TDeviceConnections& connections, const TBlock& block, const TRowTerms& terms) {
    if (terms.Currents.empty()) {
        return;
    }
    if (block.Ports >= 2 && static_cast<int>(terms.Currents.size()) == block.Ports) {
        connections.ConservesCurrent = true;
    } else {
        connections.FixesCurrent = true;
    }
}

// Reads the rows one by one; ports tied by ideal rows are grouped on the way.
class TBlockReader {
public:
    TBlockReader(const TZaroSimDevice& device, const TBlock& block)
        : Device(device), Block(block), Ports(block.Ports) {}

    TDeviceConnections Read() {
        for (int row = 0; row < Block.Ports; ++row) {
            ReadRow(row);
        }
        Result.JoinsPortsIdeally = Block.Ports >= 2;
        for (int p = 1; p < Block.Ports; ++p) {
            Result.JoinsPortsIdeally = Result.JoinsPortsIdeally && Ports.Together(0, p);
        }
        return Result;
    }

private:
    void ReadRow(int row) {
        const TRowTerms terms = RowTerms(Block, row);
        const std::vector<int>& ports = terms.Potentials;
        if (ports.empty()) {
            ReadCurrentRow(Result, Block, terms);
        } else if (ports.size() == 1) {
            AddLink(row, terms, ports.front(), -1);
        } else {
            for (std::size_t k = 1; k < ports.size(); ++k) {
                AddLink(row, terms, ports.front(), ports[k]);
            }
        }
    }

    void AddLink(int row, const TRowTerms& terms, int from, int to) {
        TPotentialLink link;
        link.Device = Device.Index();
        link.FromWire = Device.PortConnectorNo(from);
        link.ToWire = to >= 0 ? Device.PortConnectorNo(to) : ReferenceWire;
        link.Impedance = BranchImpedance(Block, row, terms, from, to);
        link.Ideal = terms.Currents.empty();
        link.HasSource = Block.Rhs[static_cast<std::size_t>(row)] != 0.0;
        if (link.Ideal && to >= 0) {
            Ports.Join(from, to);
        }
        Result.Links.push_back(link);
    }

    const TZaroSimDevice& Device;
    const TBlock& Block;
    TDisjointSets Ports;
    TDeviceConnections Result;
};

} // namespace

TDeviceConnections ReadDeviceConnections(TZaroSimDevice& device, TAnalysisDomain domain) {
    const TBlock block = BuildBlock(device, domain);
    return TBlockReader(device, block).Read();
}

} // namespace zaro
