#include "Reducer.h"

#include "Operations.h"

namespace zaro {

namespace {

constexpr std::size_t None = static_cast<std::size_t>(-1);

bool IsLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

} // namespace

void TReducer::Reduce() {
    Input = Trms.Release();
    Next = 0;
    Done.clear();
    Openings.clear();
    try {
        Run();
    } catch (...) {
        Restore();
        throw;
    }
    Restore();
}

void TReducer::Restore() {
    for (; Next < Input.size(); ++Next) {
        Done.push_back(std::move(Input[Next]));
    }
    Input.clear();
    Trms.Assign(std::move(Done));
    Done.clear();
}

void TReducer::Run() {
    while (Done.size() + Remaining() > 1) {
        if (Remaining() == 0) {
            ReduceTail();
        } else if (!Done.empty() && Input[Next]->Text == ")") {
            CloseParenthesis();
        } else {
            TakeNext();
        }
    }
}

void TReducer::TakeNext() {
    if (Input[Next]->Text == "(") {
        Openings.push_back(Done.size());
    }
    Done.push_back(std::move(Input[Next]));
    ++Next;
}

void TReducer::CloseParenthesis() {
    Input[Next].reset();
    ++Next;
    ReduceTail();
}

// The tail of Done from the last "(" before its last term (or from the start) is one
// range; the "(" itself is removed.
void TReducer::ReduceTail() {
    std::size_t hi = Done.size() - 1;
    std::size_t lo = 0;
    std::size_t found = None;
    for (std::size_t k = Openings.size(); k-- > 0;) {
        if (Openings[k] < hi) {
            found = k;
            break;
        }
    }
    if (found != None) {
        lo = Openings[found];
        Done.erase(Done.begin() + static_cast<std::ptrdiff_t>(lo));
        Openings.erase(Openings.begin() + static_cast<std::ptrdiff_t>(found));
        for (std::size_t k = found; k < Openings.size(); ++k) {
            --Openings[k];
        }
        --hi;
    }
    if (hi <= lo) {
        return;
    }
    while (!Openings.empty() && Openings.back() >= lo) {
        Openings.pop_back();
    }
    ReduceRange(lo, hi);
    if (Done[lo]->Text == "(") {
        Openings.push_back(lo);
    }
}

void TReducer::ReduceRange(std::size_t lo, std::size_t hi) {
    while (hi > lo) {
        std::size_t best = HighestPriority(lo, hi);
        if (best == None) {
            JoinTerms(lo, hi);
        } else {
            ApplyOperator(PrefixTarget(best, hi), lo, hi);
        }
    }
}

std::size_t TReducer::HighestPriority(std::size_t lo, std::size_t hi) const {
    std::size_t best = None;
    int priority = 0;
    for (std::size_t i = lo; i <= hi; ++i) {
        if (Done[i]->Priority > priority) {
            priority = Done[i]->Priority;
            best = i;
        }
    }
    return best;
}

// When the chosen operator is followed by further operators, the last of them (the one
// that stands right before an operand) goes first: 2*-3 negates 3, then multiplies.
std::size_t TReducer::PrefixTarget(std::size_t best, std::size_t hi) const {
    while (best < hi && Done[best + 1]->Priority != 0) {
        ++best;
    }
    return best;
}

void TReducer::ApplyOperator(std::size_t best, std::size_t lo, std::size_t& hi) {
    TTerm& op = *Done[best];
    bool prefix = best == lo || IsLetter(op.Text[0]) || Done[best - 1]->Priority != 0;
    if (best >= hi) {
        op.Priority = 0; // nothing to apply it to: it stays as a plain operand
        return;
    }
    if (prefix) {
        TTerm& operand = *Done[best + 1];
        double value = ApplyPrefix(op.Text, operand, Context);
        if (IsLetter(op.Text[0])) {
            operand.ClearArgs(); // a function consumes its argument list
        }
        operand.Priority = 0;
        operand.Value = value;
        Done.erase(Done.begin() + static_cast<std::ptrdiff_t>(best));
        hi -= 1;
        return;
    }
    TTerm& left = *Done[best - 1];
    double value = ApplyInfix(op.Text, left, Done[best + 1]->Value, Context);
    left.Priority = 0;
    left.Value = value;
    Done.erase(Done.begin() + static_cast<std::ptrdiff_t>(best),
               Done.begin() + static_cast<std::ptrdiff_t>(best + 2));
    hi -= 2;
}

void TReducer::JoinTerms(std::size_t lo, std::size_t& hi) {
    TTerm& first = *Done[lo];
    for (std::size_t i = lo + 1; i <= hi; ++i) {
        first.Text += Done[i]->Text;
    }
    first.Value = 0;
    first.Priority = 0;
    Done.erase(Done.begin() + static_cast<std::ptrdiff_t>(lo + 1),
               Done.begin() + static_cast<std::ptrdiff_t>(hi + 1));
    hi = lo;
}

} // namespace zaro
