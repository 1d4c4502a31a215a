#include "ElfSection.h"

#include <fstream>

namespace zaro {

namespace {

// Where the fields this reader needs lie in the two classes of ELF file.
struct TElfLayout {
    std::size_t HeaderSize;
    std::size_t SectionTableOffsetAt; // e_shoff
    std::size_t SectionEntrySizeAt;   // e_shentsize, then e_shnum and e_shstrndx
    std::size_t OffsetWidth;          // width of e_shoff, sh_offset and sh_size
    std::size_t SectionEntrySize;
    std::size_t SectionOffsetAt; // sh_offset within an entry
    std::size_t SectionSizeAt;   // sh_size
};

constexpr TElfLayout Elf32{52, 32, 46, 4, 40, 16, 20};
constexpr TElfLayout Elf64{64, 40, 58, 8, 64, 24, 32};

constexpr std::uint32_t SectionWithoutFileData = 8; // SHT_NOBITS
// Section name tables hold short names; this is far above any real one.
constexpr std::uint64_t MaxNameTableSize = 1 << 20;

class TElfFile {
public:
    explicit TElfFile(const std::string& fileName) : In(fileName, std::ios::binary) {
        In.seekg(0, std::ios::end);
        Size = In ? static_cast<std::uint64_t>(In.tellg()) : 0;
    }

    // `count` bytes at `offset`, or nothing when they are not all in the file.
    std::optional<std::vector<std::uint8_t>> Read(std::uint64_t offset, std::uint64_t count) {
        if (!In || offset > Size || count > Size - offset) {
            return std::nullopt;
        }
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
        In.seekg(static_cast<std::streamoff>(offset));
        In.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
        if (!In) {
            return std::nullopt;
        }
        return bytes;
    }

private:
    std::ifstream In;
    std::uint64_t Size = 0;
};

std::uint64_t Number(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = width; i > 0; --i) {
        value = (value << 8) | bytes[at + i - 1];
    }
    return value;
}

struct TSection {
    std::uint32_t Name;
    std::uint32_t Type;
    std::uint64_t Offset;
    std::uint64_t Size;
};

TSection SectionAt(const std::vector<std::uint8_t>& table, std::size_t index, const TElfLayout& l) {
    const std::size_t at = index * l.SectionEntrySize;
    return {static_cast<std::uint32_t>(Number(table, at, 4)),
            static_cast<std::uint32_t>(Number(table, at + 4, 4)),
            Number(table, at + l.SectionOffsetAt, l.OffsetWidth),
            Number(table, at + l.SectionSizeAt, l.OffsetWidth)};
}

std::string_view NameAt(const std::vector<std::uint8_t>& names, std::uint32_t at) {
    if (at >= names.size()) {
        return {};
    }
    const char* start = reinterpret_cast<const char*>(names.data()) + at;
    std::size_t length = 0;
    while (at + length < names.size() && start[length] != '\0') {
        ++length;
    }
    return std::string_view(start, length);
}

} // namespace

std::optional<std::vector<std::uint8_t>>
ReadElfSection(const std::string& fileName, std::string_view sectionName, std::size_t maxSize) {
    TElfFile file(fileName);
    const auto ident = file.Read(0, 16);
    if (!ident || (*ident)[0] != 0x7F || (*ident)[1] != 'E' || (*ident)[2] != 'L' ||
        (*ident)[3] != 'F' || (*ident)[5] != 1 /* little-endian */) {
        return std::nullopt;
    }
    const TElfLayout* layout = (*ident)[4] == 1 ? &Elf32 : (*ident)[4] == 2 ? &Elf64 : nullptr;
    const auto header = layout ? file.Read(0, layout->HeaderSize) : std::nullopt;
    if (!header) {
        return std::nullopt;
    }
    const TElfLayout& l = *layout;
    const std::uint64_t tableAt = Number(*header, l.SectionTableOffsetAt, l.OffsetWidth);
    const std::uint64_t entrySize = Number(*header, l.SectionEntrySizeAt, 2);
    const std::uint64_t count = Number(*header, l.SectionEntrySizeAt + 2, 2);
    const std::uint64_t namesIndex = Number(*header, l.SectionEntrySizeAt + 4, 2);
    if (entrySize != l.SectionEntrySize || namesIndex >= count) {
        return std::nullopt;
    }
    const auto table = file.Read(tableAt, count * entrySize);
    if (!table) {
        return std::nullopt;
    }
    const TSection namesSection = SectionAt(*table, namesIndex, l);
    const auto names = namesSection.Size <= MaxNameTableSize
                           ? file.Read(namesSection.Offset, namesSection.Size)
                           : std::nullopt;
    if (!names) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const TSection section = SectionAt(*table, i, l);
        if (NameAt(*names, section.Name) == sectionName) {
            if (section.Type == SectionWithoutFileData || section.Size > maxSize) {
                return std::nullopt;
            }
            return file.Read(section.Offset, section.Size);
        }
    }
    return std::nullopt;
}

} // namespace zaro
