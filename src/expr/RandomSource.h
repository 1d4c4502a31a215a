#pragma once
// The generator behind _RND; one per evaluator, so evaluators never share state.

#include <cstdint>
#include <random>

namespace zaro {

class TRandomSource {
public:
    // Seeded from the clock.
    TRandomSource();
    void Seed(std::uint64_t seed) { Engine.seed(seed); }
    // Uniform in [0, 1).
    double Next();

private:
    std::mt19937_64 Engine;
};

} // namespace zaro
