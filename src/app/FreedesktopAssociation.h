#pragma once
// The freedesktop store of file-type associations: for each file type of the
// rows a shared-MIME package (its globs, comment and icon), the icon, and a
// desktop entry whose command opens the chosen file with the program, under
// the user's data folder; the MIME and desktop databases are refreshed when
// their tools are installed.

#include "FileAssociation.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zaro {

// One file type as the rows give it.
struct TDesktopFileType {
    std::string TypeKey;                 // "zarosim.zsm"
    std::vector<std::string> Extensions; // "zsm"
    std::string Comment;
    std::string Program; // of the open command
    bool HasIcon = false;

    std::string MimeType() const; // "application/x-zarosim-zsm"
    std::string FileStem() const; // "zarosim-zsm"
    std::string IconName() const; // "application-x-zarosim-zsm"
};

// The file types of the rows, in the order their keys first appear. An open
// command other than a program followed by " \"%1\"" raises EZaroError.
std::vector<TDesktopFileType> DesktopFileTypes(const std::vector<TAssociationRow>& rows);

std::string MimePackageXml(const TDesktopFileType& type);

enum class TDesktopEntryKind {
    Association, // hidden from menus: only opens files of the type
    MenuEntry    // the program's entry in the application menu
};
// A program path that a desktop entry cannot hold (a line break) raises EZaroError.
std::string DesktopEntry(const TDesktopFileType& type, TDesktopEntryKind kind);

// $XDG_DATA_HOME when it is an absolute path, otherwise ~/.local/share.
std::filesystem::path FreedesktopDataHome();

class TFreedesktopAssociationStore : public TFileAssociationStore {
public:
    using TRunner = std::function<void(const std::vector<std::string>& argv)>;

    // The runner starts the refreshing tools; by default RunProgram, which
    // does nothing for a tool that is not installed.
    explicit TFreedesktopAssociationStore(std::filesystem::path dataHome, TRunner runner = {});

    void WriteRows(const std::vector<TAssociationRow>& rows) override;
    // Removes the files of each file-type key. The folders stay: they are the
    // data folder's own, and the database tools need them.
    void DeleteKeys(const std::vector<std::string>& keys) override;
    // Refreshes the databases when files were written or removed since the
    // last notification.
    void NotifyChanged() override;

    // The files that registering a file type writes.
    std::vector<std::filesystem::path> FilesOf(const TDesktopFileType& type) const;

private:
    void Write(const std::filesystem::path& file, const std::string& contents);
    void Remove(const std::filesystem::path& file);

    std::filesystem::path DataHome;
    TRunner Runner;
    bool Changed = false;
};

} // namespace zaro
