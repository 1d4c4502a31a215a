#pragma once
// Reads one named section of an ELF file (32 or 64 bit, little-endian), the
// format of the program files on Linux.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zaro {

// The bytes of the section, or nothing when the file cannot be read, is not
// such an ELF file, has no section of that name with contents in the file,
// or the section is larger than `maxSize`.
std::optional<std::vector<std::uint8_t>>
ReadElfSection(const std::string& fileName, std::string_view sectionName, std::size_t maxSize);

} // namespace zaro
