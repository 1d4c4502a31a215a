#pragma once
// Which linear solver the analyses use: the dense elimination that every
// result is defined by, or the sparse factorisation that reproduces it fast.

#include <optional>
#include <string>

namespace zaro {

enum class TSolverKind {
    Reference, // dense elimination, ZaroMath arithmetic in AC
    Sparse,    // sparse LU; a system it cannot trust goes to the dense one
};

inline constexpr TSolverKind DefaultSolverKind = TSolverKind::Sparse;

// "reference" or "sparse".
std::string SolverKindName(TSolverKind kind);
// The kind of a name as SolverKindName writes it; nothing for any other text.
std::optional<TSolverKind> SolverKindFromName(const std::string& name);

} // namespace zaro
