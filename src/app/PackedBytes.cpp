#include "PackedBytes.h"

#include "ZaroErrors.h"

#include <zlib.h>

namespace zaro {

TPackedBytes::TPackedBytes(std::span<const std::uint8_t> bytes) : FSize(bytes.size()) {
    if (bytes.empty()) {
        return;
    }
    uLongf packedSize = compressBound(static_cast<uLong>(bytes.size()));
    FPacked.resize(packedSize);
    // The fastest level: an edit waits for it, and the records pack well anyway.
    if (compress2(FPacked.data(), &packedSize, bytes.data(), static_cast<uLong>(bytes.size()),
                  Z_BEST_SPEED) != Z_OK) {
        throw EZaroError("TPackedBytes: the bytes could not be packed.");
    }
    FPacked.resize(packedSize);
    FPacked.shrink_to_fit();
}

std::vector<std::uint8_t> TPackedBytes::Unpack() const {
    std::vector<std::uint8_t> bytes(FSize);
    if (FSize == 0) {
        return bytes;
    }
    uLongf size = static_cast<uLongf>(FSize);
    if (uncompress(bytes.data(), &size, FPacked.data(), static_cast<uLong>(FPacked.size())) !=
            Z_OK ||
        size != FSize) {
        throw EZaroError("TPackedBytes: the packed bytes are damaged.");
    }
    return bytes;
}

} // namespace zaro
