#pragma once
// The platform's character-set converter (iconv) for one direction.

#include <cstddef>
#include <string>
#include <string_view>

namespace zaro {

class TCodePageConverter {
public:
    // Character set names as iconv knows them ("UTF-8", "CP932", ...).
    TCodePageConverter(const char* to, const char* from);
    ~TCodePageConverter();
    TCodePageConverter(const TCodePageConverter&) = delete;
    TCodePageConverter& operator=(const TCodePageConverter&) = delete;

    bool Available() const;
    // Appends the conversion of `input` to `output`, up to the first byte that
    // cannot be converted; returns that byte's offset, or npos when all of it
    // converted. Raises EZaroError when the converter is not available.
    std::size_t Convert(std::string_view input, std::string& output);

private:
    void* Handle;
};

// The text of Windows code page `codePage` as UTF-8. Bytes that do not form
// a character there become U+FFFD, and so does every byte from 0x80 up in a
// code page the platform cannot convert.
std::string CodePageToUtf8Lenient(std::string_view bytes, int codePage);

} // namespace zaro
