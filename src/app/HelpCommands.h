#pragma once
// The Help commands that open the manual beside the program and the support
// page, through the desktop's opener.

#include "Platform.h"

#include <string>

namespace zaro {

inline constexpr const char* HelpFileName = "ZaroSim_J.html";
inline constexpr const char* SupportPageAddress = "https://zarosim.example.org/support/";

// The file:// URL of an absolute path, its bytes outside the unreserved set
// percent-encoded.
std::string FileUrl(const std::string& path);

// Opens `programDirectory`/ZaroSim_J.html (by default the running program's
// folder). Whether the opener finds it is not checked.
void AtnHelpIndex(TPlatform& platform, const std::string& programDirectory);
void AtnHelpIndex(TPlatform& platform);
void AtnHelpZaro(TPlatform& platform);

} // namespace zaro
