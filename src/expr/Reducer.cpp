#include "Reducer.h"

#include "RangeReducer.h"

namespace zaro {

namespace {

constexpr std::size_t None = static_cast<std::size_t>(-1);

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
    Ranges.Reduce(lo);
    if (Done[lo]->Text == "(") {
        Openings.push_back(lo);
    }
}

} // namespace zaro
