#pragma once
// Bytes kept deflated. The edit history holds many records that differ from
// one another in a few numbers, which deflate shrinks to a small part.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zaro {

class TPackedBytes {
public:
    TPackedBytes() = default;
    explicit TPackedBytes(std::span<const std::uint8_t> bytes);

    // The bytes as given. Raises EZaroError when the packed form is damaged.
    std::vector<std::uint8_t> Unpack() const;
    // Bytes as given, and as kept.
    std::size_t Size() const { return FSize; }
    std::size_t PackedSize() const { return FPacked.size(); }

private:
    std::vector<std::uint8_t> FPacked;
    std::size_t FSize = 0;
};

} // namespace zaro
