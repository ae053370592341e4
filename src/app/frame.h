#pragma once
// One complete frame: background, title band with clock, both panels, status line, function-key
// bar, then the screen of the current mode on top. Called only by the paint handler.
#include <windows.h>

void drawFrame(HDC dc, int w, int h);
// The message box screen over the main view.
void drawMessageBox(HDC dc, int w, int h);

// Geometry shared with tests and screens.
RECT leftPanelRect(int w, int h);
RECT rightPanelRect(int w, int h);
RECT functionButtonRect(int index, int w, int h);
RECT messageBoxRect(int w, int h);
