#pragma once
// The user's variables: lines NAME=VALUE. A line belongs to the name written before its
// first "="; names compare without regard to letter case and nothing is trimmed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zaro {

// The value text of the first line for name, or nothing when there is no such line.
std::optional<std::string_view> FindVariableValue(const std::vector<std::string>& lines,
                                                  std::string_view name);

// Replaces the first line for name by name=value, or appends that line.
void SetVariableLine(std::vector<std::string>& lines, const std::string& name,
                     const std::string& value);

} // namespace zaro
