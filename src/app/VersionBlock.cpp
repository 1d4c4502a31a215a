#include "VersionBlock.h"

#include "AsciiText.h"

namespace zaro {

namespace {

constexpr std::size_t HeadSize = 12;

struct TNode {
    std::string_view Key;
    std::span<const std::uint8_t> Value;
    std::span<const std::uint8_t> Children;
};

std::uint32_t U32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} | (std::uint32_t{bytes[at + 1]} << 8) |
           (std::uint32_t{bytes[at + 2]} << 16) | (std::uint32_t{bytes[at + 3]} << 24);
}

std::uint32_t U16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} | (std::uint32_t{bytes[at + 1]} << 8);
}

// The node at the start of `bytes` and its whole length; nothing when its
// head does not fit the bytes.
std::optional<TNode> NodeAt(std::span<const std::uint8_t> bytes, std::size_t& length) {
    if (bytes.size() < HeadSize) {
        return std::nullopt;
    }
    length = U32(bytes, 0);
    const std::size_t valueLength = U32(bytes, 4);
    const std::size_t keyLength = U16(bytes, 10);
    if (length > bytes.size() || length < HeadSize || keyLength > length - HeadSize ||
        valueLength > length - HeadSize - keyLength) {
        return std::nullopt;
    }
    TNode node;
    node.Key = std::string_view(reinterpret_cast<const char*>(bytes.data()) + HeadSize, keyLength);
    node.Value = bytes.subspan(HeadSize + keyLength, valueLength);
    const std::size_t childrenAt = HeadSize + keyLength + valueLength;
    node.Children = bytes.subspan(childrenAt, length - childrenAt);
    return node;
}

std::optional<TNode> Child(std::span<const std::uint8_t> children, std::string_view key) {
    while (!children.empty()) {
        std::size_t length = 0;
        const std::optional<TNode> node = NodeAt(children, length);
        if (!node) {
            return std::nullopt;
        }
        if (SameIgnoringAsciiCase(node->Key, key)) {
            return node;
        }
        children = children.subspan(length);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::span<const std::uint8_t>> QueryVersionValue(std::span<const std::uint8_t> block,
                                                               std::string_view path) {
    std::size_t length = 0;
    std::optional<TNode> node = NodeAt(block, length);
    if (!node || node->Key != VersionRootKey || path.empty() || path[0] != '\\') {
        return std::nullopt;
    }
    path.remove_prefix(1);
    while (!path.empty()) {
        const std::size_t end = path.find('\\');
        node = Child(node->Children, path.substr(0, end));
        if (!node) {
            return std::nullopt;
        }
        path = end == std::string_view::npos ? std::string_view() : path.substr(end + 1);
    }
    return node->Value;
}

} // namespace zaro
