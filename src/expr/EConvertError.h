#pragma once
// A text that should be a number but is not one.

#include "ZaroErrors.h"

#include <string>

namespace zaro {

class EConvertError : public EZaroError {
public:
    explicit EConvertError(const std::string& message) : EZaroError(message) {}
};

} // namespace zaro
