#include "DocumentCommands.h"

#include "ModelFile.h"

#include <filesystem>

namespace zaro {

namespace {

TModalResult Ask(TCircuitDocument& document, const std::string& question) {
    return document.Platform().MessageBox(question, TMsgDlgType::mtConfirmation,
                                          TMsgDlgButtons::mbYesNo);
}

// True when the unsaved changes may go: there are none, the user saved them,
// or the user said No. A dismissed question keeps them.
bool ChangesHandled(TCircuitDocument& document, const std::string& question) {
    if (!document.Modified()) {
        return true;
    }
    switch (Ask(document, question)) {
    case TModalResult::mrNo:
        return true;
    case TModalResult::mrYes:
        AtnFileSaveAs(document);
        return !document.Modified();
    default:
        return false;
    }
}

TFileDialogOptions ModelDialog(const char* title, const std::string& fileName) {
    TFileDialogOptions options;
    options.Title = title;
    options.Filter = ModelFileFilter;
    options.DefaultExt = ModelFileDefaultExt;
    // The dialog starts in the folder of the current file.
    options.FileName = fileName;
    return options;
}

bool MayWrite(TCircuitDocument& document, const std::string& fileName) {
    std::error_code error;
    if (!std::filesystem::exists(fileName, error)) {
        return true;
    }
    return Ask(document, FullFileName(fileName) + OverwriteQuestionTail) == TModalResult::mrYes;
}

// Asks before replacing an existing file, then writes it.
bool SaveTo(TCircuitDocument& document, const std::string& fileName) {
    if (!MayWrite(document, fileName)) {
        return false;
    }
    SaveModel(document, fileName);
    return true;
}

void MarkSaved(TCircuitDocument& document) {
    document.SetModified(false);
    document.UpdateStatus();
}

} // namespace

void AtnFileNew(TCircuitDocument& document) {
    if (!ChangesHandled(document, NewModifiedQuestion)) {
        return;
    }
    document.History().Clear();
    ClearCircuit(document.Canvas());
    document.SetFileName("");
    document.SetModified(false);
    document.Analysis().SetResultsValid(false);
    document.UpdateStatus();
}

void AtnFileOpen(TCircuitDocument& document) {
    if (!ChangesHandled(document, OpenModifiedQuestion)) {
        return;
    }
    const std::optional<std::string> chosen =
        document.Platform().ChooseOpenFile(ModelDialog(OpenDialogTitle, document.FileName()));
    if (chosen) {
        LoadModel(document, *chosen);
    }
}

bool AtnFileSave(TCircuitDocument& document) {
    if (document.FileName().empty()) {
        return AtnFileSaveAs(document);
    }
    if (!SaveTo(document, document.FileName())) {
        return false;
    }
    MarkSaved(document);
    return true;
}

bool AtnFileSaveAs(TCircuitDocument& document) {
    const std::optional<std::string> chosen =
        document.Platform().ChooseSaveFile(ModelDialog(SaveDialogTitle, document.FileName()));
    if (!chosen || !SaveTo(document, *chosen)) {
        return false;
    }
    document.SetFileName(FullFileName(*chosen));
    MarkSaved(document);
    return true;
}

bool FormCloseQuery(TCircuitDocument& document) {
    return ChangesHandled(document, CloseModifiedQuestion);
}

} // namespace zaro
