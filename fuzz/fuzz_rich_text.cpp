// The RTF reader over arbitrary bytes, as a label's rich-text block brings
// them from a file or the clipboard. Reading never fails; what it reads is
// valid UTF-8 without paragraph breaks inside runs, and the writer's RTF of it
// reads back to the same text and writes again to the same bytes.

#include "Cp932.h"
#include "FuzzCheck.h"
#include "RtfReader.h"
#include "RtfWriter.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zaro::fuzz {
namespace {

void CheckText(const TRichText& text) {
    for (const TRichTextParagraph& paragraph : text.Paragraphs) {
        Expect(IsValidUtf8(paragraph.MarkFormat.FaceName), "face name is not UTF-8");
        for (const TRichTextRun& run : paragraph.Runs) {
            Expect(!run.Text.empty(), "empty run");
            Expect(IsValidUtf8(run.Text), "run text is not UTF-8");
            Expect(IsValidUtf8(run.Format.FaceName), "face name is not UTF-8");
            Expect(run.Text.find('\0') == std::string::npos, "run text holds a NUL");
        }
        for (std::size_t i = 1; i < paragraph.Runs.size(); ++i) {
            Expect(paragraph.Runs[i].Format != paragraph.Runs[i - 1].Format,
                   "neighbouring runs of one format");
        }
    }
}

} // namespace
} // namespace zaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zaro;
    using namespace zaro::fuzz;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const TRichText text = ReadRtf(input);
    CheckText(text);
    const std::string rtf = WriteRtf(text);
    const TRichText back = ReadRtf(rtf);
    Expect(back == text, "written RTF reads back to other text");
    Expect(WriteRtf(back) == rtf, "second writing gives other bytes");
    return 0;
}
