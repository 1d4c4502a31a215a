#include "RichTextDocument.h"

#include "Stream.h"

namespace zaro {

void TRichTextDocument::SaveToStream(TStream& stream) const {
    stream.Write(FRtf.data(), FRtf.size());
}

void TRichTextDocument::LoadFromStream(TStream& stream) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Remaining()));
    stream.Read(bytes.data(), bytes.size());
    FRtf = std::move(bytes);
}

} // namespace zaro
