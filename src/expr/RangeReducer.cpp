#include "RangeReducer.h"

#include "Operations.h"

#include <algorithm>

namespace zaro {

namespace {

bool IsLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

} // namespace

void TRangeReducer::Reduce(std::size_t lo) {
    if (Terms.size() <= lo + 1) {
        return;
    }
    Link(lo);
    try {
        Run();
    } catch (...) {
        Compact();
        throw;
    }
    Compact();
}

void TRangeReducer::Link(std::size_t lo) {
    Base = lo;
    std::size_t count = Terms.size() - lo;
    Next.resize(count);
    Prev.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        Next[k] = k + 1 < count ? k + 1 : None;
        Prev[k] = k > 0 ? k - 1 : None;
    }
    Head = 0;
    Tail = count - 1;
}

// Removed terms are null in Terms; the live ones close ranks in order.
void TRangeReducer::Compact() {
    Terms.erase(
        std::remove(Terms.begin() + static_cast<std::ptrdiff_t>(Base), Terms.end(), nullptr),
        Terms.end());
}

// Priorities only ever fall to 0, so the leftmost operator of the highest level is never
// left of where the previous one of that level was found.
void TRangeReducer::Run() {
    while (Head != Tail) {
        int priority = HighestPriority();
        if (priority == 0) {
            JoinTerms();
            return;
        }
        std::size_t from = Head;
        std::size_t best;
        while (Head != Tail && (best = FindOperator(from, priority)) != None) {
            std::size_t before = Prev[best];
            ApplyWithPrefixesFirst(best);
            from = before != None ? before : Head;
        }
    }
}

// Operators that follow the chosen one are prefix operators of its right operand: the
// last of them (right before the operand) goes first, then the one before it, and so on
// back to the chosen one. 2*-3 negates 3, then multiplies.
void TRangeReducer::ApplyWithPrefixesFirst(std::size_t best) {
    std::size_t target = best;
    while (target != Tail && At(Next[target]).Priority != 0) {
        target = Next[target];
    }
    while (target != best && Head != Tail) {
        std::size_t before = Prev[target];
        ApplyOperator(target);
        target = before;
    }
    if (Head != Tail) {
        ApplyOperator(best);
    }
}

std::size_t TRangeReducer::FindOperator(std::size_t from, int priority) const {
    for (std::size_t k = from; k != None; k = Next[k]) {
        if (At(k).Priority == priority) {
            return k;
        }
    }
    return None;
}

int TRangeReducer::HighestPriority() const {
    int priority = 0;
    for (std::size_t k = Head; k != None; k = Next[k]) {
        priority = std::max(priority, At(k).Priority);
    }
    return priority;
}

void TRangeReducer::ApplyOperator(std::size_t best) {
    TTerm& op = At(best);
    if (best == Tail) {
        op.Priority = 0; // nothing to apply it to: it stays as a plain operand
        return;
    }
    bool function = IsLetter(op.Text[0]);
    if (best == Head || function || At(Prev[best]).Priority != 0) {
        TTerm& operand = At(Next[best]);
        double value = ApplyPrefix(op.Text, operand, Context);
        if (function) {
            operand.ClearArgs(); // a function consumes its argument list
        }
        operand.Priority = 0;
        operand.Value = value;
        Unlink(best);
        return;
    }
    TTerm& left = At(Prev[best]);
    std::size_t right = Next[best];
    double value = ApplyInfix(op.Text, left, At(right).Value, Context);
    left.Priority = 0;
    left.Value = value;
    Unlink(right);
    Unlink(best);
}

void TRangeReducer::JoinTerms() {
    TTerm& first = At(Head);
    while (Next[Head] != None) {
        first.Text += At(Next[Head]).Text;
        Unlink(Next[Head]);
    }
    first.Value = 0;
    first.Priority = 0;
}

void TRangeReducer::Unlink(std::size_t node) {
    std::size_t before = Prev[node];
    std::size_t after = Next[node];
    (before != None ? Next[before] : Head) = after;
    (after != None ? Prev[after] : Tail) = before;
    Terms[Base + node].reset();
}

} // namespace zaro
