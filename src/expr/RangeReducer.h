#pragma once
// Reduces one range of terms without parentheses to a single term: repeatedly the
// operator of highest priority (leftmost on ties) is applied; operators without
// operands become plain operands; operands left without an operator are joined into
// one term of value 0.
//
// A prefix operator written right after another operator (2*-3, 2^-1) is applied to
// its operand before the operator on its left.
//
// The range is worked on as a linked list and the search for the next operator resumes
// where the last one was applied, so long ranges cost time in proportion to their
// length times the number of priority levels.

#include "EvalContext.h"
#include "TrmList.h"

#include <cstddef>
#include <vector>

namespace zaro {

class TRangeReducer {
public:
    using TItems = TTrmList::TItems;

    TRangeReducer(TItems& terms, TEvalContext& context) : Terms(terms), Context(context) {}

    // Reduces Terms[lo..end) to one term at lo; may be called again for further ranges. On an error
    // Terms holds the terms as they were when it occurred.
    void Reduce(std::size_t lo);

private:
    static constexpr std::size_t None = static_cast<std::size_t>(-1);

    void Link(std::size_t lo);
    void Run();
    void Compact();
    std::size_t FindOperator(std::size_t from, int priority) const;
    int HighestPriority() const;
    void ApplyWithPrefixesFirst(std::size_t best);
    void ApplyOperator(std::size_t best);
    void JoinTerms();
    void Unlink(std::size_t node);
    TTerm& At(std::size_t node) const { return *Terms[Base + node]; }

    TItems& Terms;
    TEvalContext& Context;
    std::size_t Base = 0;
    std::vector<std::size_t> Next;
    std::vector<std::size_t> Prev;
    std::size_t Head = None;
    std::size_t Tail = None;
};

} // namespace zaro
