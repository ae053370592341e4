#pragma once
// F6: moves the cursor entry or the marked entries of the active panel into the other panel's
// folder. A move is a rename where Windows can make one; across volumes the item is copied exactly
// as F5 copies it, and the source is deleted only once the target is complete and is not the
// source itself under another path.
#include <windows.h>

#include <string>

void beginMove(HWND window);
// ESC or NO in the overwrite question.
void cancelMove(HWND window);
void runSingleMove(HWND window, bool overwrite);
// A rename, or across volumes a cancellable copy followed by the deletion of the source: 0 or a code.
// `attributesFailed` (optional) as for transferFileChunked.
DWORD moveFileWithFallback(HWND window, const std::wstring& source, const std::wstring& target,
                           const std::wstring& display, bool overwrite, bool* attributesFailed = nullptr);
// The recorded folder: one rename, or across volumes a copy through a temporary folder and then
// the deletion of the source tree. 0, 82 for a failed scan, or the code of the failing step.
DWORD moveFolderTree(HWND window);
void moveMarkedItems(HWND window);
// The keys of the overwrite question.
void moveOverwriteKey(HWND window, UINT key);
