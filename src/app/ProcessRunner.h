#pragma once
// Runs another program and waits for it, with its input and output on
// /dev/null: the desktop's database tools, which the program may call.

#include <string>
#include <vector>

namespace zaro {

// argv[0] is looked up on PATH. Returns the program's exit status, or -1
// when it could not be started (not installed) or did not exit normally.
int RunProgram(const std::vector<std::string>& argv);

} // namespace zaro
