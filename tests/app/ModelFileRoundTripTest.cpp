// Saving and loading model files: the bytes a document writes, and that a
// saved file loads into the same circuit and saves again byte for byte.

#include "AllClassesCircuit.h"
#include "CaseNames.h"
#include "DocumentFixture.h"
#include "LabelDevice.h"
#include "VariablesText.h"
#include "ZaroStream.h"

#include <algorithm>
#include <set>

namespace zaro::test {
namespace {

TBytes StringItem(const std::string& cp932) {
    TMemoryStream stream;
    WriteIntegerToStr(stream, static_cast<std::int32_t>(cp932.size()));
    stream.Write(cp932.data(), cp932.size());
    return stream.Bytes();
}

TBytes IntegerItem(std::int32_t value) {
    TMemoryStream stream;
    WriteIntegerToStr(stream, value);
    return stream.Bytes();
}

class ModelFileRoundTripTest : public TDocumentFixture {
protected:
    // A second document on its own platform, to load into.
    TFakePlatform OtherPlatform;
    TFakeProgressView OtherView;
    TCircuitDocument Other{OtherPlatform, OtherView};
};

TEST_F(ModelFileRoundTripTest, AnEmptyCircuitIsHeaderTwoZeroCountsAndTheVariablesText) {
    SaveModel(Doc, Folder / "empty.zsm");
    EXPECT_EQ(ReadFileBytes(Folder / "empty.zsm"),
              Concat({StringItem("ZaroSim Model Definition"), IntegerItem(0), IntegerItem(0),
                      StringItem("")}));
}

TEST_F(ModelFileRoundTripTest, VariableLinesAreJoinedByCrLfWithNoneAfterTheLast) {
    Doc.SetVariableLines({"A=1", "", "B=2"});
    SaveModel(Doc, Folder / "vars.zsm");
    const TBytes bytes = ReadFileBytes(Folder / "vars.zsm");
    const TBytes tail = StringItem("A=1\r\n\r\nB=2");
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_EQ(TBytes(bytes.end() - static_cast<std::ptrdiff_t>(tail.size()), bytes.end()), tail);
}

TEST_F(ModelFileRoundTripTest, EveryClassSavesLoadsAndSavesAgainToTheSameBytes) {
    BuildAllClassesCircuit(Doc);
    ASSERT_EQ(Doc.Canvas().DragPanelCount(), 21);
    SaveModel(Doc, Folder / "all.zsm");
    LoadModel(Other, Folder / "all.zsm");
    SaveModel(Other, Folder / "again.zsm");

    EXPECT_EQ(ReadFileBytes(Folder / "again.zsm"), ReadFileBytes(Folder / "all.zsm"));
    EXPECT_EQ(ModelBytes(Other), ModelBytes(Doc));
}

TEST_F(ModelFileRoundTripTest, TheLoadedCircuitHasEveryClassItsTextsAndItsWires) {
    BuildAllClassesCircuit(Doc);
    SaveModel(Doc, Folder / "all.zsm");
    LoadModel(Other, Folder / "all.zsm");

    const std::vector<std::string>& names = DeviceClassNames();
    ASSERT_EQ(Other.Canvas().DragPanelCount(), static_cast<int>(names.size()));
    for (int i = 0; i < Other.Canvas().DragPanelCount(); ++i) {
        EXPECT_EQ(Other.Canvas().DragPanel(i).ClassName(), names[static_cast<std::size_t>(i)]);
        EXPECT_EQ(Other.Canvas().DragPanel(i).Index(), i);
    }
    EXPECT_EQ(Other.VariableLines(), JapaneseVariables);
    const auto labelAt = std::find(names.begin(), names.end(), "TLabelDevice") - names.begin();
    const auto& label = static_cast<const TLabelDevice&>(Other.Canvas().DragPanel(int(labelAt)));
    EXPECT_EQ(label.NoteEditor().Document().Rtf(), JapaneseRtf(JapaneseLabelText));
    EXPECT_EQ(label.Caption(), "ラベル");

    std::set<int> segmentCounts;
    ASSERT_EQ(Other.Canvas().ConnectorCount(), Doc.Canvas().ConnectorCount());
    for (int i = 0; i < Other.Canvas().ConnectorCount(); ++i) {
        const TConnector& loaded = Other.Canvas().Connector(i);
        const TConnector& saved = Doc.Canvas().Connector(i);
        segmentCounts.insert(loaded.LineCount());
        EXPECT_EQ(loaded.Index(), i);
        EXPECT_EQ(loaded.Owner(), &Other.Canvas());
        for (int p = 0; p < TConnector::MaxPoints; ++p) {
            EXPECT_EQ(loaded.Point(p), saved.Point(p));
            EXPECT_EQ(loaded.PointFlag(p), saved.PointFlag(p));
        }
    }
    EXPECT_EQ(segmentCounts, (std::set<int>{4, 5}));
}

TEST_F(ModelFileRoundTripTest, LoadingTakesTheFullNameAndLeavesTheDocumentUnmodified) {
    BuildSmallCircuit();
    SaveModel(Doc, Folder / "small.zsm");
    Other.Analysis().SetResultsValid(true);
    PlacingBuilder(Other).Place("TLamp", 0, 0); // modified, with a device to be replaced
    LoadModel(Other, Folder / "small.zsm");

    EXPECT_EQ(Other.FileName(), Folder / "small.zsm");
    EXPECT_FALSE(Other.Modified());
    EXPECT_FALSE(Other.Analysis().ResultsValid());
    EXPECT_EQ(OtherPlatform.Title, "small.zsm - ZaroSim");
    EXPECT_EQ(OtherPlatform.Status[0], "");
    EXPECT_EQ(ModelBytes(Other), ModelBytes(Doc));
}

TEST_F(ModelFileRoundTripTest, ARelativeNameIsKeptAsTheFullPath) {
    SaveModel(Doc, Folder / "rel.zsm");
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(Folder.Path);
    LoadModel(Other, "../" + Folder.Path.filename().string() + "/./rel.zsm");
    std::filesystem::current_path(cwd);
    EXPECT_EQ(Other.FileName(), Folder / "rel.zsm");
}

TEST_F(ModelFileRoundTripTest, LoadingTheSameFileTwiceGivesTheSameCanvas) {
    BuildAllClassesCircuit(Doc);
    SaveModel(Doc, Folder / "all.zsm");
    LoadModel(Other, Folder / "all.zsm");
    const TBytes first = ModelBytes(Other);
    LoadModel(Other, Folder / "all.zsm");
    EXPECT_EQ(ModelBytes(Other), first);
    EXPECT_EQ(Other.Canvas().DragPanelCount(), 21);
}

TEST_F(ModelFileRoundTripTest, SavingAndLoadingStartFromTheUnscrolledCanvas) {
    BuildSmallCircuit();
    Doc.Canvas().SetHorzScrollPosition(300);
    Doc.Canvas().SetVertScrollPosition(200);
    SaveModel(Doc, Folder / "small.zsm");
    EXPECT_EQ(Doc.Canvas().ScrollPosition(), (TPoint{0, 0}));

    Other.Canvas().SetSize(555, 364);
    Other.Canvas().SetHorzScrollRange(2000);
    Other.Canvas().SetHorzScrollPosition(120);
    LoadModel(Other, Folder / "small.zsm");
    EXPECT_EQ(Other.Canvas().ScrollPosition(), (TPoint{0, 0}));
}

TEST_F(ModelFileRoundTripTest, LoadedPortCaptionsAreThoseOfANewlyPlacedDevice) {
    TZaroSimDevice& meter = Place("TVoltMeter");
    TZaroSimDevice& resistor = Place("TResistor");
    TZaroSimDevice& level = Place("TLevel");
    meter.SetPortCaption(0, "x");
    meter.SetPortCaption(1, "y");
    resistor.SetPortCaption(0, "p");
    level.SetPortCaption(0, "");
    SaveModel(Doc, Folder / "captions.zsm");
    LoadModel(Other, Folder / "captions.zsm");

    const TDragPanel& loadedMeter = Other.Canvas().DragPanel(0);
    EXPECT_EQ(loadedMeter.PortCaption(0), "+");
    EXPECT_EQ(loadedMeter.PortCaption(1), "-");
    EXPECT_EQ(Other.Canvas().DragPanel(1).PortCaption(0), "a");
    EXPECT_EQ(Other.Canvas().DragPanel(1).PortCaption(1), "b");
    EXPECT_EQ(Other.Canvas().DragPanel(2).PortCaption(0), "a");
}

TEST_F(ModelFileRoundTripTest, AFileThatEndsAfterTheWiresLoadsAsTheOlderFormat) {
    BuildSmallCircuit();
    Doc.SetVariableLines({});
    SaveModel(Doc, Folder / "new.zsm");
    TBytes old = ReadFileBytes(Folder / "new.zsm");
    old.resize(old.size() - 4); // the empty variables text
    WriteFileBytes(Folder / "old.zsm", old);
    Other.SetVariableLines({"KEEP=1"});

    LoadModel(Other, Folder / "old.zsm");

    EXPECT_EQ(OtherPlatform.Messages, std::vector<std::string>{OldFormatMessage});
    EXPECT_TRUE(Other.VariableLines().empty());
    EXPECT_EQ(Other.Canvas().DragPanelCount(), 4);
    EXPECT_EQ(Other.Canvas().ConnectorCount(), 4);
    EXPECT_FALSE(Other.Modified());
    EXPECT_EQ(ModelBytes(Other), ReadFileBytes(Folder / "new.zsm"));
}

TEST_F(ModelFileRoundTripTest, LoadedDevicesShowTheirPropertiesWhenClicked) {
    BuildSmallCircuit();
    SaveModel(Doc, Folder / "small.zsm");
    LoadModel(Other, Folder / "small.zsm");
    Other.Canvas().SetSelectedDragPanelNo(1);
    Other.SetPropertyText("");
    Other.Canvas().DragPanel(1).Click();
    EXPECT_NE(Other.PropertyText(), "");
}

struct TSplitCase {
    std::string Text;
    std::vector<std::string> Lines;
    bool CrLfOnly = true; // the text is what joining its lines gives
};

class VariablesTextTest : public ::testing::TestWithParam<TSplitCase> {};

TEST_P(VariablesTextTest, SplitsAtEveryLineBreakAndJoinsWithCrLf) {
    const TSplitCase& c = GetParam();
    EXPECT_EQ(SplitVariablesText(c.Text), c.Lines);
    if (c.CrLfOnly) {
        EXPECT_EQ(JoinVariableLines(c.Lines), c.Text);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, VariablesTextTest,
                         ::testing::Values(TSplitCase{"", {}}, TSplitCase{"A=1", {"A=1"}},
                                           TSplitCase{"A=1\r\nB=2", {"A=1", "B=2"}},
                                           TSplitCase{"A=1\r\n", {"A=1", ""}},
                                           TSplitCase{"\r\n", {"", ""}},
                                           TSplitCase{"A=1\r\n\r\nB=2", {"A=1", "", "B=2"}},
                                           TSplitCase{"A=1\nB=2", {"A=1", "B=2"}, false},
                                           TSplitCase{"A=1\rB=2\n", {"A=1", "B=2", ""}, false},
                                           TSplitCase{"\n\r", {"", "", ""}, false}),
                         test::NamedAfter(&TSplitCase::Text));

} // namespace
} // namespace zaro::test
