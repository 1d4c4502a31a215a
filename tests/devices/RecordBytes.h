#pragma once
// The bytes of device records for the record tests: what a device saves, the
// stored form of texts, and the check that a record of another class is refused.

#include "DeviceFactory.h"
#include "ZaroSimDevices.h"
#include "ZaroStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zaro::test {

inline std::vector<std::uint8_t> Record(TZaroSimDevice& device) {
    TMemoryStream stream;
    device.SaveToStream(stream);
    return stream.Bytes();
}

// The texts as WriteStringToStr stores them, one after the other.
inline std::vector<std::uint8_t> Strings(std::initializer_list<std::string_view> texts) {
    TMemoryStream stream;
    for (std::string_view text : texts) {
        WriteStringToStr(stream, text);
    }
    return stream.Bytes();
}

inline bool StartsWith(const std::vector<std::uint8_t>& bytes,
                       const std::vector<std::uint8_t>& head, std::size_t at = 0) {
    return bytes.size() >= at + head.size() &&
           std::equal(head.begin(), head.end(), bytes.begin() + static_cast<long>(at));
}

// Loading the stream into `reader` fails with `message` and leaves the stream
// where it was.
inline void ExpectLoadRefused(TZaroSimDevice& reader, TMemoryStream& stream,
                              const std::string& message) {
    try {
        reader.LoadFromStream(stream);
        ADD_FAILURE() << "the record was accepted";
    } catch (const EZaroError& e) {
        EXPECT_EQ(std::string(e.what()), message);
    }
    EXPECT_EQ(stream.Position(), 0);
}

// A fresh device of class `reader` refuses the record of a fresh `writer`.
inline void ExpectRecordOfRefusedBy(TTinyParser& evaluator, const std::string& writer,
                                    const std::string& reader) {
    TMemoryStream stream(Record(*CreateDeviceByClassName(writer, evaluator)));
    ExpectLoadRefused(*CreateDeviceByClassName(reader, evaluator), stream,
                      reader + ".LoadFromStream: This is not " + reader + " object.");
}

} // namespace zaro::test
