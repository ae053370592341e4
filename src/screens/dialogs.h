#pragma once
// The input and YES/NO dialogs: a centred box over the main view with its rows, fields and
// buttons. Each screen is laid out as a list of rows (what goes where, in which font) and then
// drawn from that list, so the layout can be checked without reading glyphs. screens/ (dialogs,
// help, info, settings) may use every floor but app/.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/state.h"

// --- where the dialogs get their texts (defined in dialog_texts.cpp, from ops/requests.h) ---
const std::wstring& renameOldName();                  // RenameInput, RenameConfirm
int32_t deleteKind();                                 // DeleteConfirm title and label
const std::wstring& deleteDisplayText();              // DeleteConfirm field
const std::wstring& overwriteFileText(bool move);     // overwrite question: source name
const std::wstring& overwriteTargetText(bool move);   // overwrite question: target folder
const std::wstring& runProgramName();                 // RunConfirm field

// Fonts by role; none of them follows the text-style setting.
enum class DialogFont : int32_t {
    Bold,    // bold, else normal
    Label,   // small, else bold, else normal
    Hint,    // small, else normal
    Normal,  // normal
};

enum class DialogPart : int32_t {
    Text,            // a line of text
    Field,           // white box, black 2-px outline, text 12 px in from both sides
    Button,          // unselected YES/NO button
    SelectedButton,  // selected YES/NO button
};

struct DialogRow {
    DialogPart part;
    RECT rect;  // the text's rectangle, or the field's or button's box
    std::wstring text;
    DialogFont font;
    UINT flags;  // kLineCentre or kLineLeftMiddle
};

struct DialogLayout {
    RECT box;
    std::vector<DialogRow> rows;
};

// The box for a w x h client area: max(w / 3, minimum) but at most w - 80 wide, likewise
// max(h / 3, minimum) but at most h - 100 high, centred.
RECT dialogBoxRect(int w, int h, int minWidth, int minHeight);
// The same box, filled with the dialog background and outlined 4 px in the dialog frame colour.
RECT dialogBox(HDC dc, int w, int h, int minWidth, int minHeight);

// The rows of the dialog of `mode` (the two inputs and the five confirmations, which read their
// choice flags); an empty layout for any other mode.
DialogLayout dialogLayout(ScreenMode mode, int w, int h);
void drawDialogLayout(HDC dc, const DialogLayout& layout);

void drawCreateFolderInput(HDC dc, int w, int h);
void drawRenameInput(HDC dc, int w, int h);
void drawRenameConfirm(HDC dc, int w, int h);
void drawDeleteConfirm(HDC dc, int w, int h);
void drawOverwriteConfirm(HDC dc, int w, int h, bool move);
void drawRunConfirm(HDC dc, int w, int h);
