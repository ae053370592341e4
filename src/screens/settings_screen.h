#pragma once
// The settings screen (F11): eight rows over the main view, the seven settings and "Back to
// Commander". Every step is applied and saved at once.
#include <windows.h>

#include <string>

// F11 in the main view: opens the screen on row 0.
void openSettings(HWND window);
// ESC or F11 in the screen, or a change on row 7: back to the main view; nothing is saved.
void closeSettings(HWND window);
// Enter, Left or Right: steps the highlighted setting forward (wrapping), applies and saves it.
void changeSetting(HWND window);
// The keys of the Settings mode: ESC/F11 close, Up/Down move (no wrap), Enter/Left/Right change.
void settingsKey(HWND window, UINT key);

// Label and current value of a row in the current language ("Font size: LARGE"); row 7 gives
// its label only; "" outside 0..7.
std::wstring settingRowText(int row);
std::wstring settingsTitle();
std::wstring settingsHint();

// The box over the main view, for a client area of width x height.
void drawSettingsScreen(HDC dc, int width, int height);
