#pragma once
// Drawing of one panel (frame with the folder as title, column header, rows with cursor bar and
// marks) and the texts of its SIZE and DATE columns.
#include <windows.h>

#include <string>

#include "panels/panels.h"

// The box and the folder title; the active panel has the theme's frame colour and a 4-pixel pen.
void drawPanelFrame(HDC dc, const RECT& rect, const PanelState& panel, bool active);
// Header and rows; moves panel.scroll by the least amount that keeps the cursor row visible.
void drawPanelContents(HDC dc, const RECT& rect, PanelState& panel);
// "" for "..", "<DIR>" for folders, then "%llu B", "%.1f KB", "%.1f MB", "%.1f GB".
std::wstring formatSize(const DirEntry& entry);
// "dd.mm.yy hh:mm" in local time; "" for ".." or a time that cannot be converted.
std::wstring formatDate(const DirEntry& entry);
// Row colour by file type (folders and unknown types: the text colour).
COLORREF entryColor(const DirEntry& entry);

// Column geometry of a panel rectangle.
struct PanelColumns {
    int x0, x1, listTop, nameRight, dateLeft, dateRight, sizeLeft, sizeRight, rows;
    bool narrow;
};
PanelColumns panelColumns(const RECT& rect);
