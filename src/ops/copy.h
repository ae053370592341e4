#pragma once
// F5: copies the cursor entry or the marked entries of the active panel into the other panel's
// folder. Nothing is written in place: files and folders are built beside the target under a
// temporary name and renamed onto it at the end, so a failure or ESC leaves no half-made target.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ops/plan.h"
#include "settings/language.h"
#include "ui/state.h"

// Texts the move shares with the copy.
extern const LocalizedText noSelectionText;     // "No selection."
extern const LocalizedText targetUnavailableTitle, targetUnreadableText;
extern const LocalizedText copyBlockedTitle, sameFolderText, intoItselfText, sameFileText;
extern const LocalizedText targetProtectedTitle, sourceProtectedTitle, sourceProtectedText;
extern const LocalizedText overwriteOpenedText;  // "Target file exists. Overwrite confirmation opened."
extern const LocalizedText targetBlockedTitle, nameExistsText;
extern const LocalizedText filesOnlyTitle, scanFailedTitle, scanFailedText;
extern const LocalizedText fileExistsTitle, fileExistsText;
extern const LocalizedText markedCountSuffix;   // " marked item(s)"

// --- the checks F5 and F6 share ---
// Where the two word a refusal differently.
struct RefusalTexts {
    const LocalizedText* parent;           // the cursor is on ".."
    const LocalizedText* blockedTitle;     // same folder, same file
    const LocalizedText* targetProtected;  // the other panel's folder is protected
    const LocalizedText* markedExist;      // a marked name exists in the other panel
    const LocalizedText* nothingPlanned;   // no mark is left to plan
};
// The cursor entry of the active panel as a single-item copy or move takes it.
struct SingleItem {
    DirEntry entry;
    std::wstring sourcePath, targetFolder, targetPath;
    DWORD existing = INVALID_FILE_ATTRIBUTES;  // of the target name
};
// False after showing why the cursor entry cannot go to the other panel's folder.
bool checkSingleItem(HWND window, const RefusalTexts& texts, SingleItem& item);
// Once the request is recorded: runs it when the target name is free, asks (`question`) before a
// file replaces a file, and refuses anything else after `reset`.
void runOrAsk(HWND window, const SingleItem& item, ScreenMode question, void (*run)(HWND, bool), void (*reset)());
// Plans the marks of the active panel into the other one; false after showing why not.
bool planOrRefuse(HWND window, const RefusalTexts& texts, std::vector<CopyPlanItem>& plan, uint64_t& total);

void beginCopy(HWND window);
// ESC or NO in the overwrite question: nothing on disk has changed.
void cancelCopy(HWND window);
// Copies the recorded single file or folder; `overwrite` after YES in the overwrite question.
void runSingleCopy(HWND window, bool overwrite);
// The recorded folder through a temporary folder beside its target: 0, 82 for a failed scan, or the
// code of the failing step.
DWORD copyFolderTree(HWND window);
void copyMarkedItems(HWND window);
// The keys of the overwrite question.
void copyOverwriteKey(HWND window, UINT key);
