#include "CodePageConverter.h"

#include "ZaroErrors.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace zaro {

namespace {

const iconv_t NoHandle = reinterpret_cast<iconv_t>(-1);

iconv_t HandleOf(void* handle) {
    return static_cast<iconv_t>(handle);
}

constexpr std::string_view Replacement = "\xEF\xBF\xBD";

// The Windows code pages a document may name; others read as 1252.
constexpr std::array<int, 17> KnownCodePages{932,  1252, 1250, 1251, 1253, 1254, 1255, 1256, 1257,
                                             1258, 874,  936,  949,  950,  437,  850,  10000};

const char* IconvName(int codePage) {
    switch (codePage) {
    case 10000:
        return "MACINTOSH";
    case 949:
        return "CP949";
    case 950:
        return "BIG5";
    case 936:
        return "GBK";
    default:
        return nullptr;
    }
}

// One converter to UTF-8 per known code page and thread, opened on first use.
TCodePageConverter& DecoderFor(int codePage) {
    thread_local std::array<std::unique_ptr<TCodePageConverter>, KnownCodePages.size()> decoders;
    std::size_t slot = 1; // 1252
    for (std::size_t i = 0; i < KnownCodePages.size(); ++i) {
        if (KnownCodePages[i] == codePage) {
            slot = i;
        }
    }
    if (!decoders[slot]) {
        const int page = KnownCodePages[slot];
        const std::string name = IconvName(page) ? IconvName(page) : "CP" + std::to_string(page);
        decoders[slot] = std::make_unique<TCodePageConverter>("UTF-8", name.c_str());
    }
    return *decoders[slot];
}

bool IsAscii(std::string_view bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

} // namespace

TCodePageConverter::TCodePageConverter(const char* to, const char* from)
    : Handle(iconv_open(to, from)) {}

TCodePageConverter::~TCodePageConverter() {
    if (Available()) {
        iconv_close(HandleOf(Handle));
    }
}

bool TCodePageConverter::Available() const {
    return HandleOf(Handle) != NoHandle;
}

std::size_t TCodePageConverter::Convert(std::string_view input, std::string& output) {
    if (!Available()) {
        throw EZaroError("The code page converter is not available.");
    }
    iconv(HandleOf(Handle), nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(HandleOf(Handle), &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            return static_cast<std::size_t>(in - input.data());
        }
    }
    return std::string_view::npos;
}

std::string CodePageToUtf8Lenient(std::string_view bytes, int codePage) {
    if (IsAscii(bytes)) {
        return std::string(bytes);
    }
    std::string text;
    TCodePageConverter& decoder = DecoderFor(codePage);
    if (!decoder.Available()) {
        for (char c : bytes) {
            if (static_cast<unsigned char>(c) < 0x80) {
                text.push_back(c);
            } else {
                text.append(Replacement);
            }
        }
        return text;
    }
    while (!bytes.empty()) {
        const std::size_t bad = decoder.Convert(bytes, text);
        if (bad == std::string_view::npos) {
            break;
        }
        text.append(Replacement);
        bytes.remove_prefix(bad + 1);
    }
    return text;
}

} // namespace zaro
