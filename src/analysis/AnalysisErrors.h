#pragma once
// The errors an analysis command tells apart by their type: the user's Stop
// and a Newton search that gave up. Both keep their exact message texts.

#include "ZaroErrors.h"

namespace zaro {

// The error CheckUserBreak raises once Stop was pressed.
inline constexpr const char* MsgUserBreak = "User Break.";

class EUserBreak : public EZaroError {
public:
    EUserBreak() : EZaroError(MsgUserBreak) {}
};

// Z_Newt ran out of iterations, or its line search out of room; the message
// names the routine ("Z_Newt: MAXITS exceeded in Z_Newt.").
class ENewtonFailure : public EZaroError {
public:
    explicit ENewtonFailure(const std::string& message) : EZaroError(message) {}
};

} // namespace zaro
