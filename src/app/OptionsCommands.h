#pragma once
// The Options commands that associate model files with the program in the
// platform's store and remove the association again, each after the user
// confirms. Nothing is registered otherwise.

#include "FileAssociation.h"
#include "Platform.h"

#include <string>

namespace zaro {

inline constexpr const char* RegisterQuestion =
    "ZaroSimの回路モデルファイル(*.ZSM)"
    "をWindowsのレジストリに登録します．これにより、回路モデルファイルをWindowsエクスプローラ等で開"
    "くことが出来るようになります．";
inline constexpr const char* RegisterDoneMessage =
    "回路モデルファイル(*.ZSM)"
    "をWindowsのレジストリに登録しました．変更が有効になるのはWindowsの再起動後になる場合があります"
    "．";
inline constexpr const char* UnregisterQuestion =
    "Ostrelの回路モデルファイル(*.ZSM)"
    "をWindowsのレジストリ登録から抹消します．これにより、回路モデルファイルをWindowsエクスプローラ"
    "ーで開いたりすることが出来なくなりますので注意が必要です．";
inline constexpr const char* UnregisterDoneMessage =
    "回路モデルファイル(*.ZSM)"
    "をWindowsのレジストリから削除しました．変更が有効になるのはWindowsの再起動後になる場合がありま"
    "す．";

// Asks; on OK writes the rows for `exeName`, notifies and reports. Store
// errors are raised to the caller; rows written before stay.
void AtnOptionsRegister(TPlatform& platform, TFileAssociationStore& store,
                        const std::string& exeName);
// Asks; on OK deletes the association's keys (missing ones are no error),
// notifies and reports.
void AtnOptionsUnregieter(TPlatform& platform, TFileAssociationStore& store);

// The same for the running program in this platform's store (the
// freedesktop store of the user's data folder).
void AtnOptionsRegister(TPlatform& platform);
void AtnOptionsUnregieter(TPlatform& platform);

} // namespace zaro
