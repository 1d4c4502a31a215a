#include "FreedesktopAssociation.h"

#include "FileReplace.h"
#include "ProcessRunner.h"
#include "ProgramIcon.h"
#include "ZaroErrors.h"

#include <algorithm>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace zaro {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view OpenCommandTail = " \"%1\"";
constexpr std::string_view DefaultIconTail = ",0";

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

TDesktopFileType& TypeNamed(std::vector<TDesktopFileType>& types, const std::string& key) {
    auto it = std::find_if(types.begin(), types.end(),
                           [&](const TDesktopFileType& t) { return t.TypeKey == key; });
    if (it != types.end()) {
        return *it;
    }
    types.push_back({key, {}, {}, {}, false});
    return types.back();
}

std::string Dashed(std::string text) {
    std::replace(text.begin(), text.end(), '.', '-');
    return text;
}

std::string XmlEscaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The program as the first word of an Exec line: quoted, with the characters
// that are special inside quotes escaped, then escaped again as a string
// value of the entry.
std::string ExecProgram(const std::string& program) {
    if (program.find_first_of("\r\n") != std::string::npos) {
        throw EZaroError("A desktop entry cannot start the program \"" + program + "\".");
    }
    std::string quoted = "\"";
    for (char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        quoted += c == '%' ? std::string("%%") : std::string(1, c);
    }
    quoted += '"';
    std::string value;
    for (char c : quoted) {
        value += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return value;
}

} // namespace

std::string TDesktopFileType::MimeType() const {
    return "application/x-" + Dashed(TypeKey);
}

std::string TDesktopFileType::FileStem() const {
    return Dashed(TypeKey);
}

std::string TDesktopFileType::IconName() const {
    return "application-x-" + Dashed(TypeKey);
}

std::vector<TDesktopFileType> DesktopFileTypes(const std::vector<TAssociationRow>& rows) {
    std::vector<TDesktopFileType> types;
    for (const TAssociationRow& row : rows) {
        const std::string key = row.Key.substr(row.Key.rfind('\\', 0) == 0 ? 1 : 0);
        const std::size_t slash = key.find('\\');
        const std::string head = key.substr(0, slash);
        const std::string rest = slash == std::string::npos ? "" : key.substr(slash + 1);
        if (head.rfind('.', 0) == 0) {
            if (rest.empty()) {
                TypeNamed(types, row.Value).Extensions.push_back(head.substr(1));
            }
            continue; // the extension's own icon is its type's
        }
        TDesktopFileType& type = TypeNamed(types, head);
        if (rest.empty()) {
            type.Comment = row.Value;
        } else if (rest == "DefaultIcon") {
            type.HasIcon = EndsWith(row.Value, DefaultIconTail);
        } else if (rest == "shell\\open\\command") {
            if (!EndsWith(row.Value, OpenCommandTail)) {
                throw EZaroError("The open command \"" + row.Value +
                                 "\" does not end with the file placeholder.");
            }
            type.Program = row.Value.substr(0, row.Value.size() - OpenCommandTail.size());
        }
    }
    return types;
}

std::string MimePackageXml(const TDesktopFileType& type) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"" +
        XmlEscaped(type.MimeType()) + "\">\n    <comment>" + XmlEscaped(type.Comment) +
        "</comment>\n";
    if (type.HasIcon) {
        xml += "    <icon name=\"" + XmlEscaped(type.IconName()) + "\"/>\n";
    }
    for (const std::string& extension : type.Extensions) {
        xml += "    <glob pattern=\"*." + XmlEscaped(extension) + "\"/>\n";
    }
    return xml + "  </mime-type>\n</mime-info>\n";
}

std::string DesktopEntry(const TDesktopFileType& type, TDesktopEntryKind kind) {
    const bool menu = kind == TDesktopEntryKind::MenuEntry;
    std::string entry = "[Desktop Entry]\nType=Application\nName=ZaroSim\n";
    entry += menu ? "GenericName=電気回路シミュレータ\nComment=電気回路を描いて解析します\n"
                  : "Comment=" + type.Comment + "\n";
    entry += "Exec=" + ExecProgram(type.Program) + " %f\n";
    if (menu) {
        entry += "TryExec=" + type.Program + "\nIcon=zarosim\nCategories=Science;Electronics;\n";
    } else if (type.HasIcon) {
        entry += "Icon=" + type.IconName() + "\n";
    }
    entry += "MimeType=" + type.MimeType() + ";\nTerminal=false\n";
    return menu ? entry : entry + "NoDisplay=true\n";
}

fs::path FreedesktopDataHome() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && fs::path(dataHome).is_absolute()) {
        return dataHome;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* user = ::getpwuid(::getuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    if (home == nullptr) {
        throw EZaroError("The user's home folder is not known.");
    }
    return fs::path(home) / ".local" / "share";
}

TFreedesktopAssociationStore::TFreedesktopAssociationStore(fs::path dataHome, TRunner runner)
    : DataHome(std::move(dataHome)), Runner(std::move(runner)) {
    if (!Runner) {
        Runner = [](const std::vector<std::string>& argv) { RunProgram(argv); };
    }
}

std::vector<fs::path> TFreedesktopAssociationStore::FilesOf(const TDesktopFileType& type) const {
    return {DataHome / "mime" / "packages" / (type.FileStem() + ".xml"),
            DataHome / "icons" / "hicolor" / "scalable" / "mimetypes" / (type.IconName() + ".svg"),
            DataHome / "applications" / (type.FileStem() + ".desktop")};
}

void TFreedesktopAssociationStore::Write(const fs::path& file, const std::string& contents) {
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (error) {
        throw EZaroError("Cannot create the folder \"" + file.parent_path().string() + "\". " +
                         error.message());
    }
    ReplaceFileContents(file.string(), std::vector<std::uint8_t>(contents.begin(), contents.end()));
    Changed = true;
}

void TFreedesktopAssociationStore::Remove(const fs::path& file) {
    std::error_code error;
    if (fs::remove(file, error)) {
        Changed = true;
    } else if (error) {
        throw EZaroError("Cannot delete \"" + file.string() + "\". " + error.message());
    }
}

void TFreedesktopAssociationStore::WriteRows(const std::vector<TAssociationRow>& rows) {
    for (const TDesktopFileType& type : DesktopFileTypes(rows)) {
        const std::vector<fs::path> files = FilesOf(type);
        Write(files[0], MimePackageXml(type));
        if (type.HasIcon) {
            Write(files[1], std::string(ProgramIconSvg()));
        }
        if (!type.Program.empty()) {
            Write(files[2], DesktopEntry(type, TDesktopEntryKind::Association));
        }
    }
}

void TFreedesktopAssociationStore::DeleteKeys(const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
        const std::string name = key.substr(key.rfind('\\', 0) == 0 ? 1 : 0);
        if (name.empty() || name[0] == '.' || name.find('\\') != std::string::npos) {
            continue; // an extension lives in its type's package
        }
        for (const fs::path& file : FilesOf({name, {}, {}, {}, false})) {
            Remove(file);
        }
    }
}

void TFreedesktopAssociationStore::NotifyChanged() {
    if (!Changed) {
        return;
    }
    Changed = false;
    std::error_code error;
    if (fs::is_directory(DataHome / "mime", error)) {
        Runner({"update-mime-database", (DataHome / "mime").string()});
    }
    if (fs::is_directory(DataHome / "applications", error)) {
        Runner({"update-desktop-database", (DataHome / "applications").string()});
    }
}

} // namespace zaro
