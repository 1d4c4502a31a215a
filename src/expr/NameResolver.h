#pragma once
// Gives the name operands of a term list their values: predefined names first, then
// the user's variables. An assignment target (a name right before ":=") keeps its name.

#include "EvalContext.h"
#include "TrmList.h"

namespace zaro {

struct TResolveOptions {
    bool Constants = true;
    bool Variables = true;
    // Unknown names are 0 when lenient; otherwise "<NAME> is not defined variable."
    bool Lenient = true;
};

void ResolveNames(TTrmList& trms, TResolveOptions options, TEvalContext& context);

} // namespace zaro
