#pragma once
// Progress, cancellation and failure reports shared by copy, move and delete: the three progress
// records, how an operation publishes progress and keeps the window alive, the resets that end an
// operation, the multi-line failure report, and the copy/move progress box. ops/ reads panels/
// and stands on ui/ and below; nothing below the screens includes it.
#include <windows.h>

#include <cstdint>
#include <string>

#include "settings/language.h"
#include "ui/pump.h"
#include "ui/state.h"

struct OperationProgress {
    std::wstring currentItem;  // for items inside a folder, the relative path
    uint64_t itemDone = 0;     // bytes of the current file
    uint64_t itemSize = 0;
    int32_t itemPercent = 0;   // 0..100, the upper bar
    uint64_t totalDone = 0;    // bytes of the whole operation (delete: items)
    uint64_t totalSize = 0;
    int32_t totalPercent = 0;  // 0..100, the lower bar
};

extern OperationProgress copyProgress, moveProgress, deleteProgress;

extern const LocalizedText partialTargetHint;  // "Operation stopped. Partial target may exist."
extern const LocalizedText checkFoldersHint;   // "Please check source and target folders. ..."

// done * 100 / total, truncated and capped at 100; a total of 0 gives 100.
int32_t percentOf(uint64_t done, uint64_t total);

// Repaints the whole window at once (no erase) if the last frame ended at least 16 ms ago, else
// leaves the frame for the pump to paint when it is due; then pumps messages if the last pump is
// 10 ms old, ignoring the result.
// A null window paints nothing, but its frames are rationed and counted (progressRepaintCount) alike.
void publishProgress(HWND window);
// The same, always painted: the first and the last state of an operation.
void publishProgressNow(HWND window);
// Store the five values, derive both percentages, then publishProgress.
void setCopyProgress(HWND window, const std::wstring& item, uint64_t itemDone, uint64_t itemSize,
                     uint64_t totalDone, uint64_t totalSize);
void setMoveProgress(HWND window, const std::wstring& item, uint64_t itemDone, uint64_t itemSize,
                     uint64_t totalDone, uint64_t totalSize);

// End an operation on every way out: the request emptied, its YES/NO choice back on NO, its
// progress record zeroed. The delete reset also empties the message box texts (and, once the
// viewer exists, its document), so callers open their message box after the reset.
void resetCopyOperation();
void resetMoveOperation();
void resetDeleteOperation();
// Start state of every operation: the three resets, no rename or run request, no repaints counted.
void resetOperations();

// "Windows error: 5" in the current language; the code in unsigned decimal.
std::wstring windowsErrorLine(DWORD code);
// The message, then "Item: <item>" (when not empty), the error line (unless the code is 0: nothing
// failed, as for a source that changed) and the hint (when not empty), one line each, separated by
// line feeds only.
std::wstring operationReport(const std::wstring& message, const std::wstring& item, DWORD code,
                             const std::wstring& hint);
// A temporary item that could not be removed after a failure: the message that ends the operation
// names it and the code of the failed removal, after any noted before it.
void noteLeftover(const std::wstring& path, DWORD code);
// Forgets the notes: an operation starts without any.
void clearLeftovers();
// Every message box that ends a copy or move: the text, then each noted leftover, which are then
// forgotten.
void showOperationMessage(HWND window, const std::wstring& title, const std::wstring& text);
// showOperationMessage with operationReport.
void showOperationReport(HWND window, const std::wstring& title, const std::wstring& message,
                         const std::wstring& item, DWORD code, const std::wstring& hint);

// "1023 B", "1 KB", "1023 KB", "1 MB", "1 GB": truncated, binary units.
std::wstring formatProgressBytes(uint64_t bytes);

// Titles of the progress boxes, chosen by the pending request: "COPYING FILES" (marked items),
// "COPYING FOLDER", "COPYING FILE"; "MOVING FOLDER", "MOVING FILE".
std::wstring copyTitle();
std::wstring moveTitle();

// A framed white bar filled to `percent` (clamped to 0..100) with the percentage centred on it.
void drawProgressBar(HDC dc, const RECT& rect, int32_t percent);
// Where that box stands in a client area of w x h.
RECT copyMoveProgressRect(int w, int h, bool move);
// Where the DeleteProgress box stands: max(w / 3, 720) but at most w - 80 wide, max(h / 3, 360) but
// at most h - 120 high, centred.
RECT deleteProgressRect(int w, int h);
// The box a progress frame of `mode` repaints (copy, move, delete); false for any other mode.
bool progressBoxRect(ScreenMode mode, int w, int h, RECT& box);
// The CopyProgress (move false) or MoveProgress box centred in a client area of w x h; the lower
// "Total:" part only for folder and marked-items copies and for folder moves.
void drawCopyMoveProgress(HDC dc, int w, int h, bool move);
