#pragma once
// Which circuits the sparse path takes: those for which it pays from their
// first analysis in a process on. The others it leaves to the dense
// elimination whole, where they run the reference setting's code.

namespace zaro {

// Whether the sparse path pays from a circuit's first DC analysis on, for a
// circuit of params non-linear parameters and order unknowns. Where it does
// not, its DC systems go straight to the dense elimination (SetDirectOrder),
// its search takes the reference's own differences and its refinement the
// dense step solver. Always while a TSparseThroughoutScope lives.
bool SparsePathPays(int params, int order);

// Up to this order a circuit whose elements span beyond a double's
// precision sends the rest of its systems to the dense elimination as well.
inline constexpr int SpanningDenseOrder = 32;

// While it lives the sparse path solves every system itself, however small
// (tests of its own path); with false, as it does by default.
class TSparseThroughoutScope {
public:
    explicit TSparseThroughoutScope(bool throughout = true);
    ~TSparseThroughoutScope();
    TSparseThroughoutScope(const TSparseThroughoutScope&) = delete;
    TSparseThroughoutScope& operator=(const TSparseThroughoutScope&) = delete;

private:
    bool Saved;
};

// Whether a TSparseThroughoutScope with true lives.
bool SparseThroughout();

} // namespace zaro
