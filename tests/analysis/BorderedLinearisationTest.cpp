// The bordered Newton step against the Jacobian taken column by column: the
// same operating point within the stopping rule, and the same messages on
// every circuit, whichever path the parameter count selects.

#include "BorderedLinearisation.h"
#include "SearchOutcome.h"
#include "TextbookCircuits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zaro::test {
namespace {

TOutcome Analyse(const TNetlist& circuit, int threshold, TSolverKind solver = TSolverKind::Sparse) {
    const TBorderedThresholdScope scope(threshold);
    return AnalyseDC(Drawing(circuit), solver);
}

// The largest difference relative to the largest value of its kind
// (potentials and currents apart).
double Difference(const TOutcome& a, const TOutcome& b) {
    double worst = 0.0;
    for (std::size_t kind = 0; kind < 2; ++kind) {
        double largest = 1e-300;
        for (std::size_t k = kind; k < a.Values.size(); k += 2) {
            largest = std::max(largest, std::fabs(a.Values[k]));
        }
        for (std::size_t k = kind; k < a.Values.size(); k += 2) {
            worst = std::max(worst, std::fabs(a.Values[k] - b.Values[k]) / largest);
        }
    }
    return worst;
}

constexpr int Always = 0;
// Both searches stop once every residual is below 1e-6 A. Through the
// megohm resistors of these circuits such a residual current moves a
// potential by up to a volt, a few hundredths of the supply, and the currents
// by as much of the largest; the paths end closer than that (worst seen 4e-3).
constexpr double StoppingRuleTolerance = 2e-2;

TEST(BorderedLinearisation, ReachesTheOperatingPointOfTheColumnJacobianOnACascade) {
    const TNetlist cascade = NPNCascade(30);
    const TOutcome columns = Analyse(cascade, BorderedParamThreshold);
    const TOutcome bordered = Analyse(cascade, Always);
    ASSERT_TRUE(columns.Valid);
    ASSERT_TRUE(bordered.Valid);
    ASSERT_EQ(bordered.Values.size(), columns.Values.size());
    EXPECT_LE(Difference(columns, bordered), StoppingRuleTolerance);
    // No Jacobian evaluations of the whole circuit on the bordered path.
    EXPECT_LT(bordered.Evaluations, columns.Evaluations);
}

// The bordered path either hands the search to the reference path and ends
// as that does, or ends at a root: within the stopping rule of the column
// path's where that finds one. Its iterates are not the reference ones, so
// where a Newton run is marginal it may find a root that the column path
// misses (message L or a failed search there): one reason it serves only
// above the threshold.
TEST(BorderedLinearisation, EveryTextbookCircuitEndsAtARootOrAsOnTheReferencePath) {
    // The bridge rectifiers are left out: their search ends in source stepping
    // on the reference path whichever path starts it, and takes long there.
    TTextbookGenerator generator(11);
    std::vector<TNetlist> circuits;
    for (int round = 0; round < 5; ++round) {
        for (const TFamily family : AllFamilies) {
            if (family != TFamily::Bridge) {
                circuits.push_back(generator.Next(family));
            }
        }
    }
    int roots = 0;
    for (const TNetlist& circuit : circuits) {
        SCOPED_TRACE(circuit.Title);
        const TOutcome bordered = Analyse(circuit, Always);
        if (bordered == Analyse(circuit, Always, TSolverKind::Reference)) {
            continue;
        }
        ASSERT_TRUE(bordered.Valid);
        EXPECT_TRUE(bordered.Messages.empty());
        ++roots;
        const TOutcome columns = Analyse(circuit, BorderedParamThreshold);
        if (columns.Valid) {
            EXPECT_LE(Difference(columns, bordered), StoppingRuleTolerance);
        }
    }
    EXPECT_GE(roots * 2, static_cast<int>(circuits.size())) << "roots found on the bordered path";
}

} // namespace
} // namespace zaro::test
