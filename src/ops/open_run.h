#pragma once
// Enter on a file: documents go to their application at once, programs and scripts only after YES
// in RunConfirm. Both go through the shell, which is handed the listed path only when it would
// reach exactly that item and that item is still a file (else OPEN FAILED with the code, and the
// panel is read again); the program never starts or waits for a process itself.
#include <windows.h>

#include <string>

#include "settings/language.h"

extern const LocalizedText shellNameTitle;  // "NAME NOT SUPPORTED"
// Why the shell cannot be handed this path (a name Windows would change, or too long a path), or
// null when it can.
const LocalizedText* shellPathProblem(const std::wstring& path);
// Opens the message box naming the item when the shell cannot take its path; true when it did.
bool refuseShellPath(HWND window, const std::wstring& path, const std::wstring& name);

// The name starts code when opened: its extension, after the trailing dots and spaces Windows drops,
// is one of the program extensions, compared without case, or one the system calls dangerous
// (AssocIsDangerous). "report.tar.exe" and "setup.exe ." are programs; "setup.exe.txt" and "README"
// are not.
bool isProgramFile(const std::wstring& name);
// Enter on the file `name` at `fullPath`: refused, opened, or asked about.
void openFileEntry(HWND window, const std::wstring& name, const std::wstring& fullPath);
void openDocument(HWND window, const std::wstring& name, const std::wstring& fullPath);
// Records the program and opens RunConfirm with NO selected.
void askRunProgram(HWND window, const std::wstring& name, const std::wstring& fullPath);
void cancelRun(HWND window);
void runProgram(HWND window);
// The keys of RunConfirm.
void runConfirmKey(HWND window, UINT key);
