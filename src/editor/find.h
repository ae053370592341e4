#pragma once
// Find in the editor: the search input (ScreenMode EditorFind), a case-insensitive search from the
// cursor that wraps to the top, F3 to repeat, and the match kept highlighted until the next change.
#include <windows.h>

#include <cstdint>
#include <string>

// Ctrl+F, or F3 without a search text: the input opens with the text as it was.
void openFind(HWND window);
void findInputKey(HWND window, UINT key);
void findInputCharacter(HWND window, wchar_t ch);
// Searches from the cursor (one column after it when `skip`) and jumps to the match.
void findNext(HWND window, bool skip);
// The first match of `pattern` (ignoring case) from (row, column) to the end, then from the top
// back to the start; never across a line break.
bool findText(const std::wstring& pattern, int32_t row, int32_t column, int32_t& foundRow, int32_t& foundColumn);
void drawFindInput(HDC dc, int w, int h);
