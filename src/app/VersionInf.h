#pragma once
// The version information of a program file: company, description, file
// version, copyright and the other texts in each of its translations, read
// from the file named by FileName on first need. The About box shows them.

#include <cstdint>
#include <string>
#include <vector>

namespace zaro {

inline constexpr const char* CannotReadVersionMessage =
    "TVersionInf.ExtractString: Cannot read a file version information";
inline constexpr const char* VersionIndexOutOfRangeMessage =
    "TVersionInf.ExtractString: Index is out of range";

// Largest version block that is read from a file.
inline constexpr std::size_t MaxVersionBlockSize = 65536;

// What the display controls show; every text is empty when the file has no
// version information.
struct TVersionDisplayTexts {
    std::string CompanyName;
    std::string FileDescription;
    std::string ProductName;
    std::string ProductVersion;
    std::string OriginalFilename;
    std::string LegalCopyright;
    std::string FileVersion;
    std::string InternalName;

    bool operator==(const TVersionDisplayTexts&) const = default;
};

class TVersionInf {
public:
    const std::string& FileName() const { return FFileName; }
    // Forgets what was read; UseExeName becomes false, the translation index 0.
    void SetFileName(const std::string& fileName);
    bool UseExeName() const { return FUseExeName; }
    // FileName becomes the running program's own file, whatever the flag.
    void SetUseExeName(bool flag);

    int TranslationIndex() const { return FTranslationIndex; }
    void SetTranslationIndex(int index) { FTranslationIndex = index; }

    // Reads the file when nothing could be read yet. False when it has no
    // version information.
    bool Available();
    // The (language, code page) pairs: language in the low 16 bits.
    const std::vector<std::uint32_t>& Translations();

    // The text of `key` in translation `index`; empty when that translation
    // has no such text. Raises EZaroError with CannotReadVersionMessage when
    // the file has no version information, and with
    // VersionIndexOutOfRangeMessage for an index beyond the translations.
    std::string ExtractString(int index, const std::string& key);

    // The texts of the current translation.
    std::string CompanyName() { return ExtractString(FTranslationIndex, "CompanyName"); }
    std::string FileDescription() { return ExtractString(FTranslationIndex, "FileDescription"); }
    std::string FileVersion() { return ExtractString(FTranslationIndex, "FileVersion"); }
    std::string InternalName() { return ExtractString(FTranslationIndex, "InternalName"); }
    std::string LegalCopyright() { return ExtractString(FTranslationIndex, "LegalCopyright"); }
    std::string OriginalFilename() { return ExtractString(FTranslationIndex, "OriginalFilename"); }
    std::string ProductName() { return ExtractString(FTranslationIndex, "ProductName"); }
    std::string ProductVersion() { return ExtractString(FTranslationIndex, "ProductVersion"); }

    // The texts for the display controls; never raises for a file without
    // version information or without the current translation: all are empty.
    TVersionDisplayTexts DisplayTexts();

private:
    void ReadVersionInformation();

    std::string FFileName;
    bool FUseExeName = false;
    int FTranslationIndex = 0;
    std::vector<std::uint8_t> FData;
    std::vector<std::uint32_t> FTranslations;
    bool FAvailable = false;
};

} // namespace zaro
