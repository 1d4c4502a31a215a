// Registering and unregistering the model-file type: the rows, and the files
// the freedesktop store writes and removes in a temporary data folder.

#include "DocumentFixture.h"
#include "FreedesktopAssociation.h"
#include "OptionsCommands.h"
#include "ProgramIcon.h"

#include <gtest/gtest.h>

#include <map>

namespace zaro::test {
namespace {

namespace fs = std::filesystem;

const std::string Program = "/opt/Zaro Sim/bin/zarosim";

// Every file below `root` with its bytes.
std::map<std::string, std::string> Tree(const fs::path& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_directory()) {
            const TBytes bytes = ReadFileBytes(entry.path());
            tree[fs::relative(entry.path(), root).string()] =
                std::string(bytes.begin(), bytes.end());
        }
    }
    return tree;
}

std::string Text(const fs::path& file) {
    const TBytes bytes = ReadFileBytes(file);
    return std::string(bytes.begin(), bytes.end());
}

class FileAssociationTest : public ::testing::Test {
protected:
    FileAssociationTest()
        : Store(Folder.Path,
                [this](const std::vector<std::string>& argv) { Runs.push_back(argv); }) {
        // Something of another program that must survive.
        fs::create_directories(Folder.Path / "applications");
        WriteFileBytes(Folder.Path / "applications" / "other.desktop", {'x'});
    }
    void Register() {
        Platform.Answers.push_back(TModalResult::mrOk);
        AtnOptionsRegister(Platform, Store, Program);
    }
    void Unregister() {
        Platform.Answers.push_back(TModalResult::mrOk);
        AtnOptionsUnregieter(Platform, Store);
    }

    TTempFolder Folder;
    TFakePlatform Platform;
    std::vector<std::vector<std::string>> Runs;
    TFreedesktopAssociationStore Store;
};

TEST(FileAssociationRows, AreTheFiveKeysWithTheProgramUnquoted) {
    const std::vector<TAssociationRow> expected{
        {"\\.zsm", "zarosim.zsm"},
        {"\\.zsm\\DefaultIcon", Program + ",0"},
        {"\\zarosim.zsm", "ZaroSim 回路モデルファイル"},
        {"\\zarosim.zsm\\DefaultIcon", Program + ",0"},
        {"\\zarosim.zsm\\shell\\open\\command", Program + " \"%1\""}};
    EXPECT_EQ(FileAssociationRows(Program), expected);
}

TEST_F(FileAssociationTest, RegisterWritesThePackageTheIconAndTheEntry) {
    Register();
    EXPECT_EQ(Platform.Messages, (std::vector<std::string>{RegisterQuestion, RegisterDoneMessage}));
    const fs::path home = Folder.Path;
    EXPECT_EQ(Text(home / "mime/packages/zarosim-zsm.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
              "  <mime-type type=\"application/x-zarosim-zsm\">\n"
              "    <comment>ZaroSim 回路モデルファイル</comment>\n"
              "    <icon name=\"application-x-zarosim-zsm\"/>\n"
              "    <glob pattern=\"*.zsm\"/>\n"
              "  </mime-type>\n</mime-info>\n");
    EXPECT_EQ(Text(home / "applications/zarosim-zsm.desktop"),
              "[Desktop Entry]\nType=Application\nName=ZaroSim\n"
              "Comment=ZaroSim 回路モデルファイル\n"
              "Exec=\"/opt/Zaro Sim/bin/zarosim\" %f\n"
              "Icon=application-x-zarosim-zsm\nMimeType=application/x-zarosim-zsm;\n"
              "Terminal=false\nNoDisplay=true\n");
    EXPECT_EQ(Text(home / "icons/hicolor/scalable/mimetypes/application-x-zarosim-zsm.svg"),
              ProgramIconSvg());
    EXPECT_EQ(Runs, (std::vector<std::vector<std::string>>{
                        {"update-mime-database", (home / "mime").string()},
                        {"update-desktop-database", (home / "applications").string()}}));
}

TEST_F(FileAssociationTest, RegisterTwiceWritesTheSameFiles) {
    Register();
    const auto once = Tree(Folder.Path);
    Register();
    EXPECT_EQ(Tree(Folder.Path), once);
}

TEST_F(FileAssociationTest, UnregisterRemovesExactlyWhatRegisterWrote) {
    const auto before = Tree(Folder.Path);
    const auto folders = std::distance(fs::recursive_directory_iterator(Folder.Path), {});
    Unregister(); // without a registration
    EXPECT_EQ(Platform.Messages,
              (std::vector<std::string>{UnregisterQuestion, UnregisterDoneMessage}));
    EXPECT_EQ(Tree(Folder.Path), before);
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(Folder.Path), {}), folders);
    EXPECT_TRUE(Runs.empty());
    Register();
    Runs.clear();
    Unregister();
    EXPECT_EQ(Tree(Folder.Path), before);
    EXPECT_EQ(Runs.size(), 2u); // both databases forget the type
}

TEST_F(FileAssociationTest, CancelChangesNothingAndAFailureIsRaised) {
    const auto before = Tree(Folder.Path);
    Platform.Answers.push_back(TModalResult::mrCancel);
    AtnOptionsRegister(Platform, Store, Program);
    EXPECT_EQ(Tree(Folder.Path), before);
    EXPECT_EQ(Platform.Messages, std::vector<std::string>{RegisterQuestion});

    WriteFileBytes(Folder.Path / "mime", {'x'}); // a file where the folder goes
    Platform.Messages.clear();
    EXPECT_THROW(Register(), EZaroError);
    EXPECT_EQ(Platform.Messages, std::vector<std::string>{RegisterQuestion});
}

TEST(DesktopEntry, QuotesTheProgramAsTheExecLineWantsIt) {
    TDesktopFileType type = DesktopFileTypes(FileAssociationRows("/a \"b\" $c `d` \\e 100%/z"))[0];
    EXPECT_NE(DesktopEntry(type, TDesktopEntryKind::Association)
                  .find("\nExec=\"/a \\\\\"b\\\\\" \\\\$c \\\\`d\\\\` \\\\\\\\e 100%%/z\" %f\n"),
              std::string::npos);
    type.Program = "/a\nb";
    EXPECT_THROW(DesktopEntry(type, TDesktopEntryKind::MenuEntry), EZaroError);
}

} // namespace
} // namespace zaro::test
