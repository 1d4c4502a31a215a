#pragma once
// The version information a program file carries: a tree of keyed nodes with
// a root, "VarFileInfo\Translation" (the language and code page pairs) and
// under "StringFileInfo" one node per translation, named by language and
// code page in hexadecimal ("041103A4"), holding the texts by key.
//
// A node is: length of the whole node with its children (u32), value length
// (u32), kind (u16: 0 bytes, 1 text), key length (u16), the key, the value,
// then the children. Numbers are little-endian, texts UTF-8 without
// terminator. The encoder is constexpr so that a build places the block in
// the program file (see cmake/ZaroVersionInfo.cmake).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zaro {

// Name of the program file's section that holds the block.
inline constexpr const char* VersionSectionName = "zaro_version";
inline constexpr std::string_view VersionRootKey = "VERSION_INFO";

inline constexpr std::array<std::string_view, 8> VersionKeys{
    "CompanyName",    "FileDescription",  "FileVersion", "InternalName",
    "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"};

// The texts of one translation, in the order of VersionKeys.
struct TVersionStrings {
    std::uint16_t Language = 0;
    std::uint16_t CodePage = 0;
    std::array<std::string_view, VersionKeys.size()> Values{};
};

namespace version_block {

constexpr void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

constexpr void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

constexpr void PatchU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
    }
}

// Writes a node's head, key and value; EndNode fixes its length once the
// children are written.
constexpr std::size_t BeginNode(std::vector<std::uint8_t>& out, std::string_view key,
                                std::span<const std::uint8_t> value, bool text) {
    const std::size_t start = out.size();
    PutU32(out, 0);
    PutU32(out, static_cast<std::uint32_t>(value.size()));
    PutU16(out, text ? 1 : 0);
    PutU16(out, static_cast<std::uint32_t>(key.size()));
    for (char c : key) {
        out.push_back(static_cast<std::uint8_t>(c));
    }
    out.insert(out.end(), value.begin(), value.end());
    return start;
}

constexpr void EndNode(std::vector<std::uint8_t>& out, std::size_t start) {
    PatchU32(out, start, static_cast<std::uint32_t>(out.size() - start));
}

constexpr char HexDigit(unsigned value) {
    return "0123456789ABCDEF"[value & 0xF];
}

// "041103A4" for language 0x0411 and code page 0x03A4.
constexpr std::array<char, 8> TranslationName(std::uint16_t language, std::uint16_t codePage) {
    const std::uint32_t both = (std::uint32_t{language} << 16) | codePage;
    std::array<char, 8> name{};
    for (std::size_t i = 0; i < 8; ++i) {
        name[i] = HexDigit(both >> (28 - 4 * i));
    }
    return name;
}

constexpr std::vector<std::uint8_t> TextBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    for (char c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c));
    }
    return bytes;
}

} // namespace version_block

constexpr std::vector<std::uint8_t> EncodeVersionBlock(std::span<const TVersionStrings> strings) {
    using namespace version_block;
    std::vector<std::uint8_t> out;
    const std::size_t root = BeginNode(out, VersionRootKey, {}, false);

    const std::size_t stringInfo = BeginNode(out, "StringFileInfo", {}, true);
    for (const TVersionStrings& s : strings) {
        const auto name = TranslationName(s.Language, s.CodePage);
        const std::size_t table =
            BeginNode(out, std::string_view(name.data(), name.size()), {}, true);
        for (std::size_t k = 0; k < VersionKeys.size(); ++k) {
            EndNode(out, BeginNode(out, VersionKeys[k], TextBytes(s.Values[k]), true));
        }
        EndNode(out, table);
    }
    EndNode(out, stringInfo);

    std::vector<std::uint8_t> translations;
    for (const TVersionStrings& s : strings) {
        PutU16(translations, s.Language);
        PutU16(translations, s.CodePage);
    }
    const std::size_t varInfo = BeginNode(out, "VarFileInfo", {}, false);
    EndNode(out, BeginNode(out, "Translation", translations, false));
    EndNode(out, varInfo);

    EndNode(out, root);
    return out;
}

// The block of `strings` as an array, for a program file's section.
template <std::size_t Size, std::size_t N>
constexpr std::array<std::uint8_t, Size>
VersionBlockArray(const std::array<TVersionStrings, N>& strings) {
    const std::vector<std::uint8_t> bytes = EncodeVersionBlock(strings);
    std::array<std::uint8_t, Size> block{};
    for (std::size_t i = 0; i < Size && i < bytes.size(); ++i) {
        block[i] = bytes[i];
    }
    return block;
}

// The value at a path of keys separated by "\" ("\" alone is the root,
// "\VarFileInfo\Translation", "\StringFileInfo\041103A4\FileVersion"); keys
// compare without regard to ASCII case. Nothing when the path is not there
// or the block is damaged on the way to it.
std::optional<std::span<const std::uint8_t>> QueryVersionValue(std::span<const std::uint8_t> block,
                                                               std::string_view path);

} // namespace zaro
