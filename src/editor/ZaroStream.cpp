#include "ZaroStream.h"

#include "Cp932.h"
#include "RichTextDocument.h"

#include <array>
#include <limits>

namespace zaro {

namespace {

constexpr std::array<std::string_view, 4> PortDirectionNames = {"pdUp", "pdDown", "pdLeft",
                                                                "pdRight"};

} // namespace

void WriteIntegerToStr(TStream& stream, std::int32_t value) {
    auto u = static_cast<std::uint32_t>(value);
    std::array<std::uint8_t, 4> bytes = {
        static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
        static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
    stream.Write(bytes.data(), bytes.size());
}

std::int32_t ReadIntegerFromStr(TStream& stream) {
    std::array<std::uint8_t, 4> bytes{};
    stream.Read(bytes.data(), bytes.size());
    std::uint32_t u = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                      (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(u);
}

void WriteBooleanToStr(TStream& stream, bool value) {
    WriteIntegerToStr(stream, value ? 1 : 0);
}

bool ReadBooleanFromStr(TStream& stream) {
    return ReadIntegerFromStr(stream) != 0;
}

void WriteStringToStr(TStream& stream, std::string_view text) {
    std::string bytes;
    try {
        bytes = Utf8ToCp932(text);
    } catch (const ECp932Error& e) {
        throw EZaroStreamError("WriteStringToStr: " + e.Message());
    }
    if (bytes.size() > static_cast<std::size_t>(MaxStreamStringBytes)) {
        throw EZaroStreamError("WriteStringToStr: The text is " + std::to_string(bytes.size()) +
                               " bytes long; at most 65535 bytes can be stored.");
    }
    WriteIntegerToStr(stream, static_cast<std::int32_t>(bytes.size()));
    stream.Write(bytes.data(), bytes.size());
}

std::string ReadStringFromStr(TStream& stream) {
    TStreamPositionGuard guard(stream);
    std::int32_t n = ReadIntegerFromStr(stream);
    if (n < 0 || n > MaxStreamStringBytes) {
        guard.Commit(); // the position stays behind the length word
        throw EZaroStreamError("ReadStringFromStr: Out Of Memory.");
    }
    std::string bytes(static_cast<std::size_t>(n), '\0');
    stream.Read(bytes.data(), bytes.size());
    std::string text;
    try {
        text = Cp932ToUtf8(bytes);
    } catch (const ECp932Error& e) {
        throw EZaroStreamError("ReadStringFromStr: " + e.Message());
    }
    guard.Commit();
    return text;
}

void WriteRichTextToStr(TStream& stream, const TRichTextDocument& document) {
    TMemoryStream buffer;
    document.SaveToStream(buffer);
    if (buffer.Size() > std::numeric_limits<std::int32_t>::max()) {
        throw EZaroStreamError("WriteRichTextToStr: The document is too large to be stored.");
    }
    buffer.SetPosition(0);
    WriteIntegerToStr(stream, static_cast<std::int32_t>(buffer.Size()));
    stream.CopyFrom(buffer, buffer.Size());
}

void ReadRichTextFromStr(TStream& stream, TRichTextDocument& document) {
    TStreamPositionGuard guard(stream);
    std::int32_t n = ReadIntegerFromStr(stream);
    if (n < 0) {
        throw EZaroStreamError("ReadRichTextFromStr: The block size " + std::to_string(n) +
                               " is negative.");
    }
    TMemoryStream buffer;
    buffer.CopyFrom(stream, n); // EReadError before anything is copied when short
    buffer.SetPosition(0);
    document.LoadFromStream(buffer);
    guard.Commit();
}

std::string PortDirectionToStr(TPortDirection direction) {
    auto i = static_cast<std::size_t>(direction);
    CheckIndex(static_cast<long long>(i), PortDirectionNames.size());
    return std::string(PortDirectionNames[i]);
}

TPortDirection StrToPortDirection(std::string_view text) {
    for (std::size_t i = 0; i < PortDirectionNames.size(); ++i) {
        if (text == PortDirectionNames[i]) {
            return static_cast<TPortDirection>(i);
        }
    }
    return TPortDirection::pdRight;
}

std::string ReadRecordTag(TStream& stream, std::initializer_list<std::string_view> accepted,
                          const std::string& className) {
    TStreamPositionGuard guard(stream);
    std::string tag = ReadStringFromStr(stream);
    for (std::string_view name : accepted) {
        if (tag == name) {
            guard.Commit();
            return tag;
        }
    }
    throw EZaroError(className + ".LoadFromStream: This is not " + className + " object.");
}

void CheckRecordTag(TStream& stream, const std::string& className) {
    ReadRecordTag(stream, {className}, className);
}

} // namespace zaro
