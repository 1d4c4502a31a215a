#include "ModelFile.h"

#include "DevicePlacement.h"
#include "FileReplace.h"
#include "VariablesText.h"
#include "ZaroStream.h"

#include <filesystem>

namespace zaro {

namespace {

void ReadHeader(TStream& stream) {
    std::string header;
    try {
        header = ReadStringFromStr(stream);
    } catch (const EZaroError&) {
        // Too short, or a length word no model file has: not one of ours.
        throw EZaroError(NotModelFileMessage);
    }
    if (header != ModelFileHeader) {
        throw EZaroError(NotModelFileMessage);
    }
}

std::int32_t ReadCount(TStream& stream) {
    const std::int32_t count = ReadIntegerFromStr(stream);
    if (count < 0) {
        throw EZaroError(BrokenFileMessage);
    }
    return count;
}

std::unique_ptr<TConnector> ReadConnector(TStream& stream, std::int32_t position) {
    auto connector = std::make_unique<TConnector>();
    connector->LoadFromStream(stream);
    connector->SetIndex(position);
    return connector;
}

// Only a file that ends right after the connectors lacks the variables; a
// variables text that is there but damaged is an error like any other.
void ReadVariables(TStream& stream, TModelContents& contents) {
    if (stream.Remaining() == 0) {
        contents.OldFormat = true;
        return;
    }
    contents.Variables = SplitVariablesText(ReadStringFromStr(stream));
}

void CopyConnector(const TConnector& source, TConnector& target) {
    TMemoryStream record;
    source.SaveToStream(record);
    record.SetPosition(0);
    target.LoadFromStream(record);
}

void ScrollToOrigin(TCodingPanel& canvas) {
    canvas.SetHorzScrollPosition(0);
    canvas.SetVertScrollPosition(0);
    canvas.Platform().RepaintCanvas();
}

// The accepted model becomes the document's; nothing here reads the file.
void InstallModel(TCircuitDocument& document, TModelContents contents,
                  const std::string& fileName) {
    TCodingPanel& canvas = document.Canvas();
    document.History().Clear();
    ClearCircuit(canvas);
    ScrollToOrigin(canvas);
    for (auto& device : contents.Devices) {
        document.AddDevice(std::move(device));
    }
    for (const auto& connector : contents.Connectors) {
        CopyConnector(*connector, canvas.NewConnector());
    }
    document.SetVariableLines(std::move(contents.Variables));
    document.SetFileName(fileName);
    if (contents.OldFormat) {
        document.Platform().MessageBox(OldFormatMessage, TMsgDlgType::mtInformation,
                                       TMsgDlgButtons::mbOK);
    }
    document.SetModified(false);
    document.Analysis().SetResultsValid(false);
}

} // namespace

std::string FullFileName(const std::string& fileName) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(fileName, error);
    return error ? fileName : path.lexically_normal().string();
}

void WriteModel(TStream& stream, const TCodingPanel& canvas,
                const std::vector<std::string>& variables) {
    WriteStringToStr(stream, ModelFileHeader);
    WriteIntegerToStr(stream, canvas.DragPanelCount());
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        canvas.DragPanel(i).SaveToStream(stream);
    }
    WriteIntegerToStr(stream, canvas.ConnectorCount());
    for (int i = 0; i < canvas.ConnectorCount(); ++i) {
        canvas.Connector(i).SaveToStream(stream);
    }
    WriteStringToStr(stream, JoinVariableLines(variables));
}

TModelContents ReadModel(TStream& stream, TTinyParser& evaluator) {
    TModelContents contents;
    ReadHeader(stream);
    const std::int32_t panelCount = ReadCount(stream);
    for (std::int32_t i = 0; i < panelCount; ++i) {
        contents.Devices.push_back(ReadDeviceRecord(stream, evaluator));
        SetPlacedPortCaptions(*contents.Devices.back());
    }
    const std::int32_t connectorCount = ReadCount(stream);
    for (std::int32_t i = 0; i < connectorCount; ++i) {
        contents.Connectors.push_back(ReadConnector(stream, i));
    }
    ReadVariables(stream, contents);
    CheckModelConsistency(contents);
    return contents;
}

void ClearCircuit(TCodingPanel& canvas) {
    for (int i = canvas.DragPanelCount() - 1; i >= 0; --i) {
        canvas.DeleteDragPanel(i);
    }
    // A wire that named no panel would survive the panels.
    for (int i = canvas.ConnectorCount() - 1; i >= 0; --i) {
        canvas.DeleteConnector(i);
    }
}

void SaveModel(TCircuitDocument& document, const std::string& fileName) {
    // Panel positions are stored as canvas coordinates.
    ScrollToOrigin(document.Canvas());
    // The whole model is encoded before the file is touched, so text that the
    // file cannot hold fails here.
    ReplaceFileContents(fileName, ModelBytes(document));
}

std::vector<std::uint8_t> ModelBytes(const TCircuitDocument& document) {
    TMemoryStream stream;
    WriteModel(stream, document.Canvas(), document.VariableLines());
    return stream.Bytes();
}

void LoadModel(TCircuitDocument& document, const std::string& fileName) {
    try {
        TMemoryStream bytes;
        {
            TFileStream file(fileName, TFileMode::fmOpenRead);
            bytes.CopyFrom(file, file.Size());
        }
        bytes.SetPosition(0);
        InstallModel(document, ReadModel(bytes, document.TP1()), FullFileName(fileName));
    } catch (...) {
        document.UpdateStatus();
        throw;
    }
    document.UpdateStatus();
}

} // namespace zaro
