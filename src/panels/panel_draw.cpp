#include "panels/panel_draw.h"

#include <algorithm>
#include <cwctype>

#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/gdi.h"

namespace {

struct TypeColor {
    const wchar_t* extensions[4];
    COLORREF color;
};
const TypeColor kTypeColors[] = {
    {{L".bak"}, RGB(0x6E, 0x6E, 0x6E)},
    {{L".cpp", L".c", L".h", L".hpp"}, RGB(0x00, 0x00, 0x96)},
    {{L".txt", L".md"}, RGB(0x00, 0x00, 0x00)},
    {{L".html", L".htm", L".php", L".xml"}, RGB(0x82, 0x00, 0x00)},
    {{L".exe", L".bat", L".cmd", L".com"}, RGB(0x78, 0x00, 0x8C)},
};

std::wstring lowerExtension(const std::wstring& name) {
    size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos) return std::wstring();
    std::wstring ext = name.substr(dot);
    for (wchar_t& ch : ext) ch = static_cast<wchar_t>(towlower(ch));
    return ext;
}

COLORREF blend(COLORREF a, COLORREF b) {
    return RGB((GetRValue(a) + GetRValue(b)) * 50 / 100, (GetGValue(a) + GetGValue(b)) * 50 / 100,
               (GetBValue(a) + GetBValue(b)) * 50 / 100);
}

}  // namespace

PanelColumns panelColumns(const RECT& rect) {
    PanelColumns c;
    c.x0 = rect.left + 18;
    c.x1 = rect.right - 18;
    c.listTop = rect.top + 76;
    c.narrow = c.x1 - c.x0 < 720;
    int dateWidth = c.narrow ? 180 : 225, gap = c.narrow ? 8 : 12, sizeWidth = c.narrow ? 92 : 118;
    c.nameRight = std::max(c.x1 - 2 * gap - dateWidth - sizeWidth, c.x0 + 160);
    c.dateLeft = c.nameRight + gap;
    c.dateRight = c.dateLeft + dateWidth;
    c.sizeLeft = c.dateRight + gap;
    c.sizeRight = c.x1 - 8;
    c.rows = theme.rowHeight > 0 ? (rect.bottom - c.listTop - 12) / theme.rowHeight : 0;
    return c;
}

std::wstring formatSize(const DirEntry& entry) {
    if (isParentEntry(entry)) return std::wstring();
    if (entry.isFolder) return L"<DIR>";
    wchar_t text[64];
    int n;
    if (entry.size < 1024) {
        n = formatText(text, L"%llu B", static_cast<unsigned long long>(entry.size));
    } else {
        double v = static_cast<double>(entry.size) * (1.0 / 1024);
        if (v < 1024.0) {
            n = formatText(text, L"%.1f KB", v);
        } else {
            v *= 1.0 / 1024;
            if (v < 1024.0)
                n = formatText(text, L"%.1f MB", v);
            else
                n = formatText(text, L"%.1f GB", v * (1.0 / 1024));
        }
    }
    return n < 0 ? std::wstring() : std::wstring(text, static_cast<size_t>(n));
}

std::wstring formatDate(const DirEntry& entry) {
    if (isParentEntry(entry)) return std::wstring();
    FILETIME utc, local;
    utc.dwLowDateTime = static_cast<DWORD>(entry.modified & 0xFFFFFFFFu);
    utc.dwHighDateTime = static_cast<DWORD>(entry.modified >> 32);
    SYSTEMTIME t;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &t)) return std::wstring();
    wchar_t text[32];
    int n = formatText32(text, L"%02u.%02u.%02u %02u:%02u", t.wDay, t.wMonth, t.wYear % 100, t.wHour, t.wMinute);
    return n < 0 ? std::wstring() : std::wstring(text, static_cast<size_t>(n));
}

