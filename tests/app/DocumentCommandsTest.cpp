// The File commands and the placement commands as the user meets them: the
// questions, the dialogs and what each answer does to the document and its file.

#include "DocumentCommands.h"
#include "AllClassesCircuit.h"
#include "DeviceFactory.h"
#include "DocumentFixture.h"

#include <set>

namespace zaro::test {
namespace {

class DocumentCommandsTest : public TDocumentFixture {
protected:
    // The document was saved to current.zsm and changed since.
    void MakeSavedAndChanged() {
        BuildSmallCircuit();
        SaveModel(Doc, Current);
        LoadModel(Doc, Current);
        Place("TLamp", 300, 40);
        Platform.Messages.clear();
        Platform.Calls.clear();
        Saved = ReadFileBytes(Current);
        Before = Snapshot(Doc);
    }

    const std::string Current = Folder / "current.zsm";
    TBytes Saved;
    TDocumentSnapshot Before;
};

// --- New ---------------------------------------------------------------------

TEST_F(DocumentCommandsTest, NewOnAnUnchangedDocumentAsksNothingAndKeepsTheVariables) {
    BuildSmallCircuit();
    SaveModel(Doc, Current);
    LoadModel(Doc, Current);
    Doc.Analysis().SetResultsValid(true);
    AtnFileNew(Doc);

    EXPECT_TRUE(Platform.Messages.empty());
    EXPECT_EQ(Doc.Canvas().DragPanelCount(), 0);
    EXPECT_EQ(Doc.Canvas().ConnectorCount(), 0);
    EXPECT_EQ(Doc.FileName(), "");
    EXPECT_FALSE(Doc.Modified());
    EXPECT_FALSE(Doc.Analysis().ResultsValid());
    EXPECT_EQ(Doc.VariableLines(), std::vector<std::string>{"VCC=5"});
    EXPECT_EQ(Platform.Title, "Untitled - ZaroSim");
}

TEST_F(DocumentCommandsTest, NewAnsweredNoDiscardsTheChangesUnsaved) {
    MakeSavedAndChanged();
    Platform.Answers = {TModalResult::mrNo};
    AtnFileNew(Doc);

    EXPECT_EQ(Platform.Messages, std::vector<std::string>{NewModifiedQuestion});
    EXPECT_EQ(Platform.Count("ChooseSaveFile"), 0);
    EXPECT_EQ(Doc.Canvas().DragPanelCount(), 0);
    EXPECT_FALSE(Doc.Modified());
    EXPECT_EQ(ReadFileBytes(Current), Saved);
}

TEST_F(DocumentCommandsTest, NewAnsweredYesThenACancelledSaveKeepsEverything) {
    MakeSavedAndChanged();
    Platform.Answers = {TModalResult::mrYes};
    Platform.FileAnswers = {std::nullopt};
    AtnFileNew(Doc);

    EXPECT_EQ(Platform.Count("ChooseSaveFile: ZaroSimモデルに名前をつけて保存"), 1);
    EXPECT_TRUE(Snapshot(Doc) == Before);
    EXPECT_EQ(ReadFileBytes(Current), Saved);
}

TEST_F(DocumentCommandsTest, NewAnsweredYesSavesUnderTheChosenNameFirst) {
    MakeSavedAndChanged();
    const TBytes changed = ModelBytes(Doc);
    Platform.Answers = {TModalResult::mrYes};
    Platform.FileAnswers = {Folder / "kept.zsm"};
    AtnFileNew(Doc);

    EXPECT_EQ(ReadFileBytes(Folder / "kept.zsm"), changed);
    EXPECT_EQ(Doc.Canvas().DragPanelCount(), 0);
    EXPECT_EQ(Doc.FileName(), "");
}

TEST_F(DocumentCommandsTest, ADismissedQuestionKeepsTheChanges) {
    MakeSavedAndChanged();
    Platform.Answers = {TModalResult::mrCancel, TModalResult::mrCancel};
    AtnFileNew(Doc);
    AtnFileOpen(Doc);
    EXPECT_EQ(Platform.Messages.size(), 2u);
    EXPECT_EQ(Platform.Count("Choose"), 0);
    EXPECT_TRUE(Snapshot(Doc) == Before);
}

TEST_F(DocumentCommandsTest, PlacingThenNewThenPlacingNumbersTheNewDeviceZero) {
    Place("TResistor");
    Place("TCapacitor");
    Platform.Answers = {TModalResult::mrNo};
    AtnFileNew(Doc);
    EXPECT_EQ(Place("TInductor").Index(), 0);
}

// --- Open --------------------------------------------------------------------

TEST_F(DocumentCommandsTest, OpenShowsTheModelDialogAndLoadsThePickedFile) {
    BuildSmallCircuit();
    SaveModel(Doc, Current);
    const TBytes model = ModelBytes(Doc);
    Platform.Answers = {TModalResult::mrNo};
    Platform.FileAnswers = {Current};
    AtnFileOpen(Doc);

    EXPECT_EQ(Platform.Messages, std::vector<std::string>{OpenModifiedQuestion});
    ASSERT_EQ(Platform.FileDialogs.size(), 1u);
    const TFileDialogOptions& dialog = Platform.FileDialogs[0];
    EXPECT_EQ(dialog.Title, "ZaroSimモデルを開く");
    EXPECT_EQ(dialog.DefaultExt, "ZSM");
    EXPECT_EQ(dialog.Filter, "ZaroSim Model(*.ZSM)|*.ZSM|All Files(*.*)|*.*|");
    EXPECT_EQ(Doc.FileName(), Current);
    EXPECT_FALSE(Doc.Modified());
    EXPECT_EQ(ModelBytes(Doc), model);
}

TEST_F(DocumentCommandsTest, OpenStartsInTheCurrentFilesFolder) {
    MakeSavedAndChanged();
    Platform.Answers = {TModalResult::mrNo};
    AtnFileOpen(Doc);
    ASSERT_EQ(Platform.FileDialogs.size(), 1u);
    EXPECT_EQ(Platform.FileDialogs[0].FileName, Current);
}

TEST_F(DocumentCommandsTest, OpenCancelledInTheDialogChangesNothing) {
    MakeSavedAndChanged();
    Platform.Answers = {TModalResult::mrNo};
    Platform.FileAnswers = {std::nullopt};
    AtnFileOpen(Doc);
    EXPECT_TRUE(Snapshot(Doc) == Before);
}

TEST_F(DocumentCommandsTest, OpenOfABrokenFileRaisesAndKeepsTheDocument) {
    MakeSavedAndChanged();
    WriteFileBytes(Folder / "text.zsm", {'h', 'e', 'l', 'l', 'o'});
    Platform.Answers = {TModalResult::mrNo};
    Platform.FileAnswers = {Folder / "text.zsm"};
    EXPECT_EQ(ErrorOf([&] { AtnFileOpen(Doc); }), NotModelFileMessage);
    EXPECT_TRUE(Snapshot(Doc) == Before);
    EXPECT_EQ(Platform.Title, "current.zsm - ZaroSim");
}

TEST_F(DocumentCommandsTest, OpenAnsweredYesThenCancelledSaveOpensNothing) {
    MakeSavedAndChanged();
    Platform.Answers = {TModalResult::mrYes};
    Platform.FileAnswers = {std::nullopt, Current};
    AtnFileOpen(Doc);
    EXPECT_EQ(Platform.Count("ChooseOpenFile"), 0);
    EXPECT_TRUE(Snapshot(Doc) == Before);
}

// --- Save and save as ----------------------------------------------------------

TEST_F(DocumentCommandsTest, SaveOfAnUntitledDocumentAsksForAName) {
    BuildSmallCircuit();
    Platform.FileAnswers = {Folder / "first.zsm"};
    EXPECT_TRUE(AtnFileSave(Doc));

    EXPECT_TRUE(Platform.Messages.empty()); // a new file needs no question
    EXPECT_EQ(Doc.FileName(), Folder / "first.zsm");
    EXPECT_FALSE(Doc.Modified());
    EXPECT_EQ(Platform.Title, "first.zsm - ZaroSim");
    EXPECT_EQ(ReadFileBytes(Folder / "first.zsm"), ModelBytes(Doc));
}

TEST_F(DocumentCommandsTest, SaveAsCancelledKeepsTheDocumentModified) {
    BuildSmallCircuit();
    Platform.FileAnswers = {std::nullopt};
    EXPECT_FALSE(AtnFileSave(Doc));
    EXPECT_TRUE(Doc.Modified());
    EXPECT_EQ(Doc.FileName(), "");
    EXPECT_TRUE(Folder.Entries().empty());
}

TEST_F(DocumentCommandsTest, SaveAsksBeforeReplacingTheDocumentsOwnFileEveryTime) {
    MakeSavedAndChanged();
    const std::string question = Current + OverwriteQuestionTail;
    Platform.Answers = {TModalResult::mrYes, TModalResult::mrYes};
    EXPECT_TRUE(AtnFileSave(Doc));
    EXPECT_TRUE(AtnFileSave(Doc));

    EXPECT_EQ(Platform.Messages, (std::vector<std::string>{question, question}));
    EXPECT_EQ(ReadFileBytes(Current), ModelBytes(Doc));
    EXPECT_FALSE(Doc.Modified());
    EXPECT_EQ(Platform.Status[0], "");
}

TEST_F(DocumentCommandsTest, SaveAnsweredNoLeavesTheFileAndTheFlag) {
    MakeSavedAndChanged();
    Platform.Answers = {TModalResult::mrNo};
    EXPECT_FALSE(AtnFileSave(Doc));
    EXPECT_EQ(ReadFileBytes(Current), Saved);
    EXPECT_TRUE(Snapshot(Doc) == Before);
}

TEST_F(DocumentCommandsTest, AFailedSaveLeavesTheFileAndTheFlag) {
    MakeSavedAndChanged();
    std::vector<std::string> lines = Doc.VariableLines();
    lines.push_back("X=\xF0\x9F\x98\x80"); // not in code page 932
    Doc.SetVariableLines(lines);
    Platform.Answers = {TModalResult::mrYes};
    EXPECT_NE(ErrorOf([&] { AtnFileSave(Doc); }), "");
    EXPECT_EQ(ReadFileBytes(Current), Saved);
    EXPECT_TRUE(Doc.Modified());
    EXPECT_EQ(Doc.FileName(), Current);
}

TEST_F(DocumentCommandsTest, SaveAsOverAnotherFileAnsweredNoKeepsTheOldName) {
    MakeSavedAndChanged();
    WriteFileBytes(Folder / "other.zsm", {'x'});
    Platform.FileAnswers = {Folder / "other.zsm"};
    Platform.Answers = {TModalResult::mrNo};
    EXPECT_FALSE(AtnFileSaveAs(Doc));

    EXPECT_EQ(Platform.Messages,
              std::vector<std::string>{Folder / "other.zsm" + OverwriteQuestionTail});
    EXPECT_EQ(ReadFileBytes(Folder / "other.zsm"), TBytes{'x'});
    EXPECT_TRUE(Snapshot(Doc) == Before);
}

TEST_F(DocumentCommandsTest, SaveAsShowsTheModelDialogAndTakesTheNewName) {
    MakeSavedAndChanged();
    Platform.FileAnswers = {Folder / "copy.zsm"};
    EXPECT_TRUE(AtnFileSaveAs(Doc));

    ASSERT_EQ(Platform.FileDialogs.size(), 1u);
    EXPECT_EQ(Platform.FileDialogs[0].Title, "ZaroSimモデルに名前をつけて保存");
    EXPECT_EQ(Platform.FileDialogs[0].DefaultExt, "ZSM");
    EXPECT_EQ(Platform.FileDialogs[0].Filter, ModelFileFilter);
    EXPECT_EQ(Doc.FileName(), Folder / "copy.zsm");
    EXPECT_EQ(ReadFileBytes(Current), Saved);
    EXPECT_EQ(ReadFileBytes(Folder / "copy.zsm"), ModelBytes(Doc));
}

// --- Closing -------------------------------------------------------------------

TEST_F(DocumentCommandsTest, AnUnchangedDocumentClosesWithoutAQuestion) {
    EXPECT_TRUE(FormCloseQuery(Doc));
    EXPECT_TRUE(Platform.Messages.empty());
}

struct TCloseCase {
    const char* Name;
    TModalResult Answer;
    std::optional<std::string> SaveAs; // file name relative to the folder, or cancel
    bool Closes;
    bool Saves;
};

void PrintTo(const TCloseCase& c, std::ostream* os) {
    *os << c.Name;
}

class CloseQueryTest : public DocumentCommandsTest,
                       public ::testing::WithParamInterface<TCloseCase> {};

TEST_P(CloseQueryTest, AnswersDecideWhetherTheWindowCloses) {
    const TCloseCase& c = GetParam();
    MakeSavedAndChanged();
    const TBytes changed = ModelBytes(Doc);
    Platform.Answers = {c.Answer};
    Platform.FileAnswers = {c.SaveAs ? std::optional<std::string>(Folder / *c.SaveAs)
                                     : std::nullopt};
    EXPECT_EQ(FormCloseQuery(Doc), c.Closes);
    EXPECT_EQ(Platform.Messages.front(), CloseModifiedQuestion);
    EXPECT_EQ(std::filesystem::exists(Folder / "closing.zsm"), c.Saves);
    if (c.Saves) {
        EXPECT_EQ(ReadFileBytes(Folder / "closing.zsm"), changed);
    }
    EXPECT_EQ(ReadFileBytes(Current), Saved);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CloseQueryTest,
    ::testing::Values(TCloseCase{"No", TModalResult::mrNo, std::nullopt, true, false},
                      TCloseCase{"YesSaved", TModalResult::mrYes, "closing.zsm", true, true},
                      TCloseCase{"YesCancelled", TModalResult::mrYes, std::nullopt, false, false},
                      TCloseCase{"Dismissed", TModalResult::mrCancel, std::nullopt, false, false}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- Device placement ----------------------------------------------------------

class PlacementTest : public DocumentCommandsTest,
                      public ::testing::WithParamInterface<TDevicePlacement> {};

TEST_P(PlacementTest, PlacesItsClassInTheMiddleOfTheVisibleCanvas) {
    const TDevicePlacement& placement = GetParam();
    Place("TResistor", 8, 8);
    Doc.SetModified(false);
    Doc.Analysis().SetResultsValid(true);
    Doc.Canvas().SetHorzScrollPosition(200);
    Doc.Canvas().SetVertScrollPosition(100);

    TZaroSimDevice& device = AtnDevice(Doc, placement.Command);

    EXPECT_EQ(device.ClassName(), placement.ClassName);
    EXPECT_EQ(device.Index(), 1);
    EXPECT_EQ(&Doc.Canvas().DragPanel(1), &device);
    // Client coordinates: the scroll position does not enter.
    EXPECT_EQ(device.Left(), (555 - device.Width()) / 2);
    EXPECT_EQ(device.Top(), (364 - device.Height()) / 2);
    EXPECT_TRUE(Doc.Modified());
    EXPECT_FALSE(Doc.Analysis().ResultsValid());
    EXPECT_EQ(Platform.Status[0], "変更");
    Doc.SetPropertyText("");
    Doc.Canvas().SetSelectedDragPanelNo(1);
    device.Click();
    EXPECT_NE(Doc.PropertyText(), "");
}

TEST_P(PlacementTest, MetersShowTheirPolarityAndOtherDevicesTheirClassCaptions) {
    const TDevicePlacement& placement = GetParam();
    TZaroSimDevice& device = AtnDevice(Doc, placement.Command);
    const auto fresh = CreateDeviceByClassName(placement.ClassName, Doc.TP1());
    ASSERT_EQ(device.PortCount(), fresh->PortCount());
    const bool meter = placement.ClassName == "TVoltMeter" || placement.ClassName == "TAmMeter";
    for (int port = 0; port < device.PortCount(); ++port) {
        const std::string expected = meter ? (port == 0 ? "+" : "-") : fresh->PortCaption(port);
        EXPECT_EQ(device.PortCaption(port), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(All, PlacementTest, ::testing::ValuesIn(DevicePlacements()),
                         [](const auto& info) { return std::string(info.param.Command); });

TEST_F(DocumentCommandsTest, ThePlacementCommandsCoverEveryClassOnceInMenuOrder) {
    std::set<std::string_view> classes;
    std::vector<std::string_view> menus;
    for (const TDevicePlacement& p : DevicePlacements()) {
        classes.insert(p.ClassName);
        if (menus.empty() || menus.back() != p.Menu) {
            menus.push_back(p.Menu);
        }
    }
    EXPECT_EQ(classes.size(), 21u);
    EXPECT_EQ(classes,
              std::set<std::string_view>(DeviceClassNames().begin(), DeviceClassNames().end()));
    EXPECT_EQ(menus, (std::vector<std::string_view>{"Basic", "Source and GND", "Concatenator",
                                                    "Meter", "Semiconductor", "Special"}));
    const TDevicePlacement& amMeter = DevicePlacements()[13];
    EXPECT_EQ(amMeter.Command, "AtnDeviceAmMeter");
    EXPECT_EQ(amMeter.Caption, "Ampere Meter(電流系)");
    EXPECT_EQ(amMeter.Hint, "電流計");
    EXPECT_EQ(amMeter.Glyph, 23);
    EXPECT_TRUE(DevicePlacements()[6].SeparatorBefore); // before the voltage level
}

TEST_F(DocumentCommandsTest, AnUnknownPlacementAddsNothing) {
    EXPECT_NE(ErrorOf([&] { AtnDevice(Doc, "AtnDeviceQ"); }), "");
    EXPECT_NE(ErrorOf([&] { PlaceDevice(Doc, "TQuark"); }), "");
    EXPECT_EQ(Doc.Canvas().DragPanelCount(), 0);
    EXPECT_FALSE(Doc.Modified());
}

} // namespace
} // namespace zaro::test
