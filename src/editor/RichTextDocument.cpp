#include "RichTextDocument.h"

#include "RtfReader.h"
#include "RtfWriter.h"
#include "Stream.h"

namespace zaro {

TRichText TRichTextDocument::Content(const TRichTextFormat& plainFormat) const {
    return ReadRtf(std::string_view(reinterpret_cast<const char*>(FRtf.data()), FRtf.size()),
                   plainFormat);
}

void TRichTextDocument::SetContent(const TRichText& text) {
    const std::string rtf = WriteRtf(text);
    FRtf.assign(rtf.begin(), rtf.end());
}

void TRichTextDocument::SaveToStream(TStream& stream) const {
    stream.Write(FRtf.data(), FRtf.size());
}

void TRichTextDocument::LoadFromStream(TStream& stream) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Remaining()));
    stream.Read(bytes.data(), bytes.size());
    FRtf = std::move(bytes);
}

} // namespace zaro
