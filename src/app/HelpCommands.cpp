#include "HelpCommands.h"

#include "SharedLibrary.h"

#include <cstdio>

namespace zaro {

namespace {

bool Unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

} // namespace

std::string FileUrl(const std::string& path) {
    std::string url = "file://";
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (Unreserved(byte)) {
            url += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            url += escaped;
        }
    }
    return url;
}

void AtnHelpIndex(TPlatform& platform, const std::string& programDirectory) {
    platform.OpenWithDesktop(FileUrl(programDirectory + "/" + HelpFileName));
}

void AtnHelpIndex(TPlatform& platform) {
    AtnHelpIndex(platform, ProgramDirectory());
}

void AtnHelpZaro(TPlatform& platform) {
    platform.OpenWithDesktop(SupportPageAddress);
}

} // namespace zaro
