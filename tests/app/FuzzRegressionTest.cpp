// Inputs found by fuzzing, and the fuzz seed corpora replayed: every model
// file and clipboard payload kept in fuzz/corpus/ ends in a loaded document or
// one of the program's errors, with the document as it was on an error.

#include "ClipboardCommands.h"
#include "DeviceRecord.h"
#include "DocumentFixture.h"
#include "Sources.h"

#include <filesystem>

namespace zaro::test {
namespace {

const std::filesystem::path Corpus = std::filesystem::path(ZARO_SOURCE_DIR) / "fuzz" / "corpus";

std::vector<std::filesystem::path> CorpusFiles(const std::string& target) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(Corpus / target)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The error an action raised, "" for none; a range error is never an answer
// to bad input, so it fails the test wherever it comes from.
template <typename TAction> std::string ProgramErrorOf(TAction&& action) {
    try {
        action();
    } catch (const ERangeError& e) {
        ADD_FAILURE() << "range error: " << e.what();
        return e.what();
    } catch (const EZaroError& e) {
        return e.what();
    }
    return "";
}

class FuzzRegressionTest : public TDocumentFixture {
protected:
    FuzzRegressionTest() {
        BuildSmallCircuit();
        Doc.SetFileName(Folder / "previous.zsm");
    }

    // A record of the earlier 64-pixel layout of an open terminal whose panel
    // has no ports.
    TBytes OpenWithoutPorts() {
        TOpen open(Doc.TP1());
        open.SetBounds(376, 16, 64, 32);
        open.SetPortCount(0);
        return DeviceRecordBytes(open);
    }
};

TEST_F(FuzzRegressionTest, PasteOfAnOldSizeRecordWithoutPortsIsABrokenFile) {
    Platform.Clipboard[DeviceClipboardFormat] = OpenWithoutPorts();
    const TDocumentSnapshot before = Snapshot(Doc);
    EXPECT_EQ(ProgramErrorOf([&] { AtnEditPaste(Doc); }), BrokenFileMessage);
    EXPECT_EQ(Snapshot(Doc), before);
}

TEST_F(FuzzRegressionTest, ModelWithAnOldSizeDeviceWithoutPortsIsABrokenFile) {
    TMemoryStream model;
    WriteStringToStr(model, ModelFileHeader);
    WriteIntegerToStr(model, 1);
    const TBytes record = OpenWithoutPorts();
    model.Write(record.data(), record.size());
    WriteIntegerToStr(model, 0);
    WriteStringToStr(model, "");
    WriteFileBytes(Folder / "broken.zsm", model.Bytes());
    const TDocumentSnapshot before = Snapshot(Doc);
    EXPECT_EQ(ProgramErrorOf([&] { LoadModel(Doc, Folder / "broken.zsm"); }), BrokenFileMessage);
    EXPECT_EQ(Snapshot(Doc), before);
}

TEST_F(FuzzRegressionTest, EveryModelFileOfTheCorpusLoadsOrLeavesTheDocumentAsItWas) {
    const auto files = CorpusFiles("model_file");
    ASSERT_GT(files.size(), 40u);
    int loaded = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        BuildSmallCircuit();
        Doc.SetFileName(Folder / "previous.zsm");
        Doc.SetModified(true);
        const TDocumentSnapshot before = Snapshot(Doc);
        if (ProgramErrorOf([&] { LoadModel(Doc, file.string()); }).empty()) {
            ++loaded;
            EXPECT_FALSE(Doc.Modified());
            EXPECT_EQ(Doc.FileName(), FullFileName(file.string()));
            // What was loaded saves to a model that loads back to the same bytes.
            const TBytes saved = ModelBytes(Doc);
            SaveModel(Doc, Folder / "resaved.zsm");
            LoadModel(Doc, Folder / "resaved.zsm");
            EXPECT_EQ(ModelBytes(Doc), saved);
        } else {
            EXPECT_EQ(Snapshot(Doc), before);
        }
        ClearCircuit(Doc.Canvas());
    }
    // The valid seeds and the example circuits.
    EXPECT_GE(loaded, 8);
}

TEST_F(FuzzRegressionTest, EveryPayloadOfTheCorpusPastesOneDeviceOrNothing) {
    const auto files = CorpusFiles("clipboard_paste");
    ASSERT_GT(files.size(), 20u);
    int pasted = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        Platform.Clipboard[DeviceClipboardFormat] = ReadFileBytes(file);
        Doc.SetModified(false);
        const TDocumentSnapshot before = Snapshot(Doc);
        const int count = Doc.Canvas().DragPanelCount();
        TZaroSimDevice* device = nullptr;
        if (ProgramErrorOf([&] { device = AtnEditPaste(Doc); }).empty()) {
            ++pasted;
            ASSERT_NE(device, nullptr);
            EXPECT_EQ(Doc.Canvas().DragPanelCount(), count + 1);
            for (int port = 0; port < device->PortCount(); ++port) {
                EXPECT_EQ(device->PortConnectorNo(port), -1);
            }
        } else {
            EXPECT_EQ(Snapshot(Doc), before);
        }
    }
    EXPECT_GE(pasted, 21);
}

} // namespace
} // namespace zaro::test
