#pragma once
// The program's shared state: which screen owns the keyboard, the status line, the message box,
// the cancel flag of long operations, the YES/NO choices and the line inputs. ui/ is the ground
// every screen stands on (state, drawing, GDI guards, the pump); it includes only settings/ and fs/.
#include <windows.h>

#include <cstdint>
#include <string>

enum class ScreenMode : int32_t {
    MainView = 0,
    Settings = 1,
    Info = 2,
    Help = 3,
    DriveSelect = 4,
    CreateFolderInput = 5,
    RenameInput = 6,
    RenameConfirm = 7,
    DeleteConfirm = 8,
    DeleteProgress = 9,
    CopyOverwriteConfirm = 10,
    CopyProgress = 11,
    MoveOverwriteConfirm = 12,
    MoveProgress = 13,
    RunConfirm = 14,
    Viewer = 15,
    Editor = 16,
    EditorHelp = 17,
    EditorFind = 18,
    EditorSaveConfirm = 19,
    MessageBox = 20,  // (windows.h renames this token consistently; it is still value 20)
};

extern ScreenMode screenMode;
extern std::wstring statusLine;
extern int32_t functionBarIndex;    // highlighted function button, 0..11
extern int32_t functionBarFocused;  // 1: Enter runs the highlighted function
extern bool cancelRequested;        // ESC or a quit during a copy, move or delete
extern int32_t settingsRow;         // highlighted row of the settings screen, 0..7

// Line inputs; characters are appended at the end only.
constexpr size_t kFolderNameLimit = 80;
constexpr size_t kRenameLimit = 120;
extern std::wstring folderNameInput;
extern std::wstring renameInput;

// YES/NO choices of the five main-view confirmations: 0 YES, 1 NO.
extern int32_t renameChoice, deleteChoice, copyOverwriteChoice, moveOverwriteChoice, runChoice;

extern std::wstring messageTitle, messageText, messageHint;

// Replaces the status line; the caller requests the repaint.
void setStatus(const std::wstring& text);
// Invalidates the whole client area without erasing; a null window does nothing.
void requestRepaint(HWND window);
// Sets the status line and requests the repaint: how every command ends.
void reportStatus(HWND window, const std::wstring& text);
// Switches the screen that owns the keyboard and says so: how every screen opens and closes.
void switchScreen(HWND window, ScreenMode mode, const std::wstring& text);

// Opens the message box over the main view; the title also goes to the status line.
void showMessageBox(HWND window, const std::wstring& title, const std::wstring& text);
// Enter or ESC in the message box: back to the main view with the title kept in the status line.
void closeMessageBox(HWND window);
// ESC during a copy, move or delete: sets the cancel flag and says so.
void requestCancel(HWND window);

// Start values: the main view, an empty status line and message box, the bar on F1 and unfocused,
// no cancel, empty inputs, every choice on NO, and a pump that has not run yet.
void resetUiState();

bool isProgressMode(ScreenMode mode);

// The keys of a YES/NO screen: ESC cancels, Left/Right toggle, Enter acts on the choice.
void confirmationKey(HWND window, UINT key, int32_t& choice, void (*onYes)(HWND), void (*onCancel)(HWND));
// Appends a typed character (code 32 and above, never DEL) while the input is below its limit, in
// UTF-16 units. A surrogate pair arrives as two characters and is kept whole or not at all: its
// first half only when both fit, its second half only right after the first. True when it changed.
bool appendToInput(std::wstring& input, size_t limit, wchar_t ch);
// Backspace in a line input: removes the last character, a surrogate pair whole; false when empty.
bool removeLastCharacter(std::wstring& input);
