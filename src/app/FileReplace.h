#pragma once
// Writing a file so that it is never left half written: the bytes go to a new
// file in the same folder, which replaces the old one only once it is complete.

#include <cstdint>
#include <string>
#include <vector>

namespace zaro {

// Makes the file hold exactly `bytes`. An existing file keeps its permissions;
// a symbolic link keeps pointing at the file it names. On failure the old file
// is untouched, the new one is removed and EFCreateError names the file.
void ReplaceFileContents(const std::string& fileName, const std::vector<std::uint8_t>& bytes);

} // namespace zaro
