// An AC sweep solved on worker threads gives the points of one solved in
// turn bit for bit, whatever the number of workers, and Stop still ends it
// after the points on show.

#include "DocumentFixture.h"
#include "Sweep.h"
#include "ZaroMathTestEnvironment.h"

#include <bit>
#include <cstdint>

namespace zaro::test {
namespace {

struct TExampleSweep {
    explicit TExampleSweep(const std::string& example) {
        LoadModel(Doc, std::string(ZARO_SOURCE_DIR "/examples/") + example);
    }
    TSweepResult Run(int workers, TSolverKind solver, std::size_t stopAfter = 0) {
        TSweepRunner runner(Doc.Canvas(), Doc.Platform(), Doc.Progress(), *Doc.TP1().Variables(),
                            solver);
        runner.SolveWorkers = workers;
        runner.OnPoint = [this, stopAfter](const TSweepResult& soFar) {
            if (soFar.Values.size() == stopAfter) {
                Doc.Progress().Stop();
            }
        };
        return runner.RunAC(FrequencyRange(10, 100e3, 25));
    }

    TFakePlatform Platform;
    TFakeProgressView View;
    TCircuitDocument Doc{Platform, View};
};

// Every swept value and reading as its bits, point after point.
std::vector<std::uint64_t> Bits(const TSweepResult& result) {
    std::vector<std::uint64_t> bits;
    for (std::size_t k = 0; k < result.Values.size(); ++k) {
        bits.push_back(std::bit_cast<std::uint64_t>(result.Values[k]));
        for (const TComplex& z : result.Readings[k]) {
            bits.push_back(std::bit_cast<std::uint64_t>(z.re));
            bits.push_back(std::bit_cast<std::uint64_t>(z.im));
        }
    }
    return bits;
}

TEST(SweepWorkersTest, WorkersGiveTheSerialResultBitForBit) {
    struct TCase {
        const char* Example;
        TSolverKind Solver;
    };
    const std::vector<TCase> cases{
        {"npn-common-emitter.zsm", TSolverKind::Sparse},
        {"npn-common-emitter.zsm", TSolverKind::Reference},
        {"diode-lamp.zsm", TSolverKind::Sparse},
        {"rc-lowpass-1khz.zsm", TSolverKind::Sparse},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Example) + " " + SolverKindName(c.Solver));
        TExampleSweep sweep(c.Example);
        const TSweepResult serial = sweep.Run(0, c.Solver);
        ASSERT_EQ(serial.Outcome, TSweepOutcome::Completed);
        ASSERT_EQ(serial.Values.size(), 101U);
        ASSERT_FALSE(serial.Probes.empty());
        for (const int workers : {1, 2, 3}) {
            const TSweepResult parallel = sweep.Run(workers, c.Solver);
            EXPECT_EQ(parallel.Outcome, TSweepOutcome::Completed);
            EXPECT_EQ(Bits(parallel), Bits(serial)) << workers << " workers";
        }
    }
}

TEST(SweepWorkersTest, StopKeepsThePointsOnShowInOrder) {
    TExampleSweep sweep("npn-common-emitter.zsm");
    const TSweepResult serial = sweep.Run(0, DefaultSolverKind);
    const TSweepResult stopped = sweep.Run(2, DefaultSolverKind, 7);
    EXPECT_EQ(stopped.Outcome, TSweepOutcome::Stopped);
    ASSERT_EQ(stopped.Values.size(), 7U);
    TSweepResult prefix = serial;
    prefix.Values.resize(7);
    prefix.Readings.resize(7);
    EXPECT_EQ(Bits(stopped), Bits(prefix));
    EXPECT_FALSE(sweep.Doc.Progress().UserBreak());
}

} // namespace
} // namespace zaro::test
