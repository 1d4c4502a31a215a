#include "VariableLines.h"

#include "AsciiText.h"

namespace zaro {

namespace {

// The line's value text when the line belongs to name.
std::optional<std::string_view> ValueOfLine(std::string_view line, std::string_view name) {
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || !SameIgnoringAsciiCase(line.substr(0, equals), name)) {
        return std::nullopt;
    }
    return line.substr(equals + 1);
}

} // namespace

std::optional<std::string_view> FindVariableValue(const std::vector<std::string>& lines,
                                                  std::string_view name) {
    for (const std::string& line : lines) {
        if (auto value = ValueOfLine(line, name)) {
            return value;
        }
    }
    return std::nullopt;
}

void SetVariableLine(std::vector<std::string>& lines, const std::string& name,
                     const std::string& value) {
    std::string line = name + "=" + value;
    for (std::string& existing : lines) {
        if (ValueOfLine(existing, name)) {
            existing = std::move(line);
            return;
        }
    }
    lines.push_back(std::move(line));
}

} // namespace zaro
