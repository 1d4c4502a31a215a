#pragma once
// The shared circuit bench as a test fixture.

#include "CircuitBench.h"
#include "ZaroMathTestEnvironment.h"

#include <gtest/gtest.h>

namespace zaro::test {

class TAnalysisFixture : public ::testing::Test, public TCircuitBench {};

} // namespace zaro::test
