#pragma once
// Turns an expression text into a flat term list: operands, operators and function
// names, with the implicit multiplications of 2 X, 2(A), (A)B and (A)(B).

#include "OpeList.h"
#include "TrmList.h"

#include <string_view>

namespace zaro {

// Clears trms and fills it from the text. Numeric operands are read with
// ZaroStrToFloat and raise its errors; names get the value 0.
void Tokenize(std::string_view expression, const TOpeList& opes, TTrmList& trms);

} // namespace zaro
