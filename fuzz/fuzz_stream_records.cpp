// The stream primitives and the records built on them, over arbitrary bytes.
// The first byte chooses the reader, the rest is the stream (or the text):
//   0  Strings one after the other (code page 932 text), port direction names
//   1  component text of a panel
//   2  panel record (TDragPanel4P)
//   3  connector record
//   4  rich-text block
// A read ends in a value or one of the program's errors. A failed read leaves
// the stream position and the object as they were; what was read writes back
// to a record that reads again to the same object.

#include "ComponentText.h"
#include "Connector.h"
#include "DragPanels.h"
#include "FuzzCheck.h"
#include "RichTextDocument.h"
#include "Stream.h"
#include "ZaroStream.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zaro::fuzz {
namespace {

using TBytes = std::vector<std::uint8_t>;

// Every String read writes back to a String of the same text.
void ReadStrings(const TBytes& bytes) {
    TMemoryStream stream(bytes);
    while (true) {
        const std::int64_t start = stream.Position();
        std::string text;
        try {
            text = ReadStringFromStr(stream);
        } catch (const EReadError&) {
            Expect(stream.Position() == start, "short String moved the stream");
            return;
        } catch (const EZaroStreamError& e) {
            const std::int64_t at = stream.Position();
            Expect(at == start || at == start + 4, "refused String left the stream elsewhere");
            if (at == start) {
                return; // bytes that are not code page 932
            }
            continue; // a length outside 0..65535: read on behind the length word
        }
        // Code page 932 has two codes for some characters (the NEC and the IBM
        // rows of the extensions); the writer uses one, so compare the text.
        TMemoryStream written;
        WriteStringToStr(written, text);
        written.SetPosition(0);
        Expect(ReadStringFromStr(written) == text, "String does not write back to its text");
        PortDirectionToStr(StrToPortDirection(text));
    }
}

// A panel's component text, written again from what was applied, reads to the
// same text; a text that is refused changes nothing.
void ReadComponentText(const TBytes& bytes) {
    const std::string text(bytes.begin(), bytes.end());
    TDragPanel4P panel;
    const std::string before = ComponentToText(panel);
    if (!Survives([&] { TextToComponent(panel, text); })) {
        Expect(ComponentToText(panel) == before, "refused component text changed the panel");
        return;
    }
    const std::string written = ComponentToText(panel);
    TDragPanel4P again;
    Expect(Survives([&] { TextToComponent(again, written); }), "written component text is refused");
    Expect(ComponentToText(again) == written, "component text does not read back");
}

template <typename TObject> TBytes Saved(TObject& object) {
    TMemoryStream stream;
    object.SaveToStream(stream);
    return stream.Bytes();
}

// Load, and on success save, load into a fresh object and save again: both
// saved forms are the same. On failure the object and the position are kept.
template <typename TObject> void ReadRecord(const TBytes& bytes) {
    TMemoryStream stream(bytes);
    TObject object;
    const TBytes before = Saved(object);
    if (!Survives([&] { object.LoadFromStream(stream); })) {
        Expect(stream.Position() == 0, "failed record read moved the stream");
        Expect(Saved(object) == before, "failed record read changed the object");
        return;
    }
    TBytes first;
    if (!Survives([&] { first = Saved(object); })) {
        return; // texts that together exceed what a String holds
    }
    TMemoryStream copy(first);
    TObject again;
    Expect(Survives([&] { again.LoadFromStream(copy); }), "saved record does not read back");
    Expect(copy.Position() == copy.Size(), "saved record read back only in part");
    Expect(Saved(again) == first, "saved record reads back to another record");
}

void ReadRichText(const TBytes& bytes) {
    TMemoryStream stream(bytes);
    TRichTextDocument document;
    document.SetRtf({'{', '}'});
    if (!Survives([&] { ReadRichTextFromStr(stream, document); })) {
        Expect(stream.Position() == 0, "failed rich-text read moved the stream");
        Expect(document.Rtf() == TBytes{'{', '}'}, "failed rich-text read changed the document");
        return;
    }
    TMemoryStream written;
    WriteRichTextToStr(written, document);
    Expect(written.Bytes() == TBytes(bytes.begin(), bytes.begin() + stream.Position()),
           "rich-text block does not write back to its bytes");
}

} // namespace
} // namespace zaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zaro::fuzz;
    if (size == 0) {
        return 0;
    }
    const TBytes bytes(data + 1, data + size);
    switch (data[0] % 5) {
    case 0:
        ReadStrings(bytes);
        break;
    case 1:
        ReadComponentText(bytes);
        break;
    case 2:
        ReadRecord<zaro::TDragPanel4P>(bytes);
        break;
    case 3:
        ReadRecord<zaro::TConnector>(bytes);
        break;
    default:
        ReadRichText(bytes);
        break;
    }
    return 0;
}
