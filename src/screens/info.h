#pragma once
// The information screen (F12): title, version, owner notice, support line and the terms of use in
// the current language. The box sizes itself to its text.
#include <windows.h>

#include <string>
#include <vector>

// F12 in the main view.
void openInfo(HWND window);
// ESC or F12 in the info screen.
void closeInfo(HWND window);
// The keys of the Info mode: ESC and F12 close; everything else is ignored.
void infoKey(HWND window, UINT key);

// The heading "Terms and User Agreement:" followed by the 16 terms lines of the current language.
std::vector<std::wstring> termsLines();
// The owner notice and the support line, the same in every language.
std::wstring infoOwnerLine();
std::wstring infoSupportLine();

// The box over the main view, for a client area of width x height.
void drawInfoScreen(HDC dc, int width, int height);
