#pragma once
// Reduces a term list to its one final term, one operator at a time: inside the
// innermost parentheses, the operator of highest priority (leftmost on ties) is
// applied first. Unmatched parentheses are tolerated, operators without operands
// become plain operands, and operands left without an operator are joined into one
// term of value 0.
//
// A prefix operator written right after another operator (2*-3, 2^-1) is applied to
// its operand before the operator on its left.

#include "EvalContext.h"
#include "TrmList.h"

#include <cstddef>
#include <vector>

namespace zaro {

class TReducer {
public:
    TReducer(TTrmList& trms, TEvalContext& context) : Trms(trms), Context(context) {}

    // Leaves at most one term in the list. On an error the list holds the terms as they
    // were when it occurred.
    void Reduce();

private:
    using TItems = TTrmList::TItems;

    // Terms are moved from the input into Done as the scan goes; a ")" reduces the tail
    // of Done back to its "(" so that work stays proportional to each range.
    void Run();
    void TakeNext();
    void CloseParenthesis();
    void ReduceTail();
    void ReduceRange(std::size_t lo, std::size_t hi);
    std::size_t HighestPriority(std::size_t lo, std::size_t hi) const;
    std::size_t PrefixTarget(std::size_t best, std::size_t hi) const;
    void ApplyOperator(std::size_t best, std::size_t lo, std::size_t& hi);
    void JoinTerms(std::size_t lo, std::size_t& hi);
    void Restore();

    std::size_t Remaining() const { return Input.size() - Next; }

    TTrmList& Trms;
    TEvalContext& Context;
    TItems Input;
    std::size_t Next = 0;
    TItems Done;
    std::vector<std::size_t> Openings; // positions in Done of terms whose text is "("
};

} // namespace zaro
