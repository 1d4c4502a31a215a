// The Help commands hand the manual beside the program and the support page
// to the desktop's opener.

#include "HelpCommands.h"
#include "FakePlatform.h"
#include "SharedLibrary.h"

#include <gtest/gtest.h>

namespace zaro::test {
namespace {

TEST(HelpCommands, OpenTheManualBesideTheProgramAndTheSupportPage) {
    TFakePlatform platform;
    AtnHelpIndex(platform, "/opt/Zaro Sim/ツール");
    AtnHelpIndex(platform);
    AtnHelpZaro(platform);
    EXPECT_EQ(
        platform.Calls,
        (std::vector<std::string>{
            "OpenWithDesktop: file:///opt/Zaro%20Sim/%E3%83%84%E3%83%BC%E3%83%AB/ZaroSim_J.html",
            "OpenWithDesktop: file://" + ProgramDirectory() + "/ZaroSim_J.html",
            std::string("OpenWithDesktop: ") + SupportPageAddress}));
}

} // namespace
} // namespace zaro::test
