// zarosim-cli version, run in-process on the built program and on a file
// without version information.

#include "VersionCommand.h"
#include "SharedLibrary.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zaro::cli {
namespace {

TEST(VersionCommand, PrintsEveryTranslationOrTheReason) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(VersionCommand({ProgramDirectory() + "/zarosim-cli"}, out, err), 0);
    EXPECT_EQ(out.str().rfind("[041103A4]\nCompanyName: ZaroSim プロジェクト\n", 0), 0u);
    EXPECT_NE(out.str().find("[040904E4]\nCompanyName: The ZaroSim Project\n"), std::string::npos);

    std::ostringstream none;
    EXPECT_EQ(VersionCommand({}, none, err), 1); // the test program has none
    EXPECT_EQ(none.str(), "");
    EXPECT_EQ(err.str(),
              "version: TVersionInf.ExtractString: Cannot read a file version information\n");
}

} // namespace
} // namespace zaro::cli
