#pragma once
// Physical constants and truth values known to every expression (upper-case names).
// _RND is not in this table: it draws a fresh value each time it is named.

#include <optional>
#include <string_view>

namespace zaro {

std::optional<double> PredefinedValue(std::string_view name);

} // namespace zaro
