#pragma once
// The variables pane as one text: its lines joined by CR LF, none after the
// last line, so that splitting the text gives the same lines back.

#include <string>
#include <vector>

namespace zaro {

std::string JoinVariableLines(const std::vector<std::string>& lines);
// Every CR LF, lone CR or lone LF ends a line; an empty text has no lines,
// and a text that ends with a line break ends with an empty line.
std::vector<std::string> SplitVariablesText(const std::string& text);

} // namespace zaro
