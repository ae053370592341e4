#include "app/frame.h"

#include <algorithm>

#include "editor/editor.h"
#include "editor/find.h"
#include "editor/save.h"
#include "ops/delete.h"
#include "ops/progress.h"
#include "panels/drives.h"
#include "panels/panel_draw.h"
#include "panels/panels.h"
#include "screens/dialogs.h"
#include "screens/help.h"
#include "screens/info.h"
#include "screens/settings_screen.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/function_keys.h"
#include "ui/gdi.h"
#include "ui/state.h"
#include "viewer/viewer.h"

namespace {

const wchar_t kTitle[] = L"TORVANE COMMANDER Ver. 1.0";

void drawTitleBand(HDC dc, int w) {
    fillRect(dc, rectOf(0, 0, w, 52), theme.headerBackground);
    drawText(dc, rectOf(18, 10, 2018, 80), kTitle, theme.textForeground, boldText(), false, kLineLeft);
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t clock[64];
    if (formatText(clock, L"%02d.%02d.%04d  %02d:%02d:%02d", now.wDay, now.wMonth, now.wYear, now.wHour,
                   now.wMinute, now.wSecond) > 0)
        drawText(dc, rectOf(w - 460, 8, w - 18, 48), clock, theme.textForeground, boldText(), false, kLineRight);
}

void drawFunctionBar(HDC dc, int w, int h) {
    fillRect(dc, rectOf(0, h - 76, w, h), theme.keyBarBackground);
    for (int i = 0; i < 12; ++i) {
        RECT r = functionButtonRect(i, w, h);
        bool selected = i == functionBarIndex;
        drawBox(dc, r, selected ? kWhite : theme.keyButtonFill, kBlack, selected && functionBarFocused == 1 ? 3 : 2);
        drawText(dc, rectOf(r.left + 4, r.top, r.right - 4, r.bottom), functionLabel(i),
                 selected ? kBlack : theme.textForeground, boldText(), false, kLineCentre);
    }
}

void drawModeScreen(HDC dc, int w, int h) {
    switch (screenMode) {
    case ScreenMode::Settings: return drawSettingsScreen(dc, w, h);
    case ScreenMode::Info: return drawInfoScreen(dc, w, h);
    case ScreenMode::Help: return drawHelpScreen(dc, w, h);
    case ScreenMode::DriveSelect: return drawDriveSelect(dc, w, h);
    case ScreenMode::CreateFolderInput: return drawCreateFolderInput(dc, w, h);
    case ScreenMode::RenameInput: return drawRenameInput(dc, w, h);
    case ScreenMode::RenameConfirm: return drawRenameConfirm(dc, w, h);
    case ScreenMode::DeleteConfirm: return drawDeleteConfirm(dc, w, h);
    case ScreenMode::CopyOverwriteConfirm: return drawOverwriteConfirm(dc, w, h, false);
    case ScreenMode::MoveOverwriteConfirm: return drawOverwriteConfirm(dc, w, h, true);
    case ScreenMode::RunConfirm: return drawRunConfirm(dc, w, h);
    case ScreenMode::CopyProgress: return drawCopyMoveProgress(dc, w, h, false);
    case ScreenMode::MoveProgress: return drawCopyMoveProgress(dc, w, h, true);
    case ScreenMode::DeleteProgress: return drawDeleteProgress(dc, w, h);
    case ScreenMode::Viewer: return drawViewer(dc, w, h);
    case ScreenMode::Editor: return drawEditor(dc, w, h);
    case ScreenMode::EditorHelp: drawEditor(dc, w, h); return drawEditorHelp(dc, w, h);
    case ScreenMode::EditorFind: drawEditor(dc, w, h); return drawFindInput(dc, w, h);
    case ScreenMode::EditorSaveConfirm: drawEditor(dc, w, h); return drawSaveConfirm(dc, w, h);
    case ScreenMode::MessageBox: return drawMessageBox(dc, w, h);
    default: return;  // the main view, values outside the modes, and screens not built yet
    }
}

}  // namespace

RECT leftPanelRect(int w, int h) {
    int half = (w - 72) / 2;
    return rectOf(24, 86, 24 + half, h - 110);
}

