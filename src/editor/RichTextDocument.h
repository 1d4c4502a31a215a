#pragma once
// The document of a rich-text note as the core keeps it: the RTF bytes the
// editor saved. The view renders them and hands back what the user edited.

#include "RichText.h"

#include <cstdint>
#include <vector>

namespace zaro {

class TStream;

class TRichTextDocument {
public:
    const std::vector<std::uint8_t>& Rtf() const { return FRtf; }
    void SetRtf(std::vector<std::uint8_t> rtf) { FRtf = std::move(rtf); }
    bool IsEmpty() const { return FRtf.empty(); }
    void Clear() { FRtf.clear(); }

    // The formatted text the bytes hold (see ReadRtf); bytes that are not
    // RTF read as plain text in `plainFormat`.
    TRichText Content(const TRichTextFormat& plainFormat = {}) const;
    // The bytes become the RTF of `text`.
    void SetContent(const TRichText& text);

    // Writes the document's bytes at the stream's position.
    void SaveToStream(TStream& stream) const;
    // The document becomes the bytes from the position to the end.
    void LoadFromStream(TStream& stream);

private:
    std::vector<std::uint8_t> FRtf;
};

} // namespace zaro
