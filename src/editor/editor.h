#pragma once
// F4: the editor screen over the main view: opening, the key map, typed characters, the help
// overlay, and the drawing of the editor with its cursor, block and search highlight. The commands
// live in buffer.h (editing, undo), block.h (clipboard), find.h and save.h.
#include <windows.h>

#include <cstdint>

// F4 in the main view: the cursor file of the active panel, or why it cannot be edited.
void openEditor(HWND window);
// Every key while ScreenMode is Editor.
void editorKey(HWND window, UINT key);
// A typed character while ScreenMode is Editor; codes below 32 and DEL are ignored.
void editorCharacter(HWND window, wchar_t ch);
// Keys of the help overlay: ESC or F1 return to the editor.
void editorHelpKey(HWND window, UINT key);
// The editor box, then the help overlay when it is open.
void drawEditor(HDC dc, int w, int h);
void drawEditorHelp(HDC dc, int w, int h);
// Text rows the editor shows at this client height (at least 1).
int32_t editorVisibleRows(int h);
