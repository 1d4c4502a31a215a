#pragma once
// The byte encoding of every persisted record: Integer (4 bytes, signed,
// little-endian), Boolean (Integer 0 or 1), String (Integer byte count, then
// the text in code page 932), the rich-text block, port direction names and
// the record tag check. The component-text block is in ComponentText.h.

#include "Stream.h"
#include "ZaroErrors.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace zaro {

class TRichTextDocument;

class EZaroStreamError : public EZaroError {
public:
    using EZaroError::EZaroError;
};

// The side of its panel on which a port sits and faces outward.
enum class TPortDirection : std::uint8_t { pdUp, pdDown, pdLeft, pdRight };

// Sets the stream back to where it was at construction unless Commit was
// called: a reader that fails leaves the stream as it found it.
class TStreamPositionGuard {
public:
    explicit TStreamPositionGuard(TStream& stream) : Stream(stream), Start(stream.Position()) {}
    ~TStreamPositionGuard() {
        if (!Done) {
            Stream.SetPosition(Start);
        }
    }
    TStreamPositionGuard(const TStreamPositionGuard&) = delete;
    TStreamPositionGuard& operator=(const TStreamPositionGuard&) = delete;
    void Commit() { Done = true; }

private:
    TStream& Stream;
    std::int64_t Start;
    bool Done = false;
};

// Longest String, in code page 932 bytes, that a reader accepts.
inline constexpr std::int32_t MaxStreamStringBytes = 65535;

void WriteIntegerToStr(TStream& stream, std::int32_t value);
std::int32_t ReadIntegerFromStr(TStream& stream);

void WriteBooleanToStr(TStream& stream, bool value);
// Any non-zero Integer reads as true.
bool ReadBooleanFromStr(TStream& stream);

// Converts the UTF-8 text to code page 932 and writes length and bytes. Text
// that is not UTF-8, that code page 932 cannot hold, or that is longer than
// 65535 bytes after conversion raises EZaroStreamError and writes nothing.
void WriteStringToStr(TStream& stream, std::string_view text);
// Reads a String and returns it as UTF-8. A length outside 0..65535 raises
// "ReadStringFromStr: Out Of Memory." with the position behind the length
// word; a length beyond the end of the stream raises EReadError, bytes that are
// not code page 932 raise EZaroStreamError; both restore the position.
std::string ReadStringFromStr(TStream& stream);

// Integer size, then the document's bytes as saved.
void WriteRichTextToStr(TStream& stream, const TRichTextDocument& document);
// Reads a block written by WriteRichTextToStr into the document. A negative
// size raises EZaroStreamError, a size beyond the end EReadError; in both
// cases the position and the document stay as they were.
void ReadRichTextFromStr(TStream& stream, TRichTextDocument& document);

std::string PortDirectionToStr(TPortDirection direction);
// Exact, case-sensitive names; every other text is pdRight.
TPortDirection StrToPortDirection(std::string_view text);

// Reads a record tag and returns it when it is one of `accepted`. Otherwise
// restores the position and raises "<className>.LoadFromStream: This is not
// <className> object."; a tag that cannot be read raises the read error,
// also with the position restored.
std::string ReadRecordTag(TStream& stream, std::initializer_list<std::string_view> accepted,
                          const std::string& className);
// The same with the class name as the only accepted tag.
void CheckRecordTag(TStream& stream, const std::string& className);

} // namespace zaro
