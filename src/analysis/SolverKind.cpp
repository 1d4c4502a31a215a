#include "SolverKind.h"

namespace zaro {

std::string SolverKindName(TSolverKind kind) {
    return kind == TSolverKind::Reference ? "reference" : "sparse";
}

std::optional<TSolverKind> SolverKindFromName(const std::string& name) {
    for (const TSolverKind kind : {TSolverKind::Reference, TSolverKind::Sparse}) {
        if (name == SolverKindName(kind)) {
            return kind;
        }
    }
    return std::nullopt;
}

} // namespace zaro
