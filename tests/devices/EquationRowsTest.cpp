// Each device's DC and AC block, coefficient by coefficient, for every
// drawing direction of its wires (the signs s_p come from the canvas).

#include "DeviceBench.h"

#include <cmath>
#include <functional>
#include <map>
#include <numbers>

namespace zaro::test {
namespace {

using TSigns = std::vector<int>;
// Non-zero entries of a block: column index -> value; everything else is 0.
using TEntries = std::map<int, TComplex>;

struct TBlock {
    TEntries Coef;
    TEntries Rhs;
};

struct TRowsCase {
    std::string ClassName;
    int Ports;
    std::function<TBlock(const TSigns&)> DC;
    std::function<TBlock(const TSigns&)> AC;
};

std::ostream& operator<<(std::ostream& os, const TRowsCase& c) {
    return os << c.ClassName;
}

TComplex R(double re) {
    return {re, 0.0};
}

const double F = 1000.0;
const double CapX = -1.0 / (2 * std::numbers::pi * F * 10e-6); // 10u
const double IndX = 2 * std::numbers::pi * F * 10e-6;          // 10u

// An impedance between ports 0 and 1: V0 - Z s0 I0 - V1 = 0; s0 I0 + s1 I1 = 0.
TBlock Impedance(const TSigns& s, TComplex z) {
    return {{{0, R(1)}, {1, {-z.re * s[0], -z.im * s[0]}}, {2, R(-1)}, {5, R(s[0])}, {7, R(s[1])}},
            {}};
}

// -V0 - 0.0001 I0 + V1 = e (sign = +1) or V0 - 0.0001 I0 - V1 = 0 (sign = -1).
TBlock Source(const TSigns& s, double sign, double e) {
    return {{{0, R(-sign)}, {1, R(-0.0001)}, {2, R(sign)}, {5, R(s[0])}, {7, R(s[1])}},
            {{0, R(e)}}};
}

const TRowsCase Cases[] = {
    {"TResistor", 2, [](const TSigns& s) { return Impedance(s, R(1000)); },
     [](const TSigns& s) { return Impedance(s, R(1000)); }},
    {"TCapacitor", 2, [](const TSigns& s) { return Impedance(s, R(1E20)); },
     [](const TSigns& s) {
         return Impedance(s, {0.0001, CapX});
     }},
    {"TInductor", 2, [](const TSigns& s) { return Impedance(s, R(0.0001)); },
     [](const TSigns& s) {
         return Impedance(s, {0.0001, IndX});
     }},
    {"TLamp", 2, [](const TSigns& s) { return Impedance(s, R(4.5)); },
     [](const TSigns& s) { return Impedance(s, R(4.5)); }},
    {"TVDC", 2, [](const TSigns& s) { return Source(s, 1, 15); },
     [](const TSigns& s) { return Source(s, -1, 0); }},
    {"TVAC", 2, [](const TSigns& s) { return Source(s, -1, 0); },
     [](const TSigns& s) { return Source(s, 1, 0.1); }},
    {"TAmMeter", 2, [](const TSigns& s) { return Source(s, -1, 0); },
     [](const TSigns& s) { return Source(s, -1, 0); }},
    {"TISRC", 2,
     [](const TSigns& s) {
         return TBlock{{{1, R(s[0])}, {3, R(s[1])}, {5, R(s[0])}}, {{1, R(0.001)}}};
     },
     [](const TSigns& s) {
         return TBlock{{{1, R(s[0])}, {3, R(s[1])}, {5, R(s[0])}}, {}};
     }},
    {"TVoltMeter", 2,
     [](const TSigns& s) {
         return TBlock{{{1, R(s[0])}, {7, R(s[1])}}, {}};
     },
     [](const TSigns& s) {
         return TBlock{{{1, R(s[0])}, {7, R(s[1])}}, {}};
     }},
    {"TPotentialMeter", 1,
     [](const TSigns& s) {
         return TBlock{{{1, R(s[0])}}, {}};
     },
     [](const TSigns& s) {
         return TBlock{{{1, R(s[0])}}, {}};
     }},
    {"TGnd", 1,
     [](const TSigns&) {
         return TBlock{{{0, R(1)}}, {}};
     },
     [](const TSigns&) {
         return TBlock{{{0, R(1)}}, {}};
     }},
    {"TOpen", 1,
     [](const TSigns&) {
         return TBlock{{{1, R(1)}}, {}};
     },
     [](const TSigns&) {
         return TBlock{{{1, R(1)}}, {}};
     }},
    {"TLevel", 1,
     [](const TSigns&) {
         return TBlock{{{0, R(1)}, {1, R(0.0001)}}, {{0, R(15)}}};
     },
     [](const TSigns&) {
         return TBlock{{{0, R(1)}}, {}};
     }},
    {"TYConnection", 3,
     [](const TSigns& s) {
         return TBlock{{{0, R(1)},
                        {2, R(-1)},
                        {6, R(1)},
                        {10, R(-1)},
                        {13, R(s[0])},
                        {15, R(s[1])},
                        {17, R(s[2])}},
                       {}};
     },
     nullptr},
    {"TXConnection", 4,
     [](const TSigns& s) {
         return TBlock{{{0, R(1)},
                        {2, R(-1)},
                        {8, R(1)},
                        {12, R(-1)},
                        {16, R(1)},
                        {22, R(-1)},
                        {25, R(s[0])},
                        {27, R(s[1])},
                        {29, R(s[2])},
                        {31, R(s[3])}},
                       {}};
     },
     nullptr},
    {"TLabelDevice", 0, [](const TSigns&) { return TBlock{}; }, nullptr},
};

template <typename TArray> void ExpectEntries(const TArray& actual, const TEntries& expected) {
    for (int i = 0; i < TArray::Count; ++i) {
        const auto it = expected.find(i);
        const TComplex want = it == expected.end() ? TComplex{0, 0} : it->second;
        TComplex got;
        if constexpr (std::is_same_v<std::decay_t<decltype(actual[0])>, double>) {
            got = {actual[i], 0.0};
        } else {
            got = actual[i];
        }
        const double tolerance = 1E-12 * std::max(1.0, std::abs(want.re) + std::abs(want.im));
        EXPECT_NEAR(got.re, want.re, tolerance) << "entry " << i;
        EXPECT_NEAR(got.im, want.im, tolerance) << "entry " << i;
    }
}

class EquationRows : public ::testing::TestWithParam<TRowsCase> {};

TEST_P(EquationRows, DCBlockForEveryWireDirection) {
    const TRowsCase& c = GetParam();
    for (const TSigns& signs : SignPatterns(c.Ports)) {
        SCOPED_TRACE(::testing::PrintToString(signs));
        TDeviceBench bench;
        const TDCBlockOf dc(bench.Prepared(c.ClassName, signs));
        const TBlock expected = c.DC(signs);
        ExpectEntries(dc.Coef, expected.Coef);
        ExpectEntries(dc.Rhs, expected.Rhs);
    }
}

// Linear AC runs no preparation: the block comes from the texts at the present F.
TEST_P(EquationRows, ACBlockForEveryWireDirection) {
    const TRowsCase& c = GetParam();
    for (const TSigns& signs : SignPatterns(c.Ports)) {
        SCOPED_TRACE(::testing::PrintToString(signs));
        TDeviceBench bench;
        const TACBlockOf ac(bench.Place(bench.Make(c.ClassName), signs));
        const TBlock expected = c.AC ? c.AC(signs) : c.DC(signs);
        ExpectEntries(ac.Coef, expected.Coef);
        ExpectEntries(ac.Rhs, expected.Rhs);
    }
}

INSTANTIATE_TEST_SUITE_P(Devices, EquationRows, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return info.param.ClassName; });

// A wire joining both ports of one device starts at it: both signs are -1 and
// row 1 still says the two currents into the device cancel.
TEST(EquationRowsSameWire, BothPortsOnOneWireGiveMinusOneTwice) {
    TDeviceBench bench;
    auto& r = static_cast<TZaroSimDevice&>(bench.Canvas.AddDragPanel(bench.Make("TResistor")));
    bench.Canvas.ConnectPorts(r.Index(), 0, r.Index(), 1);
    EXPECT_EQ(r.PortCurrentSign(0), -1);
    EXPECT_EQ(r.PortCurrentSign(1), -1);
    r.UpdateDeviceValue();
    TDCCoefArray coef;
    TDCRhsArray rhs;
    r.BuildDCDeviceEquation(coef, rhs);
    ExpectEntries(coef, Impedance({-1, -1}, R(1000)).Coef);
}

TEST(EquationRowsOffCanvas, EveryPortCountsAsPlusOne) {
    TDeviceBench bench;
    for (const std::string& name : DeviceClassNames()) {
        auto device = bench.Make(name);
        for (int p = 0; p < device->PortCount(); ++p) {
            EXPECT_EQ(device->PortCurrentSign(p), 1) << name << " port " << p;
        }
    }
}

} // namespace
} // namespace zaro::test
