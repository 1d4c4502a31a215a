// Writes the files with which an installation makes the program known to the
// desktop: the application-menu entry and the MIME package of model files,
// made from the same rows that the Options commands register.
//
//   zaro-desktop-files OUTDIR PROGRAM
//
// PROGRAM is the command the menu entry runs (looked up on PATH).

#include "FreedesktopAssociation.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

namespace {

void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTDIR PROGRAM\n", argv[0]);
        return 2;
    }
    try {
        using namespace zaro;
        const std::filesystem::path out = argv[1];
        const TDesktopFileType type = DesktopFileTypes(FileAssociationRows(argv[2])).at(0);
        WriteText(out / (type.FileStem() + ".xml"), MimePackageXml(type));
        WriteText(out / "zarosim.desktop", DesktopEntry(type, TDesktopEntryKind::MenuEntry));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
