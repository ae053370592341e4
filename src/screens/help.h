#pragma once
// The help screen (F1): a 24-row table of keys and what they do, ending with the file types the
// viewer and editor accept.
#include <windows.h>

#include <string>

constexpr int kHelpRowCount = 24;

// F1 in the main view.
void openHelp(HWND window);
// ESC or F1 in the help screen.
void closeHelp(HWND window);
// The keys of the Help mode: ESC and F1 close; everything else is ignored.
void helpKey(HWND window, UINT key);

// Key column of a row: "[F5] COPY" for rows 0..11 (current language), fixed names after; "" outside.
std::wstring helpKeyText(int row);
// Description column of a row in the current language; "" outside 0..23.
std::wstring helpDescription(int row);
std::wstring helpTitle();
std::wstring helpHint();

// The box over the main view, for a client area of width x height.
void drawHelpScreen(HDC dc, int width, int height);
