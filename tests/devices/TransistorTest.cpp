// The NPN and PNP transistors: base junction and collector models, the two
// residuals with the ratio rule and the penalties, the rows for every wire
// direction, and the records with the earlier layout's conversion.

#include "CaseNames.h"
#include "DeviceBench.h"
#include "JunctionModel.h"
#include "RecordBytes.h"
#include "Transistors.h"
#include "ZaroStream.h"

#include <cmath>
#include <functional>
#include <map>

namespace zaro::test {
namespace {

constexpr double K = JunctionK;
// 1 / (Is K exp(K 0.6)): the junction carrying 1 mA at 0.6 V.
constexpr double SlopeAt0V6 = 43.42944819033802;

// --- Models -------------------------------------------------------------------------

struct TCollectorCase {
    double U;
    double B;
    double Expected;
};

std::ostream& operator<<(std::ostream& os, const TCollectorCase& c) {
    return os << "u=" << c.U << " b=" << c.B;
}

class CollectorModel : public ::testing::TestWithParam<TCollectorCase> {};

TEST_P(CollectorModel, GainInTheActiveRegionOneMilliohmInSaturation) {
    const TCollectorCase& c = GetParam();
    EXPECT_NEAR(TransistorCollectorCurrent(300, c.U, c.B), c.Expected, 1E-13);
}

INSTANTIATE_TEST_SUITE_P(
    Points, CollectorModel,
    ::testing::Values(TCollectorCase{5, 1E-5, 5 / (5 / 0.003 + 0.001)},           // ~3 mA
                      TCollectorCase{0.01, 1E-5, 0.01 / (0.01 / 0.003 + 0.001)},  // ~3 mA
                      TCollectorCase{0.001, 1E-3, 0.001 / (0.001 / 0.3 + 0.001)}, // ~0.23 A
                      TCollectorCase{0.0, 1E-3, 0.0}),
    test::NamedBy<TCollectorCase>([](const TCollectorCase& c) { return c; }));

TEST(CollectorModelFaults, ZeroDivisorsAreMathErrors) {
    // beta b = 1 exactly, so u / (beta b) + 0.001 is exactly 0 at u = -0.001.
    EXPECT_THROW(TransistorCollectorCurrent(256, -0.001, 1.0 / 256), EZeroDivide);
    EXPECT_THROW(TransistorCollectorCurrent(300, 5, 0.0), EZeroDivide);
    EXPECT_THROW(TransistorCollectorCurrent(300, 0, 0.0), EInvalidOp);
    EXPECT_THROW(CollectorResidual(0.0, 0.003), EZeroDivide);
    EXPECT_THROW(CollectorResidual(0.0, 0.0), EInvalidOp);
}

TEST(BaseJunctionModel, LimitedBranchAddsTheVoltageItself) {
    EXPECT_NEAR(TransistorBaseCurrent(1E-9, K, 1E6, 0.6), 0.001 + 0.6E-6 - 1E-9, 1E-15);
    EXPECT_NEAR(TransistorBaseCurrent(1E-9, K, 1E6, 2.0), 1000 - 1E-9 + 2.0, 1E-9);
    // The diodes divide by Rp in both branches.
    EXPECT_NEAR(JunctionCurrent(1E-9, K, 1E6, 2.0), 1000 - 1E-9 + 2E-6, 1E-9);
}

TEST(CollectorResidualRule, AmplifiedOnlyWhenTheModelCarriesMore) {
    EXPECT_NEAR(CollectorResidual(0.001, 0.003), (0.001 - 0.003) * 3, 1E-15);
    EXPECT_NEAR(CollectorResidual(0.003, 0.001), 0.002, 1E-15);
    EXPECT_NEAR(CollectorResidual(-0.001, 0.003), (-0.001 - 0.003) * 3, 1E-15);
}

// --- Panels and parameters -------------------------------------------------------------

TEST(TransistorPanel, GeometryAndCaptions) {
    TDeviceBench bench;
    const std::map<std::string, std::pair<int, std::vector<std::string>>> expected{
        {"TTrNPN", {19, {"C", "E", "B"}}}, {"TTrPNP", {20, {"E", "C", "B"}}}};
    for (const auto& [name, look] : expected) {
        SCOPED_TRACE(name);
        auto device = bench.Make(name);
        EXPECT_EQ(device->ImageIndex(), look.first);
        EXPECT_EQ(device->BoundsRect(), TRect::FromBounds(0, 0, 48, 48));
        EXPECT_TRUE(device->ImageHorzCenter());
        EXPECT_TRUE(device->ImageVertCenter());
        EXPECT_EQ(device->ValueEdit(), nullptr);
        ASSERT_EQ(device->PortCount(), 3);
        const TRect rects[] = {{0, 16, 8, 32}, {40, 16, 48, 32}, {16, 40, 32, 48}};
        const TPortDirection directions[] = {TPortDirection::pdLeft, TPortDirection::pdRight,
                                             TPortDirection::pdDown};
        for (int p = 0; p < 3; ++p) {
            EXPECT_EQ(device->PortRect(p), rects[p]) << p;
            EXPECT_EQ(device->PortDirection(p), directions[p]) << p;
            EXPECT_EQ(device->PortCaption(p), look.second[p]) << p;
        }
        EXPECT_TRUE(device->IsNonLinear());
        EXPECT_EQ(device->NonLinearParamCount(), 2);
        EXPECT_EQ(device->Residuals().size(), 2U);
    }
}

TEST(TransistorParameters, PreparationResetsTheParametersOnly) {
    TDeviceBench bench;
    TTrNPN npn(bench.Evaluator);
    TTrPNP pnp(bench.Evaluator);
    EXPECT_EQ(npn.EquivRBE, 60);
    EXPECT_EQ(pnp.EquivRCE, 1000);
    npn.Vop = pnp.Vop = 0.55;
    npn.EquivRCE = pnp.EquivRCE = 1;
    npn.UpdateDeviceValue();
    pnp.UpdateDeviceValue();
    EXPECT_EQ(npn.EquivRBE, 6);
    EXPECT_EQ(npn.EquivRCE, 100000);
    EXPECT_EQ(pnp.EquivRBE, 6);
    EXPECT_EQ(pnp.EquivRCE, 1000);
    EXPECT_EQ(npn.Vop, 0.55);
    EXPECT_EQ(pnp.Vop, 0.55);
}

TEST(TransistorParameters, RegistryReachesTheDevicesOwnStorage) {
    TDeviceBench bench;
    TTrNPN npn(bench.Evaluator);
    EXPECT_EQ(npn.NonLinearParam(1), &npn.EquivRCE);
    for (int index : {0, 2, -1}) {
        EXPECT_EQ(npn.NonLinearParam(index), &npn.EquivRBE) << index;
    }
    EXPECT_EQ(npn.NonLinearResidual(0), &npn.Residuals()[0]);
    EXPECT_EQ(npn.NonLinearResidual(1), &npn.Residuals()[1]);
    EXPECT_THROW(npn.NonLinearResidual(2), ERangeError);
    EXPECT_THROW(npn.NonLinearResidual(-1), ERangeError);
}

// --- Rows ---------------------------------------------------------------------------------

using TSigns = std::vector<int>;
using TEntries = std::map<int, double>; // non-zero coefficients; the rest is 0

struct TRowsCase {
    std::string ClassName;
    std::function<TEntries(const TSigns&)> DC; // right after preparation
    std::function<TEntries(const TSigns&)> AC; // at Vop = 0.6
};

std::ostream& operator<<(std::ostream& os, const TRowsCase& c) {
    return os << c.ClassName;
}

// Row 0 of both: s0 I0 + s1 I1 + s2 I2 = 0.
TEntries CurrentSum(const TSigns& s, TEntries more) {
    more[1] = s[0];
    more[3] = s[1];
    more[5] = s[2];
    return more;
}

const TRowsCase RowsCases[] = {
    {"TTrNPN",
     // V_B - V_E - 6 s2 I2 = 0; V_C - 100k s0 I0 - V_E = 0.
     [](const TSigns& s) {
         return CurrentSum(
             s, {{8, -1}, {10, 1}, {11, -6.0 * s[2]}, {12, 1}, {13, -100000.0 * s[0]}, {14, -1}});
     },
     // V_B - V_E - r s2 I2 = 0; s0 I0 - 300 s2 I2 = 0.
     [](const TSigns& s) {
         return CurrentSum(
             s,
             {{8, -1}, {10, 1}, {11, -SlopeAt0V6 * s[2]}, {13, 1.0 * s[0]}, {17, -300.0 * s[2]}});
     }},
    {"TTrPNP",
     // V_E - V_B + 6 s2 I2 = 0; V_E - V_C + 1k s1 I1 = 0.
     [](const TSigns& s) {
         return CurrentSum(
             s, {{6, 1}, {10, -1}, {11, 6.0 * s[2]}, {12, 1}, {14, -1}, {15, 1000.0 * s[1]}});
     },
     // V_E - V_B + r s2 I2 = 0; out of the collector = 300 x out of the base.
     [](const TSigns& s) {
         return CurrentSum(
             s, {{6, 1}, {10, -1}, {11, SlopeAt0V6 * s[2]}, {15, 1.0 * s[1]}, {17, -300.0 * s[2]}});
     }},
};

template <typename TArray> double RealPart(const TArray& a, int i) {
    if constexpr (std::is_same_v<std::decay_t<decltype(a[0])>, double>) {
        return a[i];
    } else {
        EXPECT_EQ(a[i].im, 0.0) << i;
        return a[i].re;
    }
}

template <typename TCoef, typename TRhs>
void ExpectBlock(const TCoef& coef, const TRhs& rhs, const TEntries& expected) {
    for (int i = 0; i < TCoef::Count; ++i) {
        const auto it = expected.find(i);
        const double want = it == expected.end() ? 0.0 : it->second;
        EXPECT_NEAR(RealPart(coef, i), want, 1E-12 * std::max(1.0, std::fabs(want))) << i;
    }
    for (int r = 0; r < TRhs::Count; ++r) {
        EXPECT_EQ(RealPart(rhs, r), 0.0);
    }
}

class TransistorRows : public ::testing::TestWithParam<TRowsCase> {};

TEST_P(TransistorRows, DCAndACBlocksForEveryWireDirection) {
    const TRowsCase& c = GetParam();
    for (const TSigns& signs : SignPatterns(3)) {
        SCOPED_TRACE(::testing::PrintToString(signs));
        TDeviceBench bench;
        TZaroSimDevice& device = bench.Prepared(c.ClassName, signs);
        const TDCBlockOf dc(device);
        ExpectBlock(dc.Coef, dc.Rhs, c.DC(signs));
        const TACBlockOf ac(device);
        ExpectBlock(ac.Coef, ac.Rhs, c.AC(signs));
    }
}

INSTANTIATE_TEST_SUITE_P(Classes, TransistorRows, ::testing::ValuesIn(RowsCases),
                         [](const auto& info) { return info.param.ClassName; });

TEST(TransistorRowsAC, ExtremeOperatingPointIsAMathError) {
    TDeviceBench bench;
    TTrNPN npn(bench.Evaluator);
    npn.Vop = 40;
    TACCoefArray coef;
    TACRhsArray rhs;
    EXPECT_THROW(npn.BuildACDeviceEquation(coef, rhs), EOverflow);
}

// --- Residuals -------------------------------------------------------------------------------

// An operating point in the transistor's own terms: junction voltage, base
// current, collector-model voltage and the current compared with the model.
struct TResidualCase {
    const char* Name;
    double Vj, Ib, U, Ic;
    double Expected0, Expected1;
};

std::ostream& operator<<(std::ostream& os, const TResidualCase& c) {
    return os << c.Name;
}

// Port potentials and wire currents that give the case for the NPN (C, E, B)
// with the emitter at 1 V, and for the PNP (E, C, B) with the emitter at 6 V.
void NPNPoint(const TResidualCase& c, const TSigns& s, TPortRealArray& v, TPortRealArray& i) {
    v[1] = 1.0;
    v[2] = 1.0 + c.Vj;
    v[0] = 1.0 + c.U;
    i[2] = c.Ib * s[2];
    i[0] = c.Ic * s[0];
    i[1] = -(c.Ib + c.Ic) * s[1];
}

void PNPPoint(const TResidualCase& c, const TSigns& s, TPortRealArray& v, TPortRealArray& i) {
    v[0] = 6.0;
    v[2] = 6.0 - c.Vj;
    v[1] = 6.0 - c.U;
    i[2] = -c.Ib * s[2]; // the base current flows out
    i[0] = c.Ic * s[0];  // the emitter current flows in
    i[1] = -(c.Ic - c.Ib) * s[1];
}

class TransistorResidual : public ::testing::TestWithParam<TResidualCase> {
protected:
    void Check(const std::string& className, void (*point)(const TResidualCase&, const TSigns&,
                                                           TPortRealArray&, TPortRealArray&)) {
        const TResidualCase& c = GetParam();
        for (const TSigns& signs : SignPatterns(3)) {
            SCOPED_TRACE(::testing::PrintToString(signs));
            TDeviceBench bench;
            auto& t = static_cast<TBipolarTransistor&>(bench.Place(bench.Make(className), signs));
            t.UpdateDeviceValue();
            TPortRealArray v;
            TPortRealArray i;
            point(c, signs, v, i);
            const double norm = t.CalcNonLinearResidual(v, i);
            EXPECT_NEAR(t.Residuals()[0], c.Expected0, 1E-13);
            EXPECT_NEAR(t.Residuals()[1], c.Expected1, 1E-13);
            EXPECT_NEAR(norm, std::hypot(c.Expected0, c.Expected1), 1E-13);
            EXPECT_NEAR(t.Vop, c.Vj, 1E-14);
        }
    }
};

TEST_P(TransistorResidual, NPN) {
    Check("TTrNPN", NPNPoint);
}

TEST_P(TransistorResidual, PNP) {
    Check("TTrPNP", PNPPoint);
}

INSTANTIATE_TEST_SUITE_P(
    Points, TransistorResidual,
    ::testing::Values(
        // 1 mA into the base at 0.6 V: only leakage and -Is remain of the base residual.
        TResidualCase{"BaseAt0V6", 0.6, 0.001, 5.0, 0.3, -(0.6E-6 - 1E-9),
                      0.3 - 5 / (5 / 0.3 + 0.001)},
        // The model carries 3 mA where the solve has 1 mA: the residual is tripled.
        TResidualCase{"ModelAboveSolve", 0.4, 1E-5, 5.0, 0.001, 1E-5 - 1.0398999999998186E-05,
                      -0.005999991000008639},
        // 3 mA solved, about 1 mA modelled: the ratio is below 1, no amplification.
        TResidualCase{"ModelBelowSolve", 0.4, 1E-3 / 300, 5.0, 0.003,
                      1E-3 / 300 - 1.0398999999998186E-05, 0.00200000019999996}),
    [](const auto& info) { return std::string(info.param.Name); });

// A base or collector that carries no current at all (left open) cannot be
// moved by the iteration; the residual reports it as a math error.
TEST(TransistorResidualFaults, OpenBaseOrCollectorIsAMathError) {
    TDeviceBench bench;
    for (const char* name : {"TTrNPN", "TTrPNP"}) {
        SCOPED_TRACE(name);
        auto device = bench.Make(name);
        const bool npn = std::string(name) == "TTrNPN";
        TPortRealArray v;
        TPortRealArray i;
        const TResidualCase openBase{"", 0.0, 0.0, 5.0, 0.002, 0, 0};
        (npn ? NPNPoint : PNPPoint)(openBase, {1, 1, 1}, v, i);
        EXPECT_THROW(device->CalcNonLinearResidual(v, i), EZeroDivide);
        const TResidualCase openCollector{"", 0.6, 0.001, 0.0, 0.0, 0, 0};
        (npn ? NPNPoint : PNPPoint)(openCollector, {1, 1, 1}, v, i);
        EXPECT_THROW(device->CalcNonLinearResidual(v, i), EInvalidOp); // 0 / 0
    }
}

TEST(TransistorResidualPenalty, NegativeParametersDoubleAndQuadruple) {
    TDeviceBench bench;
    for (const char* name : {"TTrNPN", "TTrPNP"}) {
        SCOPED_TRACE(name);
        auto device = bench.Make(name);
        auto& t = static_cast<TBipolarTransistor&>(*device);
        TPortRealArray v;
        TPortRealArray i;
        const TResidualCase c{"", 0.4, 1E-5, 5.0, 0.001, 0, 0};
        (std::string(name) == "TTrNPN" ? NPNPoint : PNPPoint)(c, {1, 1, 1}, v, i);
        t.CalcNonLinearResidual(v, i);
        const double r0 = t.Residuals()[0];
        const double r1 = t.Residuals()[1];
        t.EquivRBE = -1;
        t.EquivRCE = -3;
        const double norm = t.CalcNonLinearResidual(v, i);
        EXPECT_DOUBLE_EQ(t.Residuals()[0], 2 * r0);
        EXPECT_DOUBLE_EQ(t.Residuals()[1], 4 * r1);
        EXPECT_DOUBLE_EQ(norm, std::hypot(2 * r0, 4 * r1));
    }
}

// --- Records ----------------------------------------------------------------------------------

TEST(TransistorRecord, ClassNameThenThePanelRecord) {
    TDeviceBench bench;
    TTrPNP pnp(bench.Evaluator);
    TMemoryStream head;
    WriteStringToStr(head, "TTrPNP");
    WriteStringToStr(head, "TDragPanel4P");
    const auto bytes = Record(pnp);
    ASSERT_GE(bytes.size(), head.Bytes().size());
    EXPECT_TRUE(std::equal(head.Bytes().begin(), head.Bytes().end(), bytes.begin()));
}

TEST(TransistorRecord, NPNRecordIsNotAPNP) {
    TDeviceBench bench;
    ExpectRecordOfRefusedBy(bench.Evaluator, "TTrNPN", "TTrPNP");
}

TEST(TransistorRecord, EarlierLayoutsOf64And128AreConverted) {
    TDeviceBench bench;
    for (const char* name : {"TTrNPN", "TTrPNP"}) {
        for (int width : {64, 128, 96}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(width));
            auto old = bench.Make(name);
            old->SetBounds(100, 50, width, 64);
            for (int p = 0; p < 3; ++p) {
                old->SetPortRect(p, {1, 2, 3, 4});
            }
            TMemoryStream stream(Record(*old));
            auto device = bench.Make(name);
            device->LoadFromStream(stream);
            if (width == 96) {
                EXPECT_EQ(device->BoundsRect(), TRect::FromBounds(100, 50, 96, 64));
                EXPECT_EQ(device->PortRect(2), TRect(1, 2, 3, 4));
                continue;
            }
            EXPECT_EQ(device->BoundsRect(), TRect::FromBounds(108, 58, 48, 48));
            EXPECT_EQ(device->PortRect(0), TRect(0, 16, 8, 32));
            EXPECT_EQ(device->PortRect(1), TRect(40, 16, 48, 32));
            EXPECT_EQ(device->PortRect(2), TRect(16, 40, 32, 48));
        }
    }
}

} // namespace
} // namespace zaro::test