COLORREF entryColor(const DirEntry& entry) {
    if (entry.isFolder) return theme.textForeground;
    std::wstring ext = lowerExtension(entry.name);
    if (ext.empty()) return theme.textForeground;
    for (const TypeColor& type : kTypeColors)
        for (const wchar_t* candidate : type.extensions)
            if (candidate && ext == candidate) return type.color;
    return theme.textForeground;
}

void drawPanelFrame(HDC dc, const RECT& rect, const PanelState& panel, bool active) {
    drawBox(dc, rect, theme.panelBackground, active ? theme.activePanelFrame : kBlack, active ? 4 : 2);
    drawText(dc, rectOf(rect.left + 22, rect.top - 4, rect.right - 20, rect.top + 34), L" " + panel.path + L" ",
             theme.textForeground, boldText(), false, kLineLeftMiddle);
}

void drawPanelContents(HDC dc, const RECT& rect, PanelState& panel) {
    PanelColumns c = panelColumns(rect);
    const int T = rect.top;
    // In a very narrow panel the date and size columns are pushed past the right edge: cut them
    // there, inside the thickest frame, rather than draw into the margin or the other panel.
    ClipToRect clip(dc, rectOf(rect.left + 4, rect.top, rect.right - 4, rect.bottom - 4));
    drawBox(dc, rectOf(c.x0, T + 40, c.x1, T + 72), kWhite, kBlack, 2);
    drawText(dc, rectOf(c.x0 + 8, T + 42, c.nameRight - 4, T + 70), L"NAME", kBlack, true, true, kLineLeftMiddle);
    drawText(dc, rectOf(c.dateLeft, T + 42, c.dateRight, T + 70), L"DATE", kBlack, true, true, kLineCentre);
    drawText(dc, rectOf(c.sizeLeft, T + 42, c.sizeRight, T + 70), L"SIZE", kBlack, true, true, kLineRight);
    drawVerticalLine(dc, c.nameRight, T + 40, T + 72, kBlack);
    drawVerticalLine(dc, c.dateRight, T + 40, T + 72, kBlack);

    if (c.rows >= 1) {
        if (panel.cursor < panel.scroll) panel.scroll = panel.cursor;
        if (panel.cursor >= panel.scroll + c.rows) panel.scroll = panel.cursor - c.rows + 1;
        if (panel.scroll < 0) panel.scroll = 0;
        const int count = static_cast<int>(panel.entries.size());
        for (int i = 0; i < c.rows && panel.scroll + i < count; ++i) {
            const DirEntry& e = panel.entries[static_cast<size_t>(panel.scroll + i)];
            int top = c.listTop + i * theme.rowHeight, bottom = top + theme.rowHeight;
            bool isCursor = panel.scroll + i == panel.cursor;
            bool isMarked = !isParentEntry(e) && panel.marked.contains(e.name);
            if (isCursor)
                fillRect(dc, rectOf(c.x0, top, c.x1, bottom), theme.selectionBarFill);
            else if (isMarked)
                fillRect(dc, rectOf(c.x0, top, c.x1, bottom), blend(theme.selectionBarFill, theme.panelBackground));
            COLORREF color = isCursor ? theme.selectionBarText : entryColor(e);
            std::wstring name = (e.isFolder ? L"[DIR] " : L"      ") + e.name;
            drawText(dc, rectOf(c.x0 + 8, top, c.nameRight - 4, bottom), name, color, boldText(), false,
                     kLineLeftMiddle);
            drawText(dc, rectOf(c.dateLeft, top, c.dateRight, bottom), formatDate(e), color, boldText(), false,
                     kLineCentre);
            drawText(dc, rectOf(c.sizeLeft, top, c.sizeRight, bottom), formatSize(e), color, boldText(), false,
                     kLineRight);
        }
    }
    if (!panel.errorText.empty())
        drawText(dc, rectOf(rect.left + 24, c.listTop, rect.right - 24, c.listTop + theme.rowHeight), panel.errorText,
                 theme.statusForeground, true, false, kLineLeftMiddle);
}
