#pragma once
// The model file: the canvas's devices, its wires and the variables text.
// Loading is all or nothing: the file is read and checked apart from the
// document, which changes only once the whole model has been accepted.
// Saving writes the whole model beside the old file before replacing it.

#include "CircuitDocument.h"
#include "DeviceRecord.h"
#include "Stream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zaro {

inline constexpr const char* ModelFileHeader = "ZaroSim Model Definition";
inline constexpr const char* NotModelFileMessage =
    "このファイルはZaroSimのモデルファイルではありません。";
inline constexpr const char* OldFormatMessage = "旧形式のZSMファイルです．変数情報は有りません．";

// A model as read, on no canvas yet. Numbers are positions in the two lists.
struct TModelContents {
    std::vector<std::unique_ptr<TZaroSimDevice>> Devices;
    std::vector<std::unique_ptr<TConnector>> Connectors;
    std::vector<std::string> Variables;
    bool OldFormat = false; // the file ends after the connectors
};

// Header, panel count, each panel's record, connector count, each
// connector's record, the variable lines joined by CR LF.
void WriteModel(TStream& stream, const TCodingPanel& canvas,
                const std::vector<std::string>& variables);

// The document's model as its file holds it, encoded without touching the
// document or any file.
std::vector<std::uint8_t> ModelBytes(const TCircuitDocument& document);

// Reads and checks a whole model. A header that is not ours raises
// NotModelFileMessage; an unknown class, a wrong port count or numbers that
// do not fit together raise BrokenFileMessage; a damaged record raises its
// own error. Port captions become those of a newly placed device.
TModelContents ReadModel(TStream& stream, TTinyParser& evaluator);

// Every port names no wire (-1) or a wire that has that port as one of its
// ends; every wire joins two different, existing ports that name it back.
// Otherwise raises BrokenFileMessage.
void CheckModelConsistency(const TModelContents& contents);

// The absolute, normalised form of a file name: the name a document keeps.
std::string FullFileName(const std::string& fileName);

// Deletes every panel from the last to the first, and with them every wire.
void ClearCircuit(TCodingPanel& canvas);

// Writes the document's model to the file. On failure the file is as it was.
// The modified flag is the caller's to change.
void SaveModel(TCircuitDocument& document, const std::string& fileName);

// Replaces the document's circuit and variables by the file's, takes the file's
// full path as its name and marks it unmodified with no valid results. On any
// failure the document is as it was and the error is raised.
void LoadModel(TCircuitDocument& document, const std::string& fileName);

} // namespace zaro
