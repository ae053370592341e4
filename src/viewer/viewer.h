#pragma once
// F3: the read-only viewer over the main view. It shows loadedText's lines with tabs expanded,
// scrolls by line, by page and to either end, and empties the document when it closes.
#include <windows.h>

#include <cstdint>

#include "settings/language.h"

constexpr int32_t kViewerPageLines = 15;
constexpr int kViewerMinLineHeight = 28;

// F3 and F4: the file under the active panel's cursor into loadedText (name and path set), or the
// status line or message box that says why not; `filesOnly` is the command's word for a folder.
bool loadCursorFile(HWND window, const LocalizedText& filesOnly, bool expandTabs, bool& partial);
// F3 in the main view: the file under the active panel's cursor, or the reason it cannot be shown.
void openViewer(HWND window);
// Every key while the viewer is open; keys it does not use do nothing.
void viewerKey(HWND window, UINT key);
// ESC: back to the main view with the document emptied.
void closeViewer(HWND window);
// The viewer box; nothing when the client area is too small for it.
void drawViewer(HDC dc, int w, int h);
// The text rows the box shows at this client size (at least 1).
int32_t viewerVisibleRows(int h);
