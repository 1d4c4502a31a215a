#include "OptionsCommands.h"

#include "FreedesktopAssociation.h"
#include "SharedLibrary.h"

namespace zaro {

namespace {

bool Confirmed(TPlatform& platform, const char* question) {
    return platform.MessageBox(question, TMsgDlgType::mtInformation, TMsgDlgButtons::mbOKCancel) ==
           TModalResult::mrOk;
}

void Report(TPlatform& platform, const char* message) {
    platform.MessageBox(message, TMsgDlgType::mtInformation, TMsgDlgButtons::mbOK);
}

} // namespace

void AtnOptionsRegister(TPlatform& platform, TFileAssociationStore& store,
                        const std::string& exeName) {
    if (!Confirmed(platform, RegisterQuestion)) {
        return;
    }
    store.WriteRows(FileAssociationRows(exeName));
    store.NotifyChanged();
    Report(platform, RegisterDoneMessage);
}

void AtnOptionsUnregieter(TPlatform& platform, TFileAssociationStore& store) {
    if (!Confirmed(platform, UnregisterQuestion)) {
        return;
    }
    store.DeleteKeys(FileAssociationKeys());
    store.NotifyChanged();
    Report(platform, UnregisterDoneMessage);
}

void AtnOptionsRegister(TPlatform& platform) {
    TFreedesktopAssociationStore store(FreedesktopDataHome());
    AtnOptionsRegister(platform, store, ProgramFileName());
}

void AtnOptionsUnregieter(TPlatform& platform) {
    TFreedesktopAssociationStore store(FreedesktopDataHome());
    AtnOptionsUnregieter(platform, store);
}

} // namespace zaro
