#pragma once
// The association of model files with the program as keys and values: the
// data every platform's store writes, each in its own form (a registry its
// keys, the freedesktop store a MIME package and a desktop entry).

#include <string>
#include <vector>

namespace zaro {

struct TAssociationRow {
    std::string Key; // path below the store's root, "\.zsm"
    std::string Value;

    bool operator==(const TAssociationRow&) const = default;
};

inline constexpr const char* ModelFileExtensionKey = "\\.zsm";
inline constexpr const char* ModelFileTypeKey = "\\zarosim.zsm";
inline constexpr const char* ModelFileTypeComment = "ZaroSim 回路モデルファイル";

// The five rows, in the order they are written, for the program `exeName`
// (its full path; a path with blanks stays unquoted before the quoted "%1").
std::vector<TAssociationRow> FileAssociationRows(const std::string& exeName);
// The keys that unregistering deletes, each with everything below it.
std::vector<std::string> FileAssociationKeys();

// A platform's store of file-type associations. Failures raise EZaroError
// with the platform's reason; what was written before stays.
class TFileAssociationStore {
public:
    virtual ~TFileAssociationStore() = default;
    // Writes every row, creating what is missing and replacing what is there.
    virtual void WriteRows(const std::vector<TAssociationRow>& rows) = 0;
    // Deletes each key with everything below it; a missing key is no error.
    virtual void DeleteKeys(const std::vector<std::string>& keys) = 0;
    // Tells the desktop that associations changed.
    virtual void NotifyChanged() = 0;
};

} // namespace zaro
