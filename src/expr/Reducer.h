#pragma once
// Reduces a term list to its one final term. Inside the innermost parentheses the range
// is reduced by TRangeReducer before the next ")" is looked at, so a function's
// arguments are complete before it is applied. Unmatched parentheses are tolerated: a
// lone ")" closes from the start, a lone "(" opens to the end.

#include "EvalContext.h"
#include "RangeReducer.h"
#include "TrmList.h"

#include <cstddef>
#include <vector>

namespace zaro {

class TReducer {
public:
    TReducer(TTrmList& trms, TEvalContext& context) : Trms(trms), Ranges(Done, context) {}

    // Leaves at most one term in the list. On an error the list holds the terms as they
    // were when it occurred.
    void Reduce();

private:
    using TItems = TTrmList::TItems;

    // Terms move from Input into Done as the scan goes; a ")" reduces the tail of Done
    // back to its "(", so the work stays in proportion to each range and nothing recurses.
    void Run();
    void TakeNext();
    void CloseParenthesis();
    void ReduceTail();
    void Restore();

    std::size_t Remaining() const { return Input.size() - Next; }

    TTrmList& Trms;
    TItems Input;
    std::size_t Next = 0;
    TItems Done;
    TRangeReducer Ranges;              // works on Done and keeps its buffers between ranges
    std::vector<std::size_t> Openings; // positions in Done of terms whose text is "("
};

} // namespace zaro
