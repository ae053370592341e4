#pragma once
// F2 renames the cursor entry of the active panel in place, after a warning that must be answered
// YES; F7 creates a folder in the active panel's folder. Both take a typed name, trimmed and
// checked, and report in the status line; a refused name keeps its input open.
#include <windows.h>

#include <string>

// Empty, "." or "..", or holding one of \ / : * ? " < > |. Nothing else is refused here.
bool isInvalidName(const std::wstring& name);
// Leading and trailing U+0020 removed; tabs and other white space stay.
std::wstring trimSpaces(const std::wstring& text);

void beginRename(HWND window);
// Enter in RenameInput: checks the name, then opens RenameConfirm with NO selected.
void acceptRenameInput(HWND window);
void cancelRename(HWND window);
// YES in RenameConfirm.
void performRename(HWND window);

void beginCreateFolder(HWND window);
void cancelCreateFolder(HWND window);
// Enter in CreateFolderInput.
void createFolder(HWND window);

// The keys of the three screens.
void renameInputKey(HWND window, UINT key);
void renameConfirmKey(HWND window, UINT key);
void createFolderInputKey(HWND window, UINT key);
