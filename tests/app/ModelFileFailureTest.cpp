// Files that cannot be loaded or saved: the error is raised, and the document
// and the file on disk stay exactly as they were.

#include "DocumentFixture.h"
#include "ZaroStream.h"

#include <algorithm>
#include <functional>
#include <sys/stat.h>

namespace zaro::test {
namespace {

// Where `text` first occurs in the bytes, or the end.
std::size_t Find(const TBytes& bytes, const std::string& text) {
    return static_cast<std::size_t>(
        std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) - bytes.begin());
}

void Overwrite(TBytes& bytes, std::size_t at, const std::string& text) {
    ASSERT_LE(at + text.size(), bytes.size());
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

void OverwriteInteger(TBytes& bytes, std::size_t at, std::int32_t value) {
    TMemoryStream stream;
    WriteIntegerToStr(stream, value);
    const TBytes& word = stream.Bytes();
    Overwrite(bytes, at, std::string(word.begin(), word.end()));
}

class ModelFileLoadFailureTest : public TDocumentFixture {
protected:
    // The document has a saved file, unsaved changes, a scrolled canvas and a selection.
    void SetUp() override {
        BuildSmallCircuit();
        SaveModel(Doc, Folder / "current.zsm");
        LoadModel(Doc, Folder / "current.zsm");
        Place("TLamp", 300, 40);
        Doc.Canvas().SetHorzScrollPosition(40);
        Doc.Canvas().SetVertScrollPosition(24);
        Doc.Canvas().SetSelectedDragPanelNo(1);
        Doc.UpdateStatus();
        Before = Snapshot(Doc);
        Platform.Messages.clear();
        Valid = ReadFileBytes(Folder / "current.zsm");
    }

    // Loading the bytes fails with `message` and changes nothing.
    void ExpectRefused(const TBytes& bytes, const std::string& message) {
        WriteFileBytes(Folder / "bad.zsm", bytes);
        EXPECT_EQ(ErrorOf([&] { LoadModel(Doc, Folder / "bad.zsm"); }), message);
        ExpectUnchanged();
        EXPECT_EQ(ReadFileBytes(Folder / "bad.zsm"), bytes);
    }
    void ExpectUnchanged() {
        EXPECT_TRUE(Snapshot(Doc) == Before);
        EXPECT_EQ(Doc.VariableLines(), std::vector<std::string>{"VCC=5"});
        EXPECT_EQ(Platform.Title, "current.zsm - ZaroSim");
        EXPECT_EQ(Platform.Status[0], "変更");
        EXPECT_TRUE(Platform.Messages.empty());
    }

    TDocumentSnapshot Before;
    TBytes Valid;
};

TEST_F(ModelFileLoadFailureTest, AFileThatCannotBeOpened) {
    const std::string message = ErrorOf([&] { LoadModel(Doc, Folder / "missing.zsm"); });
    EXPECT_EQ(message.rfind("Cannot open file \"" + Folder / "missing.zsm" + "\"", 0), 0u)
        << message;
    ExpectUnchanged();
}

TEST_F(ModelFileLoadFailureTest, AWrongHeaderIsNotAModelFile) {
    TBytes wrong = Valid;
    Overwrite(wrong, 4 + 23, "m");
    ExpectRefused(wrong, NotModelFileMessage);
    ExpectRefused({}, NotModelFileMessage);
    ExpectRefused({24, 0}, NotModelFileMessage);
    ExpectRefused({0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13}, NotModelFileMessage);
}

TEST_F(ModelFileLoadFailureTest, AnUnknownClassNameIsABrokenFile) {
    TBytes first = Valid;
    Overwrite(first, Find(first, "TVDC"), "TVDX");
    ExpectRefused(first, BrokenFileMessage);
    // Devices read before the unknown one are not left behind either.
    TBytes third = Valid;
    Overwrite(third, Find(third, "TYConnection"), "TYConnectio_");
    ExpectRefused(third, BrokenFileMessage);
}

TEST_F(ModelFileLoadFailureTest, NegativeCountsAreABrokenFile) {
    TBytes panels = Valid;
    OverwriteInteger(panels, 28, -1);
    ExpectRefused(panels, BrokenFileMessage);
    TBytes wires = Valid;
    OverwriteInteger(wires, Find(wires, "TConnector") - 8, -4);
    ExpectRefused(wires, BrokenFileMessage);
}

TEST_F(ModelFileLoadFailureTest, ADamagedRecordRaisesItsOwnError) {
    TBytes tag = Valid;
    Overwrite(tag, Find(tag, "TDragPanel4P"), "TDragPanel4Q");
    ExpectRefused(tag, "TDragPanel4P.LoadFromStream: This is not TDragPanel4P object.");
    TBytes wire = Valid;
    Overwrite(wire, Find(wire, "TConnector"), "TConnectoX");
    ExpectRefused(wire, "TConnector.LoadFromStream: This is not TConnector object.");
}

TEST_F(ModelFileLoadFailureTest, EveryShortenedModelIsRefusedExceptTheOlderFormat) {
    const std::size_t olderFormat = Valid.size() - 4 - std::string("VCC=5").size();
    for (std::size_t length = 0; length < Valid.size(); ++length) {
        TMemoryStream stream(TBytes(Valid.begin(), Valid.begin() + long(length)));
        if (length != olderFormat) {
            EXPECT_NE(ErrorOf([&] { ReadModel(stream, Doc.TP1()); }), "") << length;
        }
    }
}

TEST_F(ModelFileLoadFailureTest, AShortenedFileLeavesTheDocumentAsItWas) {
    for (const char* cutAt : {"TYConnection", "TConnector"}) {
        const std::size_t at = Find(Valid, cutAt) + 20;
        ExpectRefused(TBytes(Valid.begin(), Valid.begin() + long(at)), "Stream read error");
    }
}

// A valid circuit that one change makes inconsistent.
struct TDamage {
    const char* Name;
    std::function<void(TCodingPanel&)> Apply;
};

void PrintTo(const TDamage& damage, std::ostream* os) {
    *os << damage.Name;
}

class InconsistentModelTest : public ModelFileLoadFailureTest,
                              public ::testing::WithParamInterface<TDamage> {};

TEST_P(InconsistentModelTest, IsABrokenFile) {
    TFakePlatform sourcePlatform;
    TFakeProgressView sourceView;
    TCircuitDocument source(sourcePlatform, sourceView);
    LoadModel(source, Folder / "current.zsm");
    GetParam().Apply(source.Canvas());
    ExpectRefused(ModelBytes(source), BrokenFileMessage);
}

// Panels: 0 source (ports "-" "+"), 1 resistor, 2 junction, 3 ground.
// Wires: 0 source.1-resistor.0, 1 resistor.1-junction.0, 2 junction.1-source.0,
// 3 junction.2-ground.0.
INSTANTIATE_TEST_SUITE_P(
    Damages, InconsistentModelTest,
    ::testing::Values(
        TDamage{"PortNamesAMissingWire",
                [](TCodingPanel& c) { c.DragPanel(3).SetPortConnectorNo(0, 4); }},
        TDamage{"PortNumberBelowMinusOne",
                [](TCodingPanel& c) { c.DragPanel(3).SetPortConnectorNo(0, -2); }},
        TDamage{"PortNamesAWireOfAnotherPort",
                [](TCodingPanel& c) { c.DragPanel(0).SetPortConnectorNo(1, 1); }},
        TDamage{"WireEndsAtAPortThatLetGo",
                [](TCodingPanel& c) { c.DragPanel(0).SetPortConnectorNo(1, -1); }},
        TDamage{"WireEndsOnAMissingPanel",
                [](TCodingPanel& c) { c.Connector(3).SetEndPanelNo(9); }},
        TDamage{"WireEndsOnAMissingPort", [](TCodingPanel& c) { c.Connector(3).SetEndPortNo(1); }},
        TDamage{"WireStartsOnANegativePanel",
                [](TCodingPanel& c) { c.Connector(0).SetStartPanelNo(-1); }},
        TDamage{"TwoWiresClaimOnePort",
                [](TCodingPanel& c) {
                    TConnector& extra = c.NewConnector();
                    extra.SetStartPanelNo(3);
                    extra.SetStartPortNo(0);
                    extra.SetEndPanelNo(1);
                    extra.SetEndPortNo(1);
                }},
        TDamage{"WireFromAPortToItself",
                [](TCodingPanel& c) {
                    c.DeleteConnector(3);
                    TConnector& loop = c.NewConnector();
                    for (auto set : {&TConnector::SetStartPanelNo, &TConnector::SetEndPanelNo}) {
                        (loop.*set)(3);
                    }
                    loop.SetStartPortNo(0);
                    loop.SetEndPortNo(0);
                    c.DragPanel(3).SetPortConnectorNo(0, loop.Index());
                }},
        TDamage{"DeviceWithTooManyPorts", [](TCodingPanel& c) { c.DragPanel(1).SetPortCount(3); }},
        TDamage{"DeviceWithTooFewPorts",
                [](TCodingPanel& c) {
                    c.DeleteConnector(3);
                    c.DragPanel(3).SetPortCount(0);
                }}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ModelFileLoadFailureTest, ADamagedVariablesTextIsNotTakenForTheOlderFormat) {
    TBytes cut(Valid.begin(), Valid.end() - 2);
    ExpectRefused(cut, "Stream read error");
}

class ModelFileSaveFailureTest : public TDocumentFixture {
protected:
    void SetUp() override {
        BuildSmallCircuit();
        WriteFileBytes(Target, OldBytes);
        Entries = Folder.Entries();
    }
    // The save failed, the old file is as it was and nothing else was left in the folder.
    void ExpectNothingWritten(const std::string& message) {
        EXPECT_NE(message, "");
        EXPECT_EQ(ReadFileBytes(Target), OldBytes);
        EXPECT_EQ(Folder.Entries(), Entries);
    }

    const std::string Target = Folder / "target.zsm";
    const TBytes OldBytes{'o', 'l', 'd'};
    std::vector<std::string> Entries;
};

TEST_F(ModelFileSaveFailureTest, TextTheFileCannotHoldWritesNothing) {
    std::vector<std::string> lines = Doc.VariableLines();
    lines.push_back("SMILE=\xF0\x9F\x98\x80");
    Doc.SetVariableLines(lines);
    ExpectNothingWritten(ErrorOf([&] { SaveModel(Doc, Target); }));
}

TEST_F(ModelFileSaveFailureTest, AVariablesTextTooLongForAStringWritesNothing) {
    Doc.SetVariableLines(std::vector<std::string>(7000, "X=12345678"));
    ExpectNothingWritten(ErrorOf([&] { SaveModel(Doc, Target); }));
}

TEST_F(ModelFileSaveFailureTest, AMissingFolderCreatesNothing) {
    const std::string inMissing = Folder / "missing/target.zsm";
    const std::string message = ErrorOf([&] { SaveModel(Doc, inMissing); });
    EXPECT_EQ(message.rfind("Cannot create file \"" + inMissing + "\"", 0), 0u) << message;
    ExpectNothingWritten(message);
}

TEST_F(ModelFileSaveFailureTest, AFolderInTheWayIsLeftAloneAndTheNewFileRemoved) {
    std::filesystem::create_directory(Folder / "dir.zsm");
    Entries = Folder.Entries();
    const std::string message = ErrorOf([&] { SaveModel(Doc, Folder / "dir.zsm"); });
    EXPECT_EQ(message.rfind("Cannot write file", 0), 0u) << message;
    ExpectNothingWritten(message);
    EXPECT_TRUE(std::filesystem::is_directory(Folder / "dir.zsm"));
}

TEST_F(ModelFileSaveFailureTest, AReplacedFileKeepsItsPermissions) {
    ASSERT_EQ(::chmod(Target.c_str(), 0640), 0);
    SaveModel(Doc, Target);
    struct stat info {};
    ASSERT_EQ(::stat(Target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadFileBytes(Target), ModelBytes(Doc));
    EXPECT_EQ(Folder.Entries(), Entries);
}

TEST_F(ModelFileSaveFailureTest, SavingThroughALinkWritesTheFileItNames) {
    std::filesystem::create_symlink(Target, Folder / "link.zsm");
    SaveModel(Doc, Folder / "link.zsm");
    EXPECT_TRUE(std::filesystem::is_symlink(Folder / "link.zsm"));
    EXPECT_EQ(ReadFileBytes(Target), ModelBytes(Doc));
}

} // namespace
} // namespace zaro::test
