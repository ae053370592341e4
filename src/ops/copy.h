#pragma once
// F5: copies the cursor entry or the marked entries of the active panel into the other panel's
// folder. Nothing is written in place: files and folders are built beside the target under a
// temporary name and renamed onto it at the end, so a failure or ESC leaves no half-made target.
#include <windows.h>

#include <cstdint>

#include "ops/plan.h"
#include "settings/language.h"

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

// Shows why the other panel cannot take the items (with the operation's own title for the same
// folder and text for a protected target); false when it can.
bool showPanelRefusal(HWND window, PanelRefusal refusal, const LocalizedText& sameFolderTitle,
                      const LocalizedText& protectedText);

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
