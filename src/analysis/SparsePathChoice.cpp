#include "SparsePathChoice.h"

namespace zaro {

TSparseThroughoutScope::TSparseThroughoutScope(bool throughout)
    : Saved(sparse_path::Throughout.load()) {
    sparse_path::Throughout = throughout;
}

TSparseThroughoutScope::~TSparseThroughoutScope() {
    sparse_path::Throughout = Saved;
}

} // namespace zaro
