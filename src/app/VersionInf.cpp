#include "VersionInf.h"

#include "ElfSection.h"
#include "SharedLibrary.h"
#include "VersionBlock.h"
#include "ZaroErrors.h"

#include <filesystem>

namespace zaro {

void TVersionInf::SetFileName(const std::string& fileName) {
    FFileName = fileName;
    FData.clear();
    FTranslations.clear();
    FAvailable = false;
    FUseExeName = false;
    FTranslationIndex = 0;
}

void TVersionInf::SetUseExeName(bool flag) {
    SetFileName(ProgramFileName());
    FUseExeName = flag;
}

void TVersionInf::ReadVersionInformation() {
    FData.clear();
    FTranslations.clear();
    FAvailable = false;
    std::error_code error;
    if (!std::filesystem::is_regular_file(FFileName, error)) {
        return;
    }
    auto data = ReadElfSection(FFileName, VersionSectionName, MaxVersionBlockSize);
    if (!data || data->empty()) {
        return;
    }
    FData = std::move(*data);
    FAvailable = QueryVersionValue(FData, "\\").has_value();
    if (const auto translations = QueryVersionValue(FData, "\\VarFileInfo\\Translation")) {
        const std::span<const std::uint8_t> t = *translations;
        for (std::size_t at = 0; at + 4 <= t.size(); at += 4) {
            FTranslations.push_back(std::uint32_t{t[at]} | (std::uint32_t{t[at + 1]} << 8) |
                                    (std::uint32_t{t[at + 2]} << 16) |
                                    (std::uint32_t{t[at + 3]} << 24));
        }
    }
}

bool TVersionInf::Available() {
    if (!FAvailable) {
        ReadVersionInformation();
    }
    return FAvailable;
}

const std::vector<std::uint32_t>& TVersionInf::Translations() {
    Available();
    return FTranslations;
}

std::string TVersionInf::ExtractString(int index, const std::string& key) {
    if (!Available()) {
        throw EZaroError(CannotReadVersionMessage);
    }
    if (index < 0 || static_cast<std::size_t>(index) >= FTranslations.size()) {
        throw EZaroError(VersionIndexOutOfRangeMessage);
    }
    const std::uint32_t translation = FTranslations[static_cast<std::size_t>(index)];
    const auto name = version_block::TranslationName(translation & 0xFFFF, translation >> 16);
    const std::string path =
        "\\StringFileInfo\\" + std::string(name.data(), name.size()) + "\\" + key;
    const auto value = QueryVersionValue(FData, path);
    return value ? std::string(value->begin(), value->end()) : std::string();
}

TVersionDisplayTexts TVersionInf::DisplayTexts() {
    if (!Available() || FTranslationIndex < 0 ||
        static_cast<std::size_t>(FTranslationIndex) >= FTranslations.size()) {
        return {};
    }
    return {CompanyName(),      FileDescription(), ProductName(), ProductVersion(),
            OriginalFilename(), LegalCopyright(),  FileVersion(), InternalName()};
}

} // namespace zaro
