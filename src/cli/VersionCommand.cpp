#include "VersionCommand.h"

#include "VersionBlock.h"
#include "VersionInf.h"

namespace zaro::cli {

int VersionCommand(const TArgs& args, std::ostream& out, std::ostream& err) {
    if (args.size() > 1) {
        err << "version: usage: zarosim-cli version [FILE]\n";
        return 1;
    }
    TVersionInf info;
    info.SetUseExeName(true);
    if (!args.empty()) {
        info.SetFileName(args[0]);
    }
    try {
        const std::vector<std::uint32_t>& translations = info.Translations();
        if (translations.empty()) {
            info.ExtractString(0, "FileVersion"); // raises the reason
        }
        for (std::size_t i = 0; i < translations.size(); ++i) {
            const auto name =
                version_block::TranslationName(translations[i] & 0xFFFF, translations[i] >> 16);
            out << '[' << std::string_view(name.data(), name.size()) << "]\n";
            for (std::string_view key : VersionKeys) {
                out << key << ": " << info.ExtractString(static_cast<int>(i), std::string(key))
                    << '\n';
            }
        }
        return 0;
    } catch (const std::exception& e) {
        err << "version: " << e.what() << '\n';
        return 1;
    }
}

} // namespace zaro::cli