RECT rightPanelRect(int w, int h) {
    int half = (w - 72) / 2;
    return rectOf(half + 48, 86, w - 24, h - 110);
}

RECT functionButtonRect(int index, int w, int h) {
    int bw = (w - 68) / 12;
    int x = 12 + index * (bw + 4);
    int right = index < 11 ? x + bw : w - 12;
    return rectOf(x, h - 63, right, h - 13);
}

RECT messageBoxRect(int w, int h) {
    int bw = std::min(w - 80, std::max(w / 2, 760));
    int bh = std::min(std::max(h / 4, 265), h - 120);
    int x = (w - bw) / 2, y = (h - bh) / 2;
    return rectOf(x, y, x + bw, y + bh);
}

void drawMessageBox(HDC dc, int w, int h) {
    RECT box = messageBoxRect(w, h);
    drawBox(dc, box, theme.dialogBackground, theme.dialogFrame, 4);
    {
        // A paint-long title font; the guard order selects the previous font back before deleting it.
        GdiObject<HFONT> titleFont(createAppFont(theme.fontHeight + 10, FW_BOLD));
        drawTextInFont(dc, rectOf(box.left + 24, box.top + 18, box.right - 24, box.top + 68), messageTitle, kBlack,
                       titleFont ? titleFont.get() : pickFont(true, false), kLineCentre);
    }
    drawText(dc, rectOf(box.left + 42, box.top + 78, box.right - 42, box.bottom - 52), messageText, kBlack, true,
             false, kWrappedCentre);
    drawText(dc, rectOf(box.left + 30, box.bottom - 38, box.right - 30, box.bottom - 10), messageHint, kBlack, false,
             true, kLineCentre);
}

namespace {

// True when all the DC can show lies inside the progress box, which is opaque: a progress frame
// that repaints only the box then draws nothing the box covers.
bool onlyProgressBoxVisible(HDC dc, int w, int h) {
    RECT visible, box, both;
    if (!progressBoxRect(screenMode, w, h, box)) return false;
    if (GetClipBox(dc, &visible) == ERROR || !IntersectRect(&both, &visible, &box)) return false;
    return EqualRect(&both, &visible) != 0;
}

void drawStatusLine(HDC dc, int w, int h) {
    drawText(dc, rectOf(24, h - 102, w - 24, h - 74), statusLine, theme.statusForeground, boldText(), true,
             kLineLeftMiddle);
}

// The viewer's and the editor's box ends 10 pixels inside the status line, the only place the
// editor reports: the message is drawn again over the box, on the window's background, to read whole.
void drawStatusLineOverBox(HDC dc, int w, int h) {
    bool covered = screenMode == ScreenMode::Viewer || screenMode == ScreenMode::Editor ||
                   screenMode == ScreenMode::EditorHelp || screenMode == ScreenMode::EditorFind ||
                   screenMode == ScreenMode::EditorSaveConfirm;
    if (!covered || statusLine.empty()) return;
    RECT text = rectOf(24, h - 102, w - 24, h - 74);
    {
        SelectedObject font(dc, pickFont(boldText(), true));
        DrawTextW(dc, statusLine.c_str(), static_cast<int>(statusLine.size()), &text,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    }
    fillRect(dc, rectOf(20, h - 102, std::min(static_cast<int>(text.right) + 4, w - 20), h - 76), theme.windowBackground);
    drawStatusLine(dc, w, h);
}

}  // namespace

void drawFrame(HDC dc, int w, int h) {
    if (onlyProgressBoxVisible(dc, w, h)) return drawModeScreen(dc, w, h);
    fillRect(dc, rectOf(0, 0, w, h), theme.windowBackground);
    drawTitleBand(dc, w);
    RECT left = leftPanelRect(w, h), right = rightPanelRect(w, h);
    drawPanelFrame(dc, left, leftPanel, leftPanelActive);
    drawPanelFrame(dc, right, rightPanel, !leftPanelActive);
    drawPanelContents(dc, left, leftPanel);
    drawPanelContents(dc, right, rightPanel);
    drawStatusLine(dc, w, h);
    drawFunctionBar(dc, w, h);
    drawModeScreen(dc, w, h);
    drawStatusLineOverBox(dc, w, h);
}
