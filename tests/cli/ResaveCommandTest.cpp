// zarosim-cli resave, run in-process: a file the program wrote comes back
// byte for byte, and a file it cannot read leaves the output alone.

#include "ResaveCommand.h"
#include "CircuitDocument.h"
#include "Cp932.h"
#include "DevicePlacement.h"
#include "FakePlatform.h"
#include "FakeProgressView.h"
#include "ModelFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace zaro::cli {
namespace {

namespace fs = std::filesystem;

std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class ResaveCommandTest : public ::testing::Test {
protected:
    ResaveCommandTest() {
        Folder = fs::temp_directory_path() / ("resave-" + std::to_string(::getpid()));
        fs::create_directories(Folder);
    }
    ~ResaveCommandTest() override { fs::remove_all(Folder); }

    int Resave(const TArgs& args) {
        std::ostringstream out;
        std::ostringstream err;
        const int code = ResaveCommand(args, out, err);
        Err = err.str();
        return code;
    }
    std::string In() const { return (Folder / "in.zsm").string(); }
    std::string Out() const { return (Folder / "out.zsm").string(); }

    // A wired resistor and meter with Japanese variables, saved to in.zsm.
    void SaveSample() {
        test::TFakePlatform platform;
        test::TFakeProgressView view;
        TCircuitDocument doc(platform, view);
        TZaroSimDevice& r = PlaceDevice(doc, "TResistor");
        TZaroSimDevice& m = PlaceDevice(doc, "TVoltMeter");
        r.ValueEdit()->SetText("R1");
        doc.Canvas().ConnectPorts(r.Index(), 0, m.Index(), 0);
        doc.Canvas().ConnectPorts(r.Index(), 1, m.Index(), 1);
        doc.SetVariableLines({"R1=4.7k", "' 抵抗の値"});
        SaveModel(doc, In());
    }

    fs::path Folder;
    std::string Err;
};

TEST_F(ResaveCommandTest, AFileWrittenByTheProgramComesBackByteForByte) {
    SaveSample();
    EXPECT_EQ(Resave({In(), Out()}), 0) << Err;
    EXPECT_EQ(FileText(Out()), FileText(In()));
    EXPECT_EQ(Err, "");
}

TEST_F(ResaveCommandTest, AnOlderFileGetsTheVariablesTextAndANote) {
    SaveSample();
    std::string old = FileText(In());
    const std::string variables = "R1=4.7k\r\n' 抵抗の値";
    // Drop the variables String: its length word and its code page 932 bytes.
    old.resize(old.size() - 4 - Utf8ToCp932(variables).size());
    WriteText(In(), old);
    EXPECT_EQ(Resave({In(), Out()}), 0);
    EXPECT_EQ(Err, std::string(OldFormatMessage) + "\n");
    EXPECT_EQ(FileText(Out()), old + std::string(4, '\0'));
}

TEST_F(ResaveCommandTest, AFileItCannotReadLeavesTheOutputAlone) {
    WriteText(In(), "not a model");
    WriteText(Out(), "keep");
    EXPECT_EQ(Resave({In(), Out()}), 1);
    EXPECT_EQ(Err, std::string("resave: ") + NotModelFileMessage + "\n");
    EXPECT_EQ(FileText(Out()), "keep");

    EXPECT_EQ(Resave({(Folder / "missing.zsm").string(), Out()}), 1);
    EXPECT_EQ(FileText(Out()), "keep");
}

TEST_F(ResaveCommandTest, NeedsExactlyTwoFileNames) {
    EXPECT_EQ(Resave({}), 1);
    EXPECT_NE(Err.find("usage"), std::string::npos);
    EXPECT_EQ(Resave({In()}), 1);
    EXPECT_EQ(Resave({In(), Out(), Out()}), 1);
    EXPECT_FALSE(fs::exists(Out()));
}

} // namespace
} // namespace zaro::cli
