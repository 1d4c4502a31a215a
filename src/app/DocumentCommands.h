#pragma once
// The File commands of the main window: new, open, save, save as, and the
// question asked before the window closes. Questions and file choice go
// through the platform; errors of loading and saving are raised to the
// caller, which reports them.

#include "CircuitDocument.h"

#include <string>

namespace zaro {

inline constexpr const char* NewModifiedQuestion =
    "現在のモデルは変更されています。\r\n「新規作成」を行なうと変更点は失われてしまいます。"
    "現在のモデルを保存しますか？[Y/N]";
inline constexpr const char* OpenModifiedQuestion =
    "現在のモデルは変更されています。\r\n「ファイルを開く」を行なうと変更点は失われてしまいます。"
    "現在のモデルを保存しますか？[Y/N]";
inline constexpr const char* CloseModifiedQuestion =
    "現在のモデルは変更されています。\r\nZaroSimを終了すると変更点は失われます。\r\n"
    "現在のモデルを保存しますか？[Y/N]";
inline constexpr const char* OverwriteQuestionTail =
    " は既に存在しています。上書きしてもよろしいですか？[Y/N]";

inline constexpr const char* ModelFileFilter = "ZaroSim Model(*.ZSM)|*.ZSM|All Files(*.*)|*.*|";
inline constexpr const char* ModelFileDefaultExt = "ZSM";
inline constexpr const char* OpenDialogTitle = "ZaroSimモデルを開く";
inline constexpr const char* SaveDialogTitle = "ZaroSimモデルに名前をつけて保存";

// With unsaved changes asks first: Yes saves (a cancelled save stops), No
// discards. Then an empty, untitled, unmodified circuit; the variables stay.
void AtnFileNew(TCircuitDocument& document);
// Asks like New, then loads the file the user picks.
void AtnFileOpen(TCircuitDocument& document);
// Untitled: save as. Otherwise asks before replacing an existing file, also
// the document's own, and saves. True when the model was written.
bool AtnFileSave(TCircuitDocument& document);
// Saves under a name the user picks. The document takes the new name only
// when the model was written there. True when it was.
bool AtnFileSaveAs(TCircuitDocument& document);
// Whether the window may close: with unsaved changes asks, and a Yes whose
// save does not happen keeps the window open.
bool FormCloseQuery(TCircuitDocument& document);

} // namespace zaro
